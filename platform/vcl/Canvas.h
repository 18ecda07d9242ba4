#pragma once
// Drawing on a picture's pixels the way the screens draw: a pen (colour, width; width 0
// or 1 is one pixel) for lines and outlines, a brush (colour) for filling, a current pen
// position for MoveTo/LineTo. Rectangles exclude their right and bottom edge, and a line
// excludes its end point, so that consecutive LineTo calls join without overlap.

#include "platform/vcl/Color.h"

#include <QImage>
#include <QPoint>
#include <functional>

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
};

struct TBrush {
    TColor Color = clWhite;
};

class TCanvas {
public:
    TCanvas(QImage& image, std::function<void()> changed);

    TPen Pen;
    TBrush Brush;

    QPoint PenPos() const { return penPos_; }
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    // Outline with the pen, inside filled with the brush.
    void Rectangle(int left, int top, int right, int bottom);
    // Filled with the brush, no outline.
    void FillRect(int left, int top, int right, int bottom);
    TColor Pixel(int x, int y) const;

private:
    QImage& image_;
    std::function<void()> changed_;
    QPoint penPos_;
};
