#include "platform/winapi/WindowPlacement.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <climits>

namespace {

// The normal rectangle a minimised or maximised window takes when it is restored.
constexpr char NormalRectProperty[] = "moriva.normalRect";

QWidget* PlacementWidget(const QWidget* form)
{
    if (QWidget* sub = MdiSubWindowOf(form))
        return sub;
    return const_cast<QWidget*>(form);
}

bool IsNormal(const QWidget* window)
{
    return !(window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

// Notes an MDI sub-window's rectangle whenever it moves or resizes while normal, since
// QMdiSubWindow keeps its restore rectangle to itself.
class TNormalRectTracker : public QObject {
public:
    static void Watch(QWidget* window)
    {
        if (window->property(NormalRectProperty).isValid())
            return;
        window->installEventFilter(new TNormalRectTracker(window));
        window->setProperty(NormalRectProperty, window->geometry());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = static_cast<QWidget*>(watched);
        if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && IsNormal(window))
            window->setProperty(NormalRectProperty, window->geometry());
        return false;
    }

private:
    using QObject::QObject;
};

QRect TopLevelNormalRect(const QWidget* form)
{
    QRect inner = form->normalGeometry();
    if (inner.isNull())
        inner = form->geometry();
    const QPoint frameOffset = form->geometry().topLeft() - form->frameGeometry().topLeft();
    return {inner.topLeft() - frameOffset, inner.size()};
}

// A top-level move places the frame's corner; resize sets the inner size.
void ApplyRect(QWidget* window, const QRect& rect)
{
    window->move(rect.topLeft());
    window->resize(rect.size());
}

qint64 Area(const QRect& rect)
{
    return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

qint64 Distance(const QRect& a, const QRect& b)
{
    const qint64 dx = std::max({0, b.left() - (a.left() + a.width()), a.left() - (b.left() + b.width())});
    const qint64 dy = std::max({0, b.top() - (a.top() + a.height()), a.top() - (b.top() + b.height())});
    return dx * dx + dy * dy;
}

} // namespace

QWidget* MdiSubWindowOf(const QWidget* form)
{
    return form ? qobject_cast<QMdiSubWindow*>(form->parentWidget()) : nullptr;
}

QMdiArea* MdiAreaOf(const QWidget* form)
{
    auto* sub = qobject_cast<QMdiSubWindow*>(MdiSubWindowOf(form));
    return sub ? sub->mdiArea() : nullptr;
}

TWindowPlacement GetWindowPlacement(const QWidget* form)
{
    TWindowPlacement placement;
    if (!form)
        return placement;
    placement.State = GetWindowShowState(form);
    QWidget* window = PlacementWidget(form);
    const bool normal = IsNormal(window);
    if (window != form) {
        TNormalRectTracker::Watch(window);
        placement.NormalRect = normal ? window->geometry() : window->property(NormalRectProperty).toRect();
    } else {
        placement.NormalRect = TopLevelNormalRect(form);
    }
    if (!normal) {
        const QVariant pending = window->property(NormalRectProperty);
        if (window == form && pending.isValid())
            placement.NormalRect = pending.toRect();
    }
    return placement;
}

void SetWindowPlacement(QWidget* form, const QRect& normalRect)
{
    if (!form)
        return;
    QWidget* window = PlacementWidget(form);
    const bool topLevel = window == form;
    if (!topLevel)
        TNormalRectTracker::Watch(window);
    if (IsNormal(window)) {
        ApplyRect(window, normalRect);
        if (topLevel)
            window->setProperty(NormalRectProperty, QVariant());
    } else {
        window->setProperty(NormalRectProperty, normalRect);
    }
}

TWindowShowState GetWindowShowState(const QWidget* form)
{
    if (!form)
        return wsNormal;
    const Qt::WindowStates states = PlacementWidget(form)->windowState();
    if (states & Qt::WindowMinimized)
        return wsMinimized;
    if (states & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return wsMaximized;
    return wsNormal;
}

void SetWindowShowState(QWidget* form, TWindowShowState state)
{
    if (!form)
        return;
    QWidget* window = PlacementWidget(form);
    const bool topLevel = window == form;
    Qt::WindowStates states = window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    if (state == wsMinimized)
        states |= Qt::WindowMinimized;
    else if (state == wsMaximized)
        states |= Qt::WindowMaximized;
    const QVariant pending = IsNormal(window) ? QVariant() : window->property(NormalRectProperty);
    window->setWindowState(states);
    if (state == wsNormal && pending.isValid()) {
        ApplyRect(window, pending.toRect());
        if (topLevel)
            window->setProperty(NormalRectProperty, QVariant());
    }
}

QRect MonitorWorkArea(const QRect& rect)
{
    QScreen* best = nullptr;
    qint64 bestArea = 0;
    qint64 bestDistance = LLONG_MAX;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect geometry = screen->geometry();
        const qint64 area = Area(geometry.intersected(rect));
        const qint64 distance = Distance(geometry, rect);
        if (area > bestArea || (bestArea == 0 && area == 0 && distance < bestDistance)) {
            best = screen;
            bestArea = area;
            bestDistance = distance;
        }
    }
    return best ? best->availableGeometry() : QRect();
}
