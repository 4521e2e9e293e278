// The tools dialog: construction, field exchange, initialisation, the Apply
// commands and the ways the dialog ends.

#include "dialogs/TintoraDlg.h"

#include <algorithm>

#include "dialogs/CMatteFile.h"
#include "dialogs/CSavePreset.h"
#include "dialogs/DataFolder.h"
#include "dialogs/DialogResources.h"
#include "dialogs/MoreEffects.h"
#include "platform/ui/CFileDialog.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/DataExchange.h"

namespace {

constexpr const char* kOffsetMessage = "Please enter an integer betoween -100 and 100.";
constexpr const char* kMaxPctMessage = "Maximum Pct is 20 for this effect";
constexpr const char* kTgaFilter = "TGA Files (*.tga) | *.tga| All Files (*.*)|*.*||";
constexpr int kOffsetLimit = 100;

TintoraDlg::CropDialogOpener& CropDialog() {
    static TintoraDlg::CropDialogOpener opener;
    return opener;
}

}  // namespace

TintoraDlg::CropDialogOpener TintoraDlg::InstallCropDialog(CropDialogOpener opener) {
    CropDialogOpener previous = std::move(CropDialog());
    CropDialog() = std::move(opener);
    return previous;
}

TintoraDlg::TintoraDlg(CRastelCtrl* pCtrl) : CDialog(TintoraDialogTemplate()), m_pCtrl(pCtrl) {
    ComputeDataFolder();

    MapCommand(IDC_APPLY_OFFSET, BN_CLICKED, [this] { OnApplyOffset(); });
    MapCommand(IDC_APPLY_BORDER, BN_CLICKED, [this] { OnApplyBorder(); });
    MapCommand(IDC_APPLY_MOTION, BN_CLICKED, [this] { OnApplyMotionBlur(); });
    MapCommand(IDC_APPLY_FOCUS, BN_CLICKED, [this] { OnApplyFocus(); });
    MapCommand(IDC_APPLY_MORE, BN_CLICKED, [this] { OnApplyMoreEffects(); });
    MapCommand(IDC_MORE_EFFECTS, CBN_SELCHANGE, [this] { UpdateEffectControls(); });
    MapCommand(IDC_RESTORE, BN_CLICKED, [this] { OnRestore(); });
    MapCommand(IDC_COLOR_SHIFT, BN_CLICKED, [this] { OnColorShift(); });
    MapCommand(IDC_EXPORT, BN_CLICKED, [this] { OnExport(); });
    MapCommand(IDC_MATTE, BN_CLICKED, [this] { OnMatte(); });
    MapCommand(IDC_CROP, BN_CLICKED, [this] { OnCrop(); });
    MapCommand(IDC_PALETTE, BN_CLICKED, [this] { OnPalette(); });
    MapCommand(IDC_TRANSP, EN_CHANGE, [this] { OnChangeTransp(); });
    MapNotify(IDC_SPIN_TRANSP, UDN_DELTAPOS, [this](NMHDR*, LRESULT* pResult) {
        OnChangeTransp();
        *pResult = 0;
    });
    MapCommand(IDC_OFFSET_X, EN_CHANGE, [this] { OnChangeOffsetX(); });
    MapCommand(IDC_OFFSET_Y, EN_CHANGE, [this] { OnChangeOffsetY(); });
    MapNotify(IDC_SPIN_OFFSET_X, UDN_DELTAPOS, [this](NMHDR* pNMHDR, LRESULT* pResult) {
        OnDeltaPosOffset(pNMHDR, pResult, m_nOffsetX, IDC_OFFSET_X);
    });
    MapNotify(IDC_SPIN_OFFSET_Y, UDN_DELTAPOS, [this](NMHDR* pNMHDR, LRESULT* pResult) {
        OnDeltaPosOffset(pNMHDR, pResult, m_nOffsetY, IDC_OFFSET_Y);
    });
    MapCommand(IDC_PRESET1, BN_CLICKED, [this] { OnPreset(1); });
    MapCommand(IDC_PRESET2, BN_CLICKED, [this] { OnPreset(2); });
    MapCommand(IDC_PRESET3, BN_CLICKED, [this] { OnPreset(3); });
    MapCommand(IDC_PRESET4, BN_CLICKED, [this] { OnPreset(4); });
    MapCommand(IDC_SAVE_PRESET, BN_CLICKED, [this] { OnSavePreset(); });
    MapCommand(IDC_CANCEL_RESTORE, BN_CLICKED, [this] { OnCancelButton(); });
    MapMessage(WM_CLOSE, [this] { OnClose(); });
    MapMessage(WM_PAINT, [this] { OnPaint(); });
}

