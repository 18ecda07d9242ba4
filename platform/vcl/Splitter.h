#pragma once
// TSplitter: the bar between a control that fills a column and the control docked below
// it (Control). Dragging the bar with the left button sets Control's height (a fixed
// height, so resizing the window leaves it alone) between Control's least height
// (MinControlHeight) and the height that leaves MinSize pixels above the bar in the
// bar's parent. OnMoved runs when a drag has changed the height. The bar itself shows
// the vertical-resize cursor and takes no focus.

#include <QWidget>
#include <functional>

class TSplitter : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int MinSize READ MinSize WRITE SetMinSize)

public:
    explicit TSplitter(QWidget* parent = nullptr);

    std::function<void()> OnMoved;

    QWidget* Control() const { return control_; }
    void SetControl(QWidget* control) { control_ = control; }
    int MinSize() const { return minSize_; }
    void SetMinSize(int size) { minSize_ = size; }
    int MinControlHeight() const { return minControlHeight_; }
    void SetMinControlHeight(int height) { minControlHeight_ = height; }

    // The height Control may have, brought into the range above.
    int ClampedHeight(int height) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QWidget* control_ = nullptr;
    int minSize_ = 30;
    int minControlHeight_ = 0;
    bool dragging_ = false;
    int pressY_ = 0;
    int startHeight_ = 0;
};
