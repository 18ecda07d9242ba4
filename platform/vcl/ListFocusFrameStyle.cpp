#include "platform/vcl/ListFocusFrameStyle.h"

#include <QAbstractItemView>
#include <QPainter>

TListFocusFrameStyle::TListFocusFrameStyle(QAbstractItemView& view) : view_(view)
{
    setParent(&view);
    view.setStyle(this);
}

void TListFocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                         QPainter* painter, const QWidget* widget) const
{
    const QModelIndex current = view_.currentIndex();
    const bool markOnly = element == PE_FrameFocusRect && current.isValid() &&
        !view_.selectionModel()->isSelected(current);
    if (!markOnly) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    painter->save();
    QPen pen(option->palette.color(QPalette::Text), 1, Qt::DotLine);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
}
