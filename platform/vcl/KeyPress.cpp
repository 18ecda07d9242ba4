#include "platform/vcl/KeyPress.h"

#include "platform/vcl/Dispatch.h"
#include "platform/vcl/Input.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

namespace {

class TKeyPressFilter : public QObject {
public:
    static constexpr const char* Name = "TKeyPressFilter";

    TKeyPressFilter(QWidget* control, TKeyPressEvent handler)
        : QObject(control), handler_(std::move(handler))
    {
        setObjectName(Name);
        control->installEventFilter(this);
    }
    void SetHandler(TKeyPressEvent handler) { handler_ = std::move(handler); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != parent() || !handler_)
            return false;
        if (event->type() == QEvent::KeyPress)
            return FilterKey(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::InputMethod)
            return FilterCommit(static_cast<QInputMethodEvent*>(event));
        return false;
    }

private:
    bool FilterKey(QKeyEvent* event)
    {
        char16_t key = KeyChar(*event);
        if (key == 0)
            return false;
        if (Dispatch([&] { handler_(key); }) && key != 0)
            return false;
        event->accept();
        return true; // swallowed
    }

    bool FilterCommit(QInputMethodEvent* event)
    {
        QString text = event->commitString();
        if (text.isEmpty())
            return false;
        if (!FilterTypedText(text, handler_))
            text.clear();
        event->setCommitString(text, event->replacementStart(), event->replacementLength());
        return false;
    }

    TKeyPressEvent handler_;
};

} // namespace

bool FilterTypedText(QString& text, const TKeyPressEvent& handler)
{
    QString kept;
    for (QChar c : std::as_const(text)) {
        char16_t key = c.unicode();
        if (!Dispatch([&] { handler(key); })) {
            text.clear();
            return false;
        }
        if (key != 0)
            kept += QChar(key);
    }
    text = kept;
    return true;
}

void SetOnKeyPress(QWidget* control, TKeyPressEvent handler)
{
    auto* found = control->findChild<QObject*>(TKeyPressFilter::Name, Qt::FindDirectChildrenOnly);
    if (auto* filter = static_cast<TKeyPressFilter*>(found))
        filter->SetHandler(std::move(handler));
    else
        new TKeyPressFilter(control, std::move(handler));
}
