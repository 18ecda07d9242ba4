#include "platform/wintab/TabletDriver.h"

#include "platform/winapi/WindowMessage.h"

#include <QApplication>
#include <QScreen>
#include <QTabletEvent>
#include <QVariant>
#include <cmath>
#include <cstring>

namespace {

constexpr std::size_t QueueCapacity = 128;

QRect Desktop()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualGeometry() : QRect(0, 0, 1024, 768);
}

QWidget* WidgetOfWindow(WTHWND window)
{
    if (window == 0)
        return nullptr;
    for (QWidget* widget : QApplication::allWidgets()) {
        const QVariant handle = widget->property(WindowHandleProperty);
        if (handle.isValid() && handle.toUInt() == window)
            return widget;
    }
    return nullptr;
}

// Tablet input coordinates scaled into the context's output range (Wintab's rule; a
// negative output extent turns the axis round).
WTLONG Scale(WTLONG input, WTLONG inOrg, WTLONG inExt, WTLONG outOrg, WTLONG outExt)
{
    const qint64 offset = qint64(input) - inOrg;
    const qint64 extent = std::llabs(outExt);
    const qint64 scaled = inExt != 0 ? offset * extent / inExt : offset;
    return WTLONG(outExt >= 0 ? outOrg + scaled : outOrg + (extent - 1 - scaled));
}

WTUINT ScalePressure(qreal value)
{
    return WTUINT(std::lround(qBound<qreal>(0.0, value, 1.0) * TTabletDriver::MaxPressure));
}

WTUINT CursorOf(const QTabletEvent& event)
{
    switch (event.pointerType()) {
    case QPointingDevice::PointerType::Eraser: return 2;
    case QPointingDevice::PointerType::Cursor: return 0;
    default: return 1;
    }
}

WTDWORD ButtonsOf(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1u : 0u) | (buttons & Qt::RightButton ? 2u : 0u)
         | (buttons & Qt::MiddleButton ? 4u : 0u);
}

// Azimuth clockwise from the tablet's top, altitude above the tablet and twist, in tenths
// of a degree, from Qt's tilts (degrees) and rotation.
void Orientation(const QTabletEvent& event, TPacketValues& values)
{
    const double tx = std::tan(qDegreesToRadians(event.xTilt()));
    const double ty = std::tan(qDegreesToRadians(event.yTilt()));
    const double lean = std::hypot(tx, ty);
    values.Altitude = std::int32_t(std::lround(qRadiansToDegrees(std::atan2(1.0, lean)) * 10));
    const double azimuth = lean > 0 ? qRadiansToDegrees(std::atan2(tx, -ty)) : 0.0;
    values.Azimuth = std::int32_t(std::lround(std::fmod(azimuth + 360.0, 360.0) * 10)) % 3600;
    values.Twist = std::int32_t(std::lround(std::fmod(event.rotation() + 360.0, 360.0) * 10)) % 3600;
}

} // namespace

TTabletDriver& TTabletDriver::Instance()
{
    static QPointer<TTabletDriver> driver;
    if (!driver)
        driver = new TTabletDriver;
    return *driver;
}

// The filter on the application sees every event of every object: a tablet event once for
// each widget it is offered to on its way up to the window, proximity events at the
// application itself.
TTabletDriver::TTabletDriver() : QObject(QCoreApplication::instance())
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

LOGCONTEXTA TTabletDriver::DefaultContext()
{
    const QRect desktop = Desktop();
    LOGCONTEXTA context{};
    std::strncpy(context.lcName, "Default digitizing context", LCNAMELEN - 1);
    context.lcMsgBase = WT_DEFBASE;
    context.lcPktRate = 100;
    context.lcPktData = PK_X | PK_Y | PK_BUTTONS | PK_NORMAL_PRESSURE;
    context.lcMoveMask = context.lcPktData;
    context.lcBtnDnMask = context.lcBtnUpMask = 0xFFFFFFFF;
    context.lcInExtX = context.lcOutExtX = context.lcSysExtX = desktop.width();
    context.lcInExtY = context.lcOutExtY = context.lcSysExtY = desktop.height();
    context.lcSysOrgX = desktop.left();
    context.lcSysOrgY = desktop.top();
    context.lcSensX = context.lcSensY = context.lcSensZ = 0x10000; // 1.0
    context.lcSysSensX = context.lcSysSensY = 0x10000;
    return context;
}

HCTX TTabletDriver::Open(WTHWND window, const LOGCONTEXTA& record, bool enable)
{
    QWidget* widget = WidgetOfWindow(window);
    if (!widget)
        return 0;
    do
        ++lastContext_;
    while (lastContext_ == 0 || contexts_.count(lastContext_));
    TContext& context = contexts_[lastContext_];
    context.Window = window;
    context.Widget = widget;
    context.Record = record;
    context.Enabled = enable;
    context.Record.lcStatus = enable ? 0u : WTUINT(CXS_DISABLED);
    Post(context, WT_CTXOPEN, lastContext_, WTLPARAM(context.Record.lcStatus));
    return lastContext_;
}

