#pragma once
// Asks for the number (1 to 4) of the preset slot to store the tools dialog's
// values in.

#include "dialogs/Resource.h"
#include "platform/ui/CDialog.h"

class CSavePreset : public CDialog {
public:
    enum { IDD = IDD_SAVE_PRESET };

    CSavePreset();

    int m_nPreset = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
};
