#pragma once
// What the operator is asked through the platform's common dialogs, and the
// window states the dialogs change, in the platform's own terms.

#include <string>

#include "platform/automation/Types.h"

// A window, as the platform identifies it; opaque outside the windowing layer.
struct HWND__;
using HWND = HWND__*;

struct POINT {
    LONG x = 0;
    LONG y = 0;
};

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

constexpr UINT SW_HIDE = 0;
constexpr UINT SW_SHOWNORMAL = 1;
constexpr UINT SW_SHOWMINIMIZED = 2;
constexpr UINT SW_SHOW = 5;
constexpr UINT SW_MINIMIZE = 6;
constexpr UINT SW_RESTORE = 9;

struct WINDOWPLACEMENT {
    UINT length = sizeof(WINDOWPLACEMENT);
    UINT flags = 0;
    UINT showCmd = SW_SHOWNORMAL;
    POINT ptMinPosition;
    POINT ptMaxPosition;
    RECT rcNormalPosition;
};

constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

// The open or save-as dialog.
struct FileDialogRequest {
    bool openFileDialog = true;
    // As the caller wrote it; a leading dot is not part of the extension.
    std::string defaultExt;
    std::string fileName;
    DWORD flags = 0;
    // The platform's filter syntax: label and pattern pairs separated by bars,
    // ended by two bars ("TGA Files (*.tga)|*.tga|All Files (*.*)|*.*||").
    std::string filter;
    HWND owner = nullptr;
};

constexpr DWORD CC_RGBINIT = 0x00000001;
constexpr DWORD CC_FULLOPEN = 0x00000002;

// The colour dialog: rgbResult is the initial colour on the way in and the
// chosen one on the way out; the 16 custom colours are read and written in place.
struct CHOOSECOLOR {
    HWND hwndOwner = nullptr;
    COLORREF rgbResult = 0;
    COLORREF* lpCustColors = nullptr;
    DWORD Flags = 0;
};

constexpr int kCustomColorCount = 16;
