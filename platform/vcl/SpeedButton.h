#pragma once
// TSpeedButton: a picture button that never takes the keyboard focus, so pressing it
// leaves the focus in the field the user types in. The picture comes from a resource or
// file (SVG, PNG, BMP ...) and is shown at its own size; Caption is shown beside it.
// OnMouseDown runs when a mouse button goes down on it (before the click), OnClick when the
// click is complete. Flat buttons show their frame only under the mouse.

#include "platform/vcl/Input.h"

#include <QToolButton>
#include <functional>

class TSpeedButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(QString Picture READ Picture WRITE SetPicture)
    Q_PROPERTY(bool Flat READ Flat WRITE SetFlat)

public:
    explicit TSpeedButton(QWidget* parent = nullptr);

    std::function<void()> OnClick;
    std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseDown;

    QString Picture() const { return picture_; }
    void SetPicture(const QString& path);
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption);
    QString Hint() const { return toolTip(); }
    void SetHint(const QString& hint) { setToolTip(hint); }
    bool Flat() const { return autoRaise(); }
    void SetFlat(bool flat) { setAutoRaise(flat); }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    // What a click does.
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void UpdateStyle();

    QString picture_;
    int tag_ = 0;
};
