#pragma once
// The style of a list view: the application's style, except that the focus mark of a row
// that is not selected is a thin dotted frame. Some styles fill the focused row with a
// tint of the selection colour, which makes a list without a selection look as if its
// first row were selected.

#include <QProxyStyle>

class QAbstractItemView;

class TListFocusFrameStyle : public QProxyStyle {
public:
    // The style belongs to the view (its QObject child); the view uses it from here on.
    explicit TListFocusFrameStyle(QAbstractItemView& view);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    QAbstractItemView& view_;
};
