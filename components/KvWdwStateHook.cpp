#include "components/KvWdwStateHook.h"

#include "components/KvWdwState.h"
#include "platform/vcl/Dispatch.h"

#include <cassert>

TKvWdwStateHook::TKvWdwStateHook(TKvCustomWdwState* ownerState) : ownerState_(ownerState)
{
    assert(ownerState);
    resize(0, 0);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

TKvWdwStateHook::~TKvWdwStateHook()
{
    DestroyHandle(); // WM_DESTROY reaches WndProc below while this object is still whole
}

void TKvWdwStateHook::WndProc(TMessage& message)
{
    switch (message.Msg) {
    case WM_DESTROY:
        ForwardToOwner(message);
        TMessageWindow::WndProc(message);
        break;
    case CM_SHOWINGCHANGED:
    case WM_USER:
        TMessageWindow::WndProc(message);
        ForwardToOwner(message);
        break;
    default:
        TMessageWindow::WndProc(message);
    }
}

void TKvWdwStateHook::ForwardToOwner(TMessage& message)
{
    Dispatch([&] { ownerState_->DispatchMessage(message); });
}
