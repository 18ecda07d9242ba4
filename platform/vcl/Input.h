#pragma once
// Keyboard and mouse input as the screens see it: Windows virtual-key codes, the shift
// state, mouse buttons, and their conversion from Qt's events.

#include <Qt>
#include <cstdint>

class QKeyEvent;

using TKey = std::uint16_t; // a virtual-key code; 0 means "no key" (swallowed)

enum : TKey {
    VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18,
    VK_PAUSE = 19, VK_CAPITAL = 20, VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33,
    VK_NEXT = 34, VK_END = 35, VK_HOME = 36, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39,
    VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46,
    VK_NUMPAD0 = 96, VK_MULTIPLY = 106, VK_ADD = 107, VK_SUBTRACT = 109, VK_DECIMAL = 110,
    VK_DIVIDE = 111, VK_F1 = 112, VK_F4 = 115, VK_F12 = 123,
    VK_OEM_1 = 186, VK_OEM_PLUS = 187, VK_OEM_COMMA = 188, VK_OEM_MINUS = 189,
    VK_OEM_PERIOD = 190, VK_OEM_2 = 191, VK_OEM_3 = 192, VK_OEM_4 = 219, VK_OEM_5 = 220,
    VK_OEM_6 = 221, VK_OEM_7 = 222,
};
// Letters and digits are their upper-case ASCII codes ('A' = 65, '0' = 48).

using TShiftState = unsigned;
enum : TShiftState {
    ssShift = 1u << 0, ssAlt = 1u << 1, ssCtrl = 1u << 2,
    ssLeft = 1u << 3, ssRight = 1u << 4, ssMiddle = 1u << 5,
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// The virtual-key code of a key event (US key positions for punctuation; 0 when the key
// has no code, for example a dead key or an input-method key).
TKey VirtualKey(const QKeyEvent& event);
TKey VirtualKey(int qtKey, Qt::KeyboardModifiers modifiers);

TShiftState ShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);
TMouseButton MouseButton(Qt::MouseButton button);

// The character a key press types, as a control's OnKeyPress sees it: 13 for Enter, 27 for
// Esc, 8 for Backspace, control codes with Ctrl; 0 for keys that type nothing, for Alt
// combinations and for characters outside the basic plane.
char16_t KeyChar(const QKeyEvent& event);
