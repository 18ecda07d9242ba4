#include "platform/vcl/PopupMenu.h"

#include "platform/vcl/Dispatch.h"

#include <QAbstractScrollArea>

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
