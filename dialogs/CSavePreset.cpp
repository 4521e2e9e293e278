#include "dialogs/CSavePreset.h"

#include "dialogs/DialogResources.h"
#include "platform/ui/DataExchange.h"

CSavePreset::CSavePreset() : CDialog(SavePresetTemplate()) {}

void CSavePreset::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PRESET_NUMBER, m_nPreset);
    DDV_MinMaxInt(pDX, m_nPreset, 1, 4);
}

BOOL CSavePreset::OnInitDialog() {
    CDialog::OnInitDialog();
    return TRUE;
}

void CSavePreset::OnOK() { CDialog::OnOK(); }
