#include "platform/vcl/ComboBox.h"

#include "platform/vcl/Dispatch.h"

#include <QAbstractItemView>

TComboBox::TComboBox(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    connect(this, &QComboBox::activated, this, [this] {
        if (OnChange)
            Dispatch(OnChange);
    });
}

QStringList TComboBox::Items() const
{
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items << itemText(i);
    return items;
}

void TComboBox::SetItems(const QStringList& items)
{
    clear();
    addItems(items);
}

void TComboBox::SetDroppedWidth(int width)
{
    view()->setMinimumWidth(width);
}

void TComboBox::showPopup()
{
    if (OnDropDown)
        Dispatch(OnDropDown);
    QComboBox::showPopup();
}