TintoraDlg::~TintoraDlg() = default;

void TintoraDlg::ComputeDataFolder() { m_strDataFolder = ModuleDataFolder(); }

void TintoraDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PCT, m_nPct);
    DDV_MinMaxInt(pDX, m_nPct, 0, 100);
    DDX_Text(pDX, IDC_DIR, m_nDir);
    DDV_MinMaxInt(pDX, m_nDir, 0, 359);
    DDX_Control(pDX, IDC_MORE_EFFECTS, m_cbEffects);
    DDX_Text(pDX, IDC_FOCUS_SIZE, m_nFocusSize);
    DDV_MinMaxUInt(pDX, m_nFocusSize, 1, 50);
    DDX_Text(pDX, IDC_BORDER_SIZE, m_nBorderSize);
    DDV_MinMaxUInt(pDX, m_nBorderSize, 0, 100);
    DDX_Text(pDX, IDC_MOTION_X, m_nMotionX);
    DDV_MinMaxUInt(pDX, m_nMotionX, 0, 100);
    DDX_Text(pDX, IDC_MOTION_Y, m_nMotionY);
    DDV_MinMaxUInt(pDX, m_nMotionY, 0, 100);
    DDX_Text(pDX, IDC_TRANSP, m_nTransp);
    DDV_MinMaxUInt(pDX, m_nTransp, 0, 100);
    DDX_Text(pDX, IDC_OFFSET_BLUR, m_nOffsetBlur);
    DDV_MinMaxUInt(pDX, m_nOffsetBlur, 0, 100);
    DDX_Text(pDX, IDC_BORDER_BLUR, m_nBorderBlur);
    DDV_MinMaxUInt(pDX, m_nBorderBlur, 0, 100);
    DDX_Check(pDX, IDC_COLOR_SHIFT, m_bColorShift);
}

BOOL TintoraDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemInt(IDC_OFFSET_X, UINT(m_nOffsetX), TRUE);
    SetDlgItemInt(IDC_OFFSET_Y, UINT(m_nOffsetY), TRUE);
    GetDlgItemAs<CSpinButtonCtrl>(IDC_SPIN_PCT)->SetRange(0, 100);
    LoadPresets();
    RecallPreset(0);
    GetDlgItemAs<CSpinButtonCtrl>(IDC_SPIN_DIR)->SetRange(0, 359);
    m_bInitialized = true;
    CheckDlgButton(IDC_PRESET1, BST_UNCHECKED);
    m_nCurrentPreset = 1;
    // Color Shift is never stored in a preset, so every run starts without it.
    if (m_pCtrl) m_pCtrl->m_bSwapRedBlue = FALSE;
    return TRUE;
}

void TintoraDlg::OnApplyOffset() {
    if (m_nOffsetX < -kOffsetLimit || m_nOffsetX > kOffsetLimit || m_nOffsetY < -kOffsetLimit ||
        m_nOffsetY > kOffsetLimit) {
        AfxMessageBox(kOffsetMessage);
        return;
    }
    if (!UpdateData(TRUE) || !m_pCtrl) return;
    CWaitCursor wait;
    m_pCtrl->m_nShadowX = m_nOffsetX;
    m_pCtrl->m_nShadowY = m_nOffsetY;
    m_pCtrl->m_crEffect = m_crColor;
    m_pCtrl->m_nOpacity = 100 - int(m_nTransp);
    m_pCtrl->m_nEffectCode = EFFECT_SHADOW;
    m_pCtrl->m_nBlur = int(m_nOffsetBlur);
    m_pCtrl->ApplyEffect();
}

