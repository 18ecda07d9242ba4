#include "components/KvWdwState.h"

#include "components/KvWdwStateHook.h"
#include "platform/winapi/WindowPlacement.h"

#include <QEventLoop>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <algorithm>

namespace {

const QString CreateMessage = QStringLiteral(
    "TKvCustomWdwState.Create():\r\n"
    "Window state components must be placed on a form. To create a component dynamically use "
    "the CreateStandAlone constructor.");
const QString DuplicateMessage = QStringLiteral(
    "TKvCustomWdwState.Create():\r\n"
    "Only one window state component is permitted on a  form: %1 is already present on %2.");

bool IsForm(const QObject* object)
{
    const auto* widget = qobject_cast<const QWidget*>(object);
    return widget && (widget->isWindow() || MdiSubWindowOf(widget));
}

// The form a widget stands on.
const QWidget* FormOf(const QWidget* widget)
{
    while (widget && !IsForm(widget))
        widget = widget->parentWidget();
    return widget;
}

// The MDI areas of a form (not those of forms shown inside them).
QList<QMdiArea*> MdiAreasOf(const QWidget* form)
{
    QList<QMdiArea*> areas;
    for (QMdiArea* area : form->findChildren<QMdiArea*>())
        if (FormOf(area->parentWidget()) == form)
            areas.append(area);
    return areas;
}

// How far a placement may reach: widget sizes stop at QWIDGETSIZE_MAX, and coordinates kept
// as far from zero leave Qt's rectangle arithmetic (right = left + width - 1) in range.
constexpr qint64 PlacementLimit = QWIDGETSIZE_MAX;

int Clamp(qint64 value, qint64 low, qint64 high)
{
    return int(std::clamp(value, low, high));
}

// A saved rectangle as Qt can take it: any 32-bit values are brought into range in 64 bits.
QRect SafeRect(qint64 left, qint64 top, qint64 width, qint64 height)
{
    return QRect(Clamp(left, -PlacementLimit, PlacementLimit), Clamp(top, -PlacementLimit, PlacementLimit),
                 Clamp(width, 1, PlacementLimit), Clamp(height, 1, PlacementLimit));
}

} // namespace

QString TKvCustomWdwState::StandAloneMessage()
{
    return QStringLiteral("TKvCustomWdwState.CreateStandAlone():\r\nA non-nil parent form is required.");
}

QObject* TKvCustomWdwState::CheckedOwner(QObject* owner)
{
    if (!IsForm(owner))
        throw EKvCustomWdwState(CreateMessage);
    if (TKvCustomWdwState* present = FindWdwStateComponent(static_cast<QWidget*>(owner)))
        throw EKvCustomWdwState(DuplicateMessage.arg(present->objectName(), owner->objectName()));
    return owner;
}

TKvCustomWdwState::TKvCustomWdwState(QObject* owner)
    : QObject(CheckedOwner(owner)), form_(static_cast<QWidget*>(owner))
{
    hook_ = new TKvWdwStateHook(this);
    SetParentComponent(owner);
}

TKvCustomWdwState::~TKvCustomWdwState()
{
    // A subclass has released the hook already; here its WM_DESTROY could no longer save.
    if (hook_) {
        form_ = nullptr;
        delete hook_.data();
    }
}

void TKvCustomWdwState::ReleaseHook()
{
    delete hook_.data();
}

void TKvCustomWdwState::SetParentComponent(QObject* value)
{
    auto* parent = qobject_cast<QWidget*>(value);
    if (!parent || !hook_)
        return;
    hook_->setParent(parent);
    hook_->resize(0, 0);
    if (parent->isVisible())
        hook_->show();
}

// --- messages ---

void TKvCustomWdwState::DispatchMessage(TMessage& message)
{
    switch (message.Msg) {
    case WM_DESTROY: WMDestroy(message); break;
    case CM_SHOWINGCHANGED: CMShowingChanged(message); break;
    case WM_APPLYSTATE: WMApplyState(message); break;
    case WM_RESTOREMDICHILD: WMRestoreMDIChild(message); break;
    default: break;
    }
}

void TKvCustomWdwState::WMDestroy(TMessage&)
{
    // A form that was never shown has no placement of its own worth keeping.
    if (AutoSaveRestore && formShown_)
        Save();
}

void TKvCustomWdwState::CMShowingChanged(TMessage&)
{
    if (formShown_)
        return;
    formShown_ = true;
    if (AutoSaveRestore || restorePending_)
        Restore();
}

void TKvCustomWdwState::WMApplyState(TMessage& message)
{
    if (!form_)
        return;
    ApplyState(message.LParam & 0xFF);
}

void TKvCustomWdwState::ApplyState(int state)
{
    switch (state) {
    case 0:
        SetWindowShowState(form_, wsNormal);
        break;
    case 1: {
        const QPointer<TKvCustomWdwState> self(this);
        if (MinimizeDelay > 0)
            PauseWithMessages(MinimizeDelay);
        if (!self || !form_)
            return; // the form went while the application handled other events
        SetWindowShowState(form_, wsMinimized);
        break;
    }
    case 2:
        SetWindowShowState(form_, wsMaximized);
        break;
    default:
        break;
    }
    stateApplied_ = true;
    NotifyMDIChildren();
}

