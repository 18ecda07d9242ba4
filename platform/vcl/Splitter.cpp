#include "platform/vcl/Splitter.h"

#include "platform/vcl/Dispatch.h"

#include <QMouseEvent>
#include <algorithm>

TSplitter::TSplitter(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::SizeVerCursor);
    setFocusPolicy(Qt::NoFocus);
    setFixedHeight(8);
}

int TSplitter::ClampedHeight(int height) const
{
    int most = height;
    if (control_ && parentWidget()) {
        // Everything from MinSize below the parent's top down to Control's bottom edge,
        // less the bar itself.
        const int bottom = control_->geometry().bottom() + 1;
        most = bottom - this->height() - minSize_;
    }
    return std::max(minControlHeight_, std::min(height, most));
}

void TSplitter::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !control_) {
        QWidget::mousePressEvent(event);
        return;
    }
    dragging_ = true;
    pressY_ = event->globalPosition().toPoint().y();
    startHeight_ = control_->height();
    event->accept();
}

void TSplitter::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_ || !control_)
        return;
    const int wanted = startHeight_ - (event->globalPosition().toPoint().y() - pressY_);
    const int height = ClampedHeight(wanted);
    if (height == control_->height())
        return;
    control_->setFixedHeight(height);
    if (OnMoved)
        Dispatch(OnMoved);
}

void TSplitter::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}
