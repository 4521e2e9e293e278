#pragma once
// The common colour dialog, asked through the operator prompts. Its 16 custom
// colours are shared by every colour dialog of the process, as the framework
// keeps them.

#include "platform/prompts/CommonDialogs.h"
#include "platform/ui/WinUser.h"

class CWnd;

class CColorDialog {
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    // IDOK when the operator chose a colour, IDCANCEL otherwise.
    INT_PTR DoModal();
    COLORREF GetColor() const { return m_cc.rgbResult; }
    static COLORREF* GetSavedCustomColors();

    CHOOSECOLOR m_cc;
};
