#pragma once
// The hook of a window-state component: a sizeless child window of the form that passes
// the form's showing, its destruction and its own WM_USER on to the component. The
// component owns it; the form is its parent window.

#include "platform/winapi/WindowMessages.h"

class TKvCustomWdwState;

class TKvWdwStateHook : public TMessageWindow {
public:
    explicit TKvWdwStateHook(TKvCustomWdwState* ownerState);
    ~TKvWdwStateHook() override;

    TKvCustomWdwState* OwnerState() const { return ownerState_; }
    void WndProc(TMessage& message) override;

private:
    // Runs the component's handler for the message; an exception ends at the application's
    // exception event, since messages come from Qt's event delivery or a destructor.
    void ForwardToOwner(TMessage& message);

    TKvCustomWdwState* ownerState_;
};
