#pragma once
// The keyboard as the platform presents it: virtual key codes, the state of
// a key at this moment, and the key messages a dialog sees before they are
// dispatched.

#include "platform/ui/WinUser.h"

constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_DELETE = 0x2E;

constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;

struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    UINT_PTR wParam = 0;
    intptr_t lParam = 0;
};

// Negative (the high bit set) while the key is held down. Known for Shift,
// Ctrl and Alt; every other key reads as up.
SHORT GetKeyState(int virtualKey);

// The virtual key of a Qt key code: letters and digits as their upper-case
// characters, the keys above by name; 0 for a key without one.
int VirtualKeyFromQt(int qtKey);
