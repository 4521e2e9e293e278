#include "platform/ui/CColorDialog.h"

#include "platform/prompts/Prompts.h"
#include "platform/ui/CWnd.h"

namespace {

// The framework starts the custom colours white.
COLORREF g_customColors[kCustomColorCount] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};

}  // namespace

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) {
    m_cc.hwndOwner = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
    m_cc.rgbResult = clrInit;
    m_cc.Flags = dwFlags | (clrInit != 0 ? CC_RGBINIT : 0);
    m_cc.lpCustColors = g_customColors;
}

INT_PTR CColorDialog::DoModal() { return CurrentPrompts().ChooseColor(m_cc) ? IDOK : IDCANCEL; }

COLORREF* CColorDialog::GetSavedCustomColors() { return g_customColors; }
