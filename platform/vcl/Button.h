#pragma once
// TButton: a push button with a modal result. A click first gives the button's form its
// ModalResult (when not mrNone), which closes a modal form after the click, then runs
// OnClick. Default: Enter in the form presses it (when no control used the key); Cancel:
// Esc presses it. The properties can be set from a form layout as dynamic properties
// (stdset="0"), for example ModalResult 1 or Default true.

#include "platform/vcl/ModalResult.h"

#include <QPushButton>
#include <functional>

class TButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(int ModalResult READ ModalResult WRITE SetModalResult)
    Q_PROPERTY(bool Default READ Default WRITE SetDefault)
    Q_PROPERTY(bool Cancel READ Cancel WRITE SetCancel)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    explicit TButton(QWidget* parent = nullptr);
    TButton(const QString& caption, QWidget* parent = nullptr);

    std::function<void()> OnClick;

    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult result) { modalResult_ = result; }
    bool Default() const { return default_; }
    void SetDefault(bool on);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool on) { cancel_ = on; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    QString Caption() const { return text(); }
    void SetCaption(const QString& caption) { setText(caption); }

    // What a click does; also used for Enter and Esc.
    void Click();

private:
    TModalResult modalResult_ = mrNone;
    bool default_ = false;
    bool cancel_ = false;
    int tag_ = 0;
};
