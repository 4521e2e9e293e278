#include "platform/ui/CFileDialog.h"

#include "platform/prompts/Prompts.h"
#include "platform/ui/CWnd.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt, LPCSTR lpszFileName,
                         DWORD dwFlags, LPCSTR lpszFilter, CWnd* pParentWnd) {
    m_request.openFileDialog = bOpenFileDialog != FALSE;
    m_request.defaultExt = lpszDefExt ? lpszDefExt : "";
    m_request.fileName = lpszFileName ? lpszFileName : "";
    m_request.flags = dwFlags;
    m_request.filter = lpszFilter ? lpszFilter : "";
    m_request.owner = pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr;
}

INT_PTR CFileDialog::DoModal() {
    std::string path;
    if (CurrentPrompts().FileDialog(m_request, path) != IDOK) return IDCANCEL;
    m_strPathName = path;
    return IDOK;
}
