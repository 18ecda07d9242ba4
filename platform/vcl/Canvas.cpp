#include "platform/vcl/Canvas.h"

#include <QPainter>
#include <algorithm>

namespace {

QPen ToQPen(const TPen& pen)
{
    QPen result(ToQColor(pen.Color));
    result.setWidth(std::max(1, pen.Width));
    result.setCapStyle(Qt::RoundCap);
    result.setJoinStyle(Qt::RoundJoin);
    return result;
}

} // namespace

TCanvas::TCanvas(QImage& image, std::function<void()> changed)
    : image_(image), changed_(std::move(changed))
{
}

void TCanvas::MoveTo(int x, int y)
{
    penPos_ = QPoint(x, y);
}

void TCanvas::LineTo(int x, int y)
{
    const QPoint from = penPos_;
    const QPoint to(x, y);
    penPos_ = to;
    if (from == to)
        return;
    const TColor endPixel = Pixel(x, y);
    {
        QPainter painter(&image_);
        painter.setPen(ToQPen(Pen));
        painter.drawLine(from, to);
    }
    // A one-pixel line leaves its end point to the next segment.
    if (Pen.Width <= 1 && image_.rect().contains(to))
        image_.setPixelColor(to, ToQColor(endPixel));
    changed_();
}

void TCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    {
        QPainter painter(&image_);
        const QRect area(QPoint(left, top), QPoint(right - 1, bottom - 1));
        painter.fillRect(area, ToQColor(Brush.Color));
        painter.setPen(ToQPen(Pen));
        painter.setBrush(Qt::NoBrush);
        if (Pen.Width <= 1)
            painter.drawRect(area.adjusted(0, 0, -1, -1));
        else
            painter.drawRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    changed_();
}

void TCanvas::FillRect(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top)
        return;
    {
        QPainter painter(&image_);
        painter.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), ToQColor(Brush.Color));
    }
    changed_();
}

TColor TCanvas::Pixel(int x, int y) const
{
    if (!image_.rect().contains(x, y))
        return -1;
    return FromQColor(image_.pixelColor(x, y));
}