void TKvCustomWdwState::WMRestoreMDIChild(TMessage&)
{
    if (IsMDIChild() && !stateApplied_ && (AutoSaveRestore || restorePending_))
        Restore();
}

// --- restore and save ---

void TKvCustomWdwState::DoReadWdwState(int& left, int& top, int& width, int& height, int& state)
{
    ReadWdwState(left, top, width, height, state);
}

void TKvCustomWdwState::Restore()
{
    if (!form_)
        return;
    if (!formShown_ || (IsMDIChild() && !CanRestoreMDIChild())) {
        restorePending_ = true;
        return;
    }
    restorePending_ = false;

    const TWindowPlacement current = GetWindowPlacement(form_);
    int left = current.NormalRect.left();
    int top = current.NormalRect.top();
    int width = current.NormalRect.width();
    int height = current.NormalRect.height();
    int state = current.State;
    DoReadWdwState(left, top, width, height, state);
    if (!form_)
        return;

    // A record without a usable size is no record: the form keeps its own placement.
    const bool usable = UsableSize(width, height);
    if (!usable)
        state = current.State;
    if (Options.testFlag(woIgnoreSize)) {
        width = current.NormalRect.width();
        height = current.NormalRect.height();
    }
    if (Options.testFlag(woIgnoreState))
        state = 0;

    if (usable) {
        QRect rect = SafeRect(left, top, width, height);
        if (Options.testFlag(woFitWorkArea))
            rect = FittingRect(rect);
        SetWindowPlacement(form_, rect);
    }
    if (hook_)
        PostMessage(hook_->Handle(), WM_APPLYSTATE, 0, state);
}

// The rectangle moved and shrunk into the work area (in 64 bits: a saved rectangle may
// hold any values).
QRect TKvCustomWdwState::FittingRect(const QRect& rect) const
{
    QRect area;
    if (IsMDIChild()) {
        if (QMdiArea* mdi = MdiAreaOf(form_)) {
            const int extent = mdi->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, mdi);
            area = QRect(QPoint(0, 0), mdi->viewport()->size());
            if (mdi->horizontalScrollBar()->isVisible())
                area.setHeight(area.height() + extent);
            if (mdi->verticalScrollBar()->isVisible())
                area.setWidth(area.width() + extent);
        }
    } else {
        area = MonitorWorkArea(rect);
    }
    if (area.isEmpty())
        return rect;

    const qint64 areaLeft = area.left(), areaTop = area.top();
    const qint64 areaRight = areaLeft + area.width(), areaBottom = areaTop + area.height();
    qint64 left = rect.left(), top = rect.top();
    const qint64 width = std::min<qint64>(rect.width(), area.width());
    const qint64 height = std::min<qint64>(rect.height(), area.height());
    if (areaRight < left + width)
        left = areaRight - width;
    if (areaLeft > left)
        left = areaLeft;
    if (areaBottom < top + height)
        top = areaBottom - height;
    if (areaTop > top)
        top = areaTop;
    return SafeRect(left, top, width, height);
}

bool TKvCustomWdwState::UsableSize(int width, int height) const
{
    const QSize minimum = form_ ? form_->minimumSize() : QSize();
    return width > 0 && height > 0 && width >= minimum.width() && height >= minimum.height();
}

void TKvCustomWdwState::Save()
{
    if (!form_)
        return;
    const TWindowPlacement placement = GetWindowPlacement(form_);
    const QRect& normal = placement.NormalRect;
    if (!UsableSize(normal.width(), normal.height()))
        return; // would be taken as missing when read back
    SaveWdwState(normal.left(), normal.top(), normal.width(), normal.height(), placement.State);
}

// --- MDI ---

bool TKvCustomWdwState::IsMDIChild() const
{
    return form_ && MdiSubWindowOf(form_);
}

QWidget* TKvCustomWdwState::FindMDIParentForm() const
{
    if (!IsMDIChild())
        return nullptr;
    QMdiArea* area = MdiAreaOf(form_);
    return area ? area->window() : nullptr;
}

TKvCustomWdwState* TKvCustomWdwState::FindWdwStateComponent(const QWidget* form)
{
    if (!form)
        return nullptr;
    for (QObject* child : form->children())
        if (auto* component = qobject_cast<TKvCustomWdwState*>(child))
            return component;
    return nullptr;
}

bool TKvCustomWdwState::CanRestoreMDIChild() const
{
    if (!Options.testFlag(woFitWorkArea))
        return true;
    const TKvCustomWdwState* parent = FindWdwStateComponent(FindMDIParentForm());
    return !parent || parent->StateApplied();
}

void TKvCustomWdwState::NotifyMDIChildren()
{
    if (!form_)
        return;
    for (QMdiArea* area : MdiAreasOf(form_))
        for (QMdiSubWindow* sub : area->subWindowList())
            if (TKvCustomWdwState* child = FindWdwStateComponent(sub->widget())) {
                TMessage message{WM_RESTOREMDICHILD, 0, 0, 0};
                child->DispatchMessage(message);
            }
}

void PauseWithMessages(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}
