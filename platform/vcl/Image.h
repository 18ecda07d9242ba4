#pragma once
// A picture component: shows one picture, at its own size from the top-left corner or
// stretched over the component. The picture is empty, a bitmap (drawable through
// Canvas) or another loaded picture (JPEG, PNG, icon ...), which can be shown but not
// drawn on. Canvas on an empty picture makes a white bitmap of the component's size.

#include "platform/vcl/Bitmap.h"
#include "platform/vcl/Input.h"

#include <QWidget>
#include <functional>
#include <memory>

class TImage : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
public:
    explicit TImage(QWidget* parent = nullptr);
    ~TImage() override;

    // Mouse moves over the component, with or without a pressed button, in component
    // coordinates.
    std::function<void(TImage& sender, TShiftState shift, int x, int y)> OnMouseMove;

    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);

    bool IsEmpty() const { return !bitmap_ && other_.isNull(); }
    bool HasBitmap() const { return bitmap_ != nullptr; }
    // The picture's pixels (a null image when empty).
    QImage Picture() const;

    // Raises Exception when the picture is not a bitmap.
    TCanvas& Canvas();
    // The bitmap of the picture, made as Canvas makes it; raises as Canvas does.
    TBitmap& Bitmap();
    void Clear();

    // Loads the file as the format its extension names: .bmp/.dib as a bitmap, .jpg/.jpeg/
    // .jpe/.jfif through libjpeg, others that Qt reads (.png, .ico, .gif ...) as pictures.
    // Raises Exception naming the file when the extension is unknown, the content does
    // not match it or is cut short, or its header names more than MaxPicturePixels; the
    // picture shown then stays as it was.
    void LoadFromFile(const QString& fileName);
    // Loads the file as a JPEG picture whatever its extension.
    void LoadJpegFromFile(const QString& fileName);
    // Writes the picture as a Windows bitmap file; an empty picture writes nothing.
    void SaveToFile(const QString& fileName) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void setBitmap(QImage image);
    void setOther(QImage image);

    std::unique_ptr<TBitmap> bitmap_;
    QImage other_;
    bool stretch_ = false;
};
