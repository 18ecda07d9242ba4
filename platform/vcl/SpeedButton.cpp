#include "platform/vcl/SpeedButton.h"

#include "platform/vcl/Dispatch.h"

#include <QImageReader>
#include <QMouseEvent>

TSpeedButton::TSpeedButton(QWidget* parent) : QToolButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QToolButton::clicked, this, &TSpeedButton::Click);
    UpdateStyle();
}

void TSpeedButton::SetPicture(const QString& path)
{
    picture_ = path;
    const QIcon icon(path);
    setIcon(icon);
    if (const QSize natural = QImageReader(path).size(); natural.isValid())
        setIconSize(natural);
    UpdateStyle();
}

void TSpeedButton::SetCaption(const QString& caption)
{
    setText(caption);
    UpdateStyle();
}

void TSpeedButton::UpdateStyle()
{
    if (icon().isNull())
        setToolButtonStyle(Qt::ToolButtonTextOnly);
    else if (text().isEmpty())
        setToolButtonStyle(Qt::ToolButtonIconOnly);
    else
        setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void TSpeedButton::Click()
{
    if (OnClick)
        Dispatch(OnClick);
}

void TSpeedButton::mousePressEvent(QMouseEvent* event)
{
    if (OnMouseDown) {
        const QPoint at = event->position().toPoint();
        const TShiftState shift = ShiftState(event->modifiers(), event->buttons());
        Dispatch([&] { OnMouseDown(MouseButton(event->button()), shift, at.x(), at.y()); });
    }
    QToolButton::mousePressEvent(event);
}
