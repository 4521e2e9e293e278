#pragma once
// The about box: the module's picture, the product name with the version of
// the module file, a copyright line and the maker's line; no buttons.

#include "control/ModuleIds.h"
#include "platform/ui/CDialog.h"

class CAboutBox : public CDialog {
public:
    enum { IDD = IDD_ABOUTBOX_RASTEL };

    explicit CAboutBox(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
};

DialogTemplate AboutBoxTemplate();
