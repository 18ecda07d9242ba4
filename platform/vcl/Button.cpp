#include "platform/vcl/Button.h"

#include "platform/vcl/Dispatch.h"
#include "platform/vcl/Form.h"

TButton::TButton(QWidget* parent) : TButton(QString(), parent) {}

TButton::TButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    connect(this, &QPushButton::clicked, this, &TButton::Click);
}

void TButton::SetDefault(bool on)
{
    default_ = on;
    setDefault(on);
}

void TButton::Click()
{
    if (modalResult_ != mrNone)
        if (auto* form = qobject_cast<TForm*>(window()))
            form->SetModalResult(modalResult_);
    if (OnClick)
        Dispatch(OnClick);
}
