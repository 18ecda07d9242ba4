#pragma once
// Window messages over Qt events. Any widget can be given a window handle; a message sent
// to a handle runs the window's procedure at once, a posted one when the event loop
// delivers it (as a Qt event, WindowMessage.h). The procedure can be replaced (subclassing):
// the replacement keeps the previous one and passes on what it does not handle with
// CallWindowProc. The first procedure of a window is its own message handling: WndProc of a
// TMessageWindow, DefWindowProc (nothing, result 0) for any other widget.
//
// Messages the layer raises itself:
// - CM_SHOWINGCHANGED, sent when the widget's visibility changes (a child is told before
//   its parent's own show event);
// - WM_DESTROY, sent by DestroyWindow and by a TMessageWindow as it is destroyed (a widget
//   being deleted is told of it by a TMessageWindow child, like the hooks of components).
//   A handle is released after its WM_DESTROY, and when its widget is deleted; messages to
//   it are then dropped.

#include "platform/winapi/WindowMessage.h"

#include <QWidget>
#include <functional>

inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_USER = 0x0400;
// The class library's notice that a control's showing changed (not a system message).
inline constexpr UINT CM_SHOWINGCHANGED = 0xB015;

struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

using TWndProc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

// The handle of the widget's window, made on first request; 0 for no widget.
HWND WindowHandle(QWidget* widget);
// The widget of a live handle; nullptr for 0, an unknown or a released handle.
QWidget* FindWindowWidget(HWND window);
bool IsWindow(HWND window);

// Runs the message through the window's procedure now; 0 for an unknown window.
LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
// Queues the message; false for an unknown window.
bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// Installs proc as the window's procedure and returns the one it replaces (empty for an
// unknown window, where nothing is installed).
TWndProc SetWindowProc(HWND window, TWndProc proc);
LRESULT CallWindowProc(const TWndProc& proc, HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// Sends WM_DESTROY to the window, then to its child windows that have handles, and
// releases their handles. The widgets themselves stay.
void DestroyWindow(HWND window);

// A widget that handles its own messages. A subclass overrides WndProc and, because a
// destructor cannot reach an override, calls DestroyHandle in its own destructor so that
// its WM_DESTROY handling still runs.
class TMessageWindow : public QWidget {
public:
    explicit TMessageWindow(QWidget* parent = nullptr);
    ~TMessageWindow() override;

    HWND Handle() { return WindowHandle(this); }
    // The window's own message handling; the default passes to DefWindowProc.
    virtual void WndProc(TMessage& message);

protected:
    void DestroyHandle();
};
