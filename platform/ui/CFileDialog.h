#pragma once
// The common open and save-as dialogs, asked through the operator prompts.

#include <string>

#include "platform/prompts/CommonDialogs.h"
#include "platform/ui/WinUser.h"

class CWnd;

class CFileDialog {
public:
    CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr, LPCSTR lpszFileName = nullptr,
                DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR lpszFilter = nullptr,
                CWnd* pParentWnd = nullptr);

    // IDOK when the operator chose a file, IDCANCEL otherwise.
    INT_PTR DoModal();
    // The full path chosen.
    std::string GetPathName() const { return m_strPathName; }

    FileDialogRequest m_request;

private:
    std::string m_strPathName;
};
