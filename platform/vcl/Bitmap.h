#pragma once
// A picture of pixels that can be drawn on (24-bit colour), with its canvas.

#include "platform/vcl/Canvas.h"

#include <QImage>
#include <functional>

class TBitmap {
public:
    // A white bitmap of the given size; changed is called after every drawing operation.
    TBitmap(int width, int height, std::function<void()> changed = {});
    explicit TBitmap(QImage image, std::function<void()> changed = {});
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    // New size; the pixels become white.
    void SetSize(int width, int height);
    TCanvas& Canvas() { return canvas_; }
    const QImage& Image() const { return image_; }

private:
    QImage image_;
    TCanvas canvas_;
};