void TintoraDlg::OnApplyBorder() {
    if (!UpdateData(TRUE) || !m_pCtrl) return;
    CWaitCursor wait;
    m_pCtrl->m_crEffect = m_crColor;
    m_pCtrl->m_nSize = m_nBorderSize;
    m_pCtrl->m_nEffectCode = EFFECT_BORDER;
    m_pCtrl->m_nOpacity = 100 - int(m_nTransp);
    m_pCtrl->m_nBlur = int(m_nBorderBlur);
    m_pCtrl->ApplyEffect();
}

void TintoraDlg::OnApplyMotionBlur() {
    if (!UpdateData(TRUE) || !m_pCtrl) return;
    CWaitCursor wait;
    m_pCtrl->m_nBlurX = int(m_nMotionX);
    m_pCtrl->m_nBlurY = int(m_nMotionY);
    m_pCtrl->m_nEffectCode = EFFECT_MOTION_BLUR;
    m_pCtrl->ApplyEffect();
}

void TintoraDlg::OnApplyFocus() {
    if (!UpdateData(TRUE) || !m_pCtrl) return;
    CWaitCursor wait;
    m_pCtrl->m_nSize = m_nFocusSize;
    m_pCtrl->m_nEffectCode = EFFECT_FOCUS;
    m_pCtrl->m_nOpacity = 100 - int(m_nTransp);
    m_pCtrl->ApplyEffect();
}

void TintoraDlg::OnApplyMoreEffects() {
    if (!UpdateData(TRUE)) return;
    const int selected = m_cbEffects.GetCurSel();
    if ((selected == kMoreEffectBevel || selected == kMoreEffectEmboss) &&
        m_nPct > kEmbossBevelMaxPct) {
        AfxMessageBox(kMaxPctMessage);
        return;
    }
    if (selected < 1 || selected >= kMoreEffectCount || !m_pCtrl) return;
    CWaitCursor wait;
    m_pCtrl->m_nEffectCode = kMoreEffects[selected].effectCode;
    m_pCtrl->m_dPct = double(m_nPct);
    m_pCtrl->m_dDir = double(m_nDir);
    m_pCtrl->m_crEffect = m_crColor;
    m_pCtrl->ApplyEffect();
}

void TintoraDlg::UpdateEffectControls() {
    const int selected = m_cbEffects.GetCurSel();
    const bool embossOrBevel = selected == kMoreEffectBevel || selected == kMoreEffectEmboss;
    if (auto* pctSpin = GetDlgItemAs<CSpinButtonCtrl>(IDC_SPIN_PCT)) {
        pctSpin->SetRange(0, short(embossOrBevel ? kEmbossBevelMaxPct : 100));
    }
    // The member follows the edit at the next exchange.
    if (embossOrBevel && m_nPct > kEmbossBevelMaxPct) {
        SetDlgItemInt(IDC_PCT, UINT(kEmbossBevelMaxPct), TRUE);
    }

    bool pct = true;
    bool dir = false;
    if (selected == kMoreEffectAddNoise || selected == kMoreEffectReduceNoise ||
        selected == kMoreEffectGrayscale) {
        pct = false;
    } else if (embossOrBevel) {
        dir = true;
    }
    GetDlgItem(IDC_PCT)->EnableWindow(pct);
    GetDlgItem(IDC_DIR)->EnableWindow(dir);
    GetDlgItem(IDC_PCT_LABEL)->EnableWindow(pct);
    GetDlgItem(IDC_DIR_LABEL)->EnableWindow(dir);
    GetDlgItem(IDC_SPIN_PCT)->EnableWindow(pct);
}

