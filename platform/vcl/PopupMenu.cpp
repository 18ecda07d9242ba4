#include "platform/vcl/PopupMenu.h"

#include "platform/vcl/Dispatch.h"

#include <QAbstractScrollArea>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>

namespace {

bool IsShiftF10(const QKeyEvent& key)
{
    return key.key() == Qt::Key_F10
           && (key.modifiers() & ~Qt::KeypadModifier) == Qt::ShiftModifier;
}

} // namespace

TMenuItem::TMenuItem(const QString& caption, QObject* parent) : QAction(caption, parent)
{
    connect(this, &QAction::triggered, this, [this] {
        if (OnClick)
            Dispatch(OnClick);
    });
}

TPopupMenu::TPopupMenu(QWidget* parent) : QMenu(parent) {}

TMenuItem* TPopupMenu::AddItem(const QString& caption)
{
    auto* item = new TMenuItem(caption, this);
    addAction(item);
    return item;
}

void TPopupMenu::Attach(QWidget* control)
{
    control->setContextMenuPolicy(Qt::CustomContextMenu);
    control->installEventFilter(this);
    connect(control, &QWidget::customContextMenuRequested, this, [this, control](QPoint pos) {
        // A scroll area (a list view) reports the position in its viewport.
        QWidget* origin = control;
        if (auto* area = qobject_cast<QAbstractScrollArea*>(control))
            origin = area->viewport();
        Popup(origin->mapToGlobal(pos));
    });
}

void TPopupMenu::Popup(const QPoint& globalPos)
{
    if (OnPopup && !Dispatch(OnPopup))
        return;
    popup(globalPos);
}

bool TPopupMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !IsShiftF10(*static_cast<QKeyEvent*>(event)))
        return QMenu::eventFilter(watched, event);
    // The request the window system makes for the menu key: at the control's cursor, which
    // in a list is its current row.
    auto* control = static_cast<QWidget*>(watched);
    const QPoint at = control->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
    QContextMenuEvent request(QContextMenuEvent::Keyboard, at, control->mapToGlobal(at),
                              static_cast<QKeyEvent*>(event)->modifiers());
    QCoreApplication::sendEvent(control, &request);
    return true;
}
