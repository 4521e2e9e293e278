#pragma once
// Window styles, notifications and messages of the platform's dialogs and
// controls, with the platform's numeric values.

#include <cstdint>

#include "platform/prompts/CommonDialogs.h"

using INT_PTR = intptr_t;
using UINT_PTR = uintptr_t;
using LRESULT = intptr_t;

// Window styles.
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;

// Dialog styles.
constexpr DWORD DS_SETFONT = 0x40;
constexpr DWORD DS_MODALFRAME = 0x80;

// Button styles; the low four bits are the kind of button.
constexpr DWORD BS_PUSHBUTTON = 0x0;
constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
constexpr DWORD BS_CHECKBOX = 0x2;
constexpr DWORD BS_AUTOCHECKBOX = 0x3;
constexpr DWORD BS_RADIOBUTTON = 0x4;
constexpr DWORD BS_GROUPBOX = 0x7;
constexpr DWORD BS_AUTORADIOBUTTON = 0x9;
constexpr DWORD BS_TYPEMASK = 0xF;
constexpr DWORD BS_MULTILINE = 0x2000;

// Edit styles.
constexpr DWORD ES_LEFT = 0x0;
constexpr DWORD ES_AUTOHSCROLL = 0x80;
constexpr DWORD ES_READONLY = 0x800;
constexpr DWORD ES_NUMBER = 0x2000;

// Static styles.
constexpr DWORD SS_LEFT = 0x0;
constexpr DWORD SS_CENTER = 0x1;
constexpr DWORD SS_RIGHT = 0x2;

// Combo box styles.
constexpr DWORD CBS_SIMPLE = 0x1;
constexpr DWORD CBS_DROPDOWN = 0x2;
constexpr DWORD CBS_DROPDOWNLIST = 0x3;
constexpr DWORD CBS_SORT = 0x100;

// Up-down (spin) styles.
constexpr DWORD UDS_WRAP = 0x1;
constexpr DWORD UDS_SETBUDDYINT = 0x2;
constexpr DWORD UDS_ALIGNRIGHT = 0x4;
constexpr DWORD UDS_AUTOBUDDY = 0x10;
constexpr DWORD UDS_ARROWKEYS = 0x20;
constexpr DWORD UDS_NOTHOUSANDS = 0x80;

// Trackbar (slider) styles.
constexpr DWORD TBS_AUTOTICKS = 0x1;
constexpr DWORD TBS_NOTICKS = 0x10;
constexpr DWORD TBS_ENABLESELRANGE = 0x20;

// Notifications.
constexpr UINT BN_CLICKED = 0;
constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT EN_CHANGE = 0x0300;
constexpr UINT UDN_DELTAPOS = 0u - 722u;

// Messages that handlers can be bound to.
constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_HSCROLL = 0x0114;

// Button states.
constexpr UINT BST_UNCHECKED = 0;
constexpr UINT BST_CHECKED = 1;

constexpr int CB_ERR = -1;
constexpr int PS_SOLID = 0;

struct NMHDR {
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    UINT code = 0;
};

struct NMUPDOWN {
    NMHDR hdr;
    int iPos = 0;
    int iDelta = 0;
};

// Trackbar scroll codes carried by WM_HSCROLL.
constexpr UINT TB_THUMBTRACK = 5;
constexpr UINT TB_ENDTRACK = 8;

inline constexpr COLORREF RGB(int r, int g, int b) {
    return COLORREF(BYTE(r)) | COLORREF(BYTE(g)) << 8 | COLORREF(BYTE(b)) << 16;
}
inline constexpr BYTE GetRValue(COLORREF c) { return BYTE(c); }
inline constexpr BYTE GetGValue(COLORREF c) { return BYTE(c >> 8); }
inline constexpr BYTE GetBValue(COLORREF c) { return BYTE(c >> 16); }