bool TTabletDriver::Close(HCTX handle)
{
    const auto found = contexts_.find(handle);
    if (found == contexts_.end())
        return false;
    Post(found->second, WT_CTXCLOSE, handle, WTLPARAM(found->second.Record.lcStatus));
    contexts_.erase(found);
    return true;
}

bool TTabletDriver::Enable(HCTX handle, bool enable)
{
    const auto found = contexts_.find(handle);
    if (found == contexts_.end())
        return false;
    found->second.Enabled = enable;
    found->second.Record.lcStatus = enable ? 0u : WTUINT(CXS_DISABLED);
    return true;
}

bool TTabletDriver::Get(HCTX handle, LOGCONTEXTA& record) const
{
    const auto found = contexts_.find(handle);
    if (found == contexts_.end())
        return false;
    record = found->second.Record;
    return true;
}

bool TTabletDriver::Packet(HCTX handle, WTUINT serial, void* target)
{
    const auto found = contexts_.find(handle);
    if (found == contexts_.end())
        return false;
    std::deque<TPacketValues>& queue = found->second.Queue;
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (it->Serial != serial)
            continue;
        if (target)
            WritePacket(found->second.Record.lcPktData, *it, target);
        queue.erase(queue.begin(), it + 1);
        return true;
    }
    return false;
}

// The filter sees every object of the application, also those of the embedded browser's
// engine, which is built without run-time type information; the sanitizer's check of
// virtual calls cannot tell such an object from a broken one, so it is left out here.
__attribute__((no_sanitize("vptr"))) bool TTabletDriver::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
        if (watched->isWidgetType())
            TabletInput(static_cast<QWidget*>(watched), *static_cast<QTabletEvent*>(event));
        break;
    case QEvent::TabletEnterProximity:
    case QEvent::TabletLeaveProximity:
        if (watched == QCoreApplication::instance())
            Proximity(*static_cast<QTabletEvent*>(event), event->type() == QEvent::TabletEnterProximity);
        break;
    default:
        break;
    }
    return false; // the widgets see the event as well, and Qt makes mouse events of it
}

void TTabletDriver::TabletInput(QWidget* widget, const QTabletEvent& event)
{
    for (auto& [handle, context] : contexts_)
        if (context.Widget == widget && context.Enabled)
            Queue(handle, context, Sample(handle, context, event), WT_PACKET);
}

void TTabletDriver::Proximity(const QTabletEvent& event, bool entering)
{
    const WTUINT cursor = CursorOf(event);
    const bool cursorChanged = entering && cursor != lastCursor_;
    if (entering)
        lastCursor_ = cursor;
    for (auto& [handle, context] : contexts_) {
        if (!context.Enabled)
            continue;
        Post(context, WT_PROXIMITY, handle, entering ? 0x00010001 : 0);
        if (cursorChanged && (context.Record.lcOptions & CXO_CSRMESSAGES))
            Queue(handle, context, Sample(handle, context, event), WT_CSRCHANGE);
    }
}

TPacketValues TTabletDriver::Sample(HCTX handle, const TContext& context, const QTabletEvent& event)
{
    const LOGCONTEXTA& r = context.Record;
    const QRect desktop = Desktop();
    const QPointF global = event.globalPosition();
    const WTLONG inX = WTLONG(std::lround(global.x())) - desktop.left();
    const WTLONG inY = desktop.top() + desktop.height() - 1 - WTLONG(std::lround(global.y()));

    TPacketValues values;
    do
        ++lastSerial_;
    while (lastSerial_ == 0);
    values.Context = handle;
    values.Serial = lastSerial_;
    values.Status = event.pointerType() == QPointingDevice::PointerType::Eraser ? WTUINT(TPS_INVERT) : 0u;
    values.Time = WTDWORD(event.timestamp());
    values.Changed = r.lcPktData;
    values.Cursor = CursorOf(event);
    values.Buttons = ButtonsOf(event.buttons());
    values.X = Scale(inX, r.lcInOrgX, r.lcInExtX, r.lcOutOrgX, r.lcOutExtX);
    values.Y = Scale(inY, r.lcInOrgY, r.lcInExtY, r.lcOutOrgY, r.lcOutExtY);
    values.Z = WTLONG(std::lround(event.z()));
    values.NormalPressure = ScalePressure(event.pressure());
    values.TangentPressure = ScalePressure(event.tangentialPressure());
    Orientation(event, values);
    return values;
}

void TTabletDriver::Queue(HCTX handle, TContext& context, const TPacketValues& values, WTUINT message)
{
    context.Queue.push_back(values);
    if (context.Queue.size() > QueueCapacity)
        context.Queue.pop_front();
    Post(context, message, values.Serial, WTLPARAM(handle));
}

void TTabletDriver::Post(const TContext& context, WTUINT offset, WTWPARAM wParam, WTLPARAM lParam) const
{
    if (context.Widget && (context.Record.lcOptions & CXO_MESSAGES))
        PostWindowMessage(context.Widget, context.Window, context.Record.lcMsgBase + offset, wParam, lParam);
}