void TintoraDlg::OnRestore() {
    if (m_pCtrl) m_pCtrl->RestoreImage(SLOT_ORIGINAL);
}

void TintoraDlg::OnColorShift() {
    // A value that fails the exchange does not keep the picture from changing.
    UpdateData(TRUE);
    if (!m_pCtrl) return;
    m_pCtrl->m_bSwapRedBlue = m_bColorShift;
    m_pCtrl->RestoreImage(SLOT_ORIGINAL);
}

void TintoraDlg::OnExport() {
    CFileDialog dialog(FALSE, ".tga", "untitled.tga", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       kTgaFilter, this);
    if (dialog.DoModal() != IDOK || !m_pCtrl) return;
    m_pCtrl->m_strExportPath = dialog.GetPathName();
    m_pCtrl->ExportTga();
}

void TintoraDlg::RunMinimised(const std::function<void()>& subDialog) {
    WINDOWPLACEMENT placement;
    const bool placed = GetWindowPlacement(&placement);
    if (placed) {
        placement.showCmd = SW_MINIMIZE;
        SetWindowPlacement(&placement);
    }
    subDialog();
    if (placed) {
        placement.showCmd = SW_RESTORE;
        SetWindowPlacement(&placement);
    }
}

void TintoraDlg::OnMatte() {
    RunMinimised([this] {
        CMatteFile dialog(this);
        dialog.m_pCtrl = m_pCtrl;
        dialog.m_strFile = m_strMatteFile;
        dialog.DoModal();
        m_strMatteFile = dialog.m_strFile;
    });
}

void TintoraDlg::OnCrop() {
    const CropDialogOpener opener = CropDialog();
    if (!opener) return;
    RunMinimised([&] { opener(this, m_pCtrl, m_strDataFolder); });
}

void TintoraDlg::OnChangeOffsetX() {
    // Anything but a whole number counts as 0.
    m_nOffsetX = int(GetDlgItemInt(IDC_OFFSET_X, nullptr, TRUE));
}

void TintoraDlg::OnChangeOffsetY() { m_nOffsetY = int(GetDlgItemInt(IDC_OFFSET_Y, nullptr, TRUE)); }

void TintoraDlg::OnDeltaPosOffset(NMHDR* pNMHDR, LRESULT* pResult, int& nOffset, int nEdit) {
    const auto* change = reinterpret_cast<NMUPDOWN*>(pNMHDR);
    nOffset = int(std::clamp<long long>(static_cast<long long>(nOffset) + change->iDelta,
                                        -kOffsetLimit, kOffsetLimit));
    SetDlgItemInt(nEdit, UINT(nOffset), TRUE);
    *pResult = 0;
}

void TintoraDlg::OnPreset(int nSlot) {
    RecallPreset(nSlot);
    m_nCurrentPreset = nSlot;
}

void TintoraDlg::OnSavePreset() {
    CSavePreset dialog;
    dialog.m_nPreset = m_nCurrentPreset;
    if (dialog.DoModal() != IDOK) return;
    // Save stores what the controls show, even past a value that fails.
    UpdateData(TRUE);
    StorePreset(dialog.m_nPreset);
}

void TintoraDlg::OnOK() {
    StorePreset(0);
    SavePresets();
    CDialog::OnOK();
}

void TintoraDlg::OnCancelButton() {
    if (m_pCtrl) m_pCtrl->RestoreImage(SLOT_ORIGINAL);
    StorePreset(0);
    SavePresets();
    EndDialog(IDCANCEL);
}

void TintoraDlg::OnClose() {
    StorePreset(0);
    SavePresets();
    CDialog::OnClose();
}

void TintoraDlg::OnCancel() { CDialog::OnCancel(); }

void TintoraDlg::OnPaint() {
    CPaintDC dc(this);
    DrawSwatch(&dc);
}

void TintoraDlg::OnChangeTransp() {
    CClientDC dc(this);
    DrawSwatch(&dc);
}
