#include "platform/wintab/TabletInfo.h"

#include "platform/wintab/TabletDriver.h"

#include <QInputDevice>
#include <QScreen>
#include <QGuiApplication>

namespace {

constexpr std::uint16_t SpecVersion = 0x0104;
constexpr std::uint16_t ImplVersion = 0x0100;
constexpr WTUINT CursorCount = 3;
constexpr WTUINT ContextLimit = 16;

template <class T>
QByteArray Bytes(const T& value)
{
    return QByteArray(reinterpret_cast<const char*>(&value), sizeof value);
}

// A zero-terminated text.
QByteArray Text(const QByteArray& text)
{
    return text + '\0';
}

QByteArray DeviceName()
{
    for (const QInputDevice* device : QInputDevice::devices())
        if (device->type() == QInputDevice::DeviceType::Stylus
            || device->type() == QInputDevice::DeviceType::Airbrush
            || device->type() == QInputDevice::DeviceType::Puck)
            return device->name().toLocal8Bit();
    return "No tablet";
}

QByteArray Interface(WTUINT index)
{
    switch (index) {
    case IFC_WINTABID: return Text("Tablet input through Qt");
    case IFC_SPECVERSION: return Bytes(SpecVersion);
    case IFC_IMPLVERSION: return Bytes(ImplVersion);
    case IFC_NDEVICES: return Bytes(WTUINT(1));
    case IFC_NCURSORS: return Bytes(CursorCount);
    case IFC_NCONTEXTS: return Bytes(ContextLimit);
    default: return {};
    }
}

QByteArray Status(WTUINT index)
{
    switch (index) {
    case STA_CONTEXTS: return Bytes(TTabletDriver::Instance().OpenCount());
    case STA_SYSCTXS: return Bytes(WTUINT(0));
    case STA_PKTRATE: return Bytes(WTUINT(100));
    default: return {};
    }
}

QByteArray Device(WTUINT index)
{
    const LOGCONTEXTA context = TTabletDriver::DefaultContext();
    switch (index) {
    case DVC_NAME: return Text(DeviceName());
    case DVC_X: return Bytes(AXIS{0, context.lcInExtX - 1, 0, 0});
    case DVC_Y: return Bytes(AXIS{0, context.lcInExtY - 1, 0, 0});
    case DVC_NPRESSURE: return Bytes(AXIS{0, WTLONG(TTabletDriver::MaxPressure), 0, 0});
    default: return {};
    }
}

QByteArray Cursor(WTUINT cursor, WTUINT index)
{
    static const char* const names[CursorCount] = {"Puck", "Pressure Stylus", "Eraser"};
    if (cursor >= CursorCount || index != CSR_NAME)
        return {};
    return Text(names[cursor]);
}

} // namespace

QByteArray TabletInfo(WTUINT category, WTUINT index)
{
    if (category == 0)
        return QByteArray(sizeof(LOGCONTEXTA), '\0'); // the largest item: the tablet is there
    if (category == WTI_INTERFACE)
        return Interface(index);
    if (category == WTI_STATUS)
        return Status(index);
    if ((category == WTI_DEFCONTEXT || category == WTI_DEFSYSCTX) && index == 0) {
        LOGCONTEXTA context = TTabletDriver::DefaultContext();
        if (category == WTI_DEFSYSCTX)
            context.lcOptions |= CXO_SYSTEM;
        return Bytes(context);
    }
    if (category == WTI_DEVICES)
        return Device(index);
    if (category >= WTI_CURSORS && category < WTI_CURSORS + CursorCount)
        return Cursor(category - WTI_CURSORS, index);
    return {}; // no extensions (WTI_EXTENSIONS) and nothing else
}
