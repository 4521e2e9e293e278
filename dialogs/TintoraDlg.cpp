// The tools dialog: construction, field exchange, initialisation, the Apply
// commands and the ways the dialog ends.

#include "dialogs/TintoraDlg.h"

#include <algorithm>

#include "dialogs/CMatteFile.h"
#include "dialogs/CSavePreset.h"
#include "dialogs/DataFolder.h"
#include "dialogs/DialogResources.h"
#include "dialogs/OptionExchange.h"
#include "platform/ui/CFileDialog.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/DataExchange.h"

namespace {

using namespace effects;

constexpr const char* kTgaFilter = "TGA Files (*.tga) | *.tga| All Files (*.*)|*.*||";

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
    DDV_Option(pDX, m_nPct, kPct);
    DDX_Text(pDX, IDC_DIR, m_nDir);
    DDV_Option(pDX, m_nDir, kDir);
    DDX_Control(pDX, IDC_MORE_EFFECTS, m_cbEffects);
    DDX_Text(pDX, IDC_FOCUS_SIZE, m_nFocusSize);
    DDV_Option(pDX, m_nFocusSize, kFocusSize);
    DDX_Text(pDX, IDC_BORDER_SIZE, m_nBorderSize);
    DDV_Option(pDX, m_nBorderSize, kBorderSize);
    DDX_Text(pDX, IDC_MOTION_X, m_nMotionX);
    DDV_Option(pDX, m_nMotionX, kMotionX);
    DDX_Text(pDX, IDC_MOTION_Y, m_nMotionY);
    DDV_Option(pDX, m_nMotionY, kMotionY);
    DDX_Text(pDX, IDC_TRANSP, m_nTransp);
    DDV_Option(pDX, m_nTransp, kTransp);
    DDX_Text(pDX, IDC_OFFSET_BLUR, m_nOffsetBlur);
    DDV_Option(pDX, m_nOffsetBlur, kLayerBlur);
    DDX_Text(pDX, IDC_BORDER_BLUR, m_nBorderBlur);
    DDV_Option(pDX, m_nBorderBlur, kLayerBlur);
    DDX_Check(pDX, IDC_COLOR_SHIFT, m_bColorShift);
}

BOOL TintoraDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemInt(IDC_OFFSET_X, UINT(m_nOffsetX), TRUE);
    SetDlgItemInt(IDC_OFFSET_Y, UINT(m_nOffsetY), TRUE);
    GetDlgItemAs<CSpinButtonCtrl>(IDC_SPIN_PCT)->SetRange(short(kPct.min), short(kPct.max));
    LoadPresets();
    RecallPreset(0);
    GetDlgItemAs<CSpinButtonCtrl>(IDC_SPIN_DIR)->SetRange(short(kDir.min), short(kDir.max));
    m_bInitialized = true;
    CheckDlgButton(IDC_PRESET1, BST_UNCHECKED);
    m_nCurrentPreset = 1;
    // Color Shift is never stored in a preset, so every run starts without it.
    if (m_pCtrl) m_pCtrl->m_bSwapRedBlue = FALSE;
    return TRUE;
}

void TintoraDlg::OnApplyOffset() {
    if (!kShadowX.Accepts(m_nOffsetX) || !kShadowY.Accepts(m_nOffsetY)) {
        AfxMessageBox(kShadowX.RangeMessage());
        return;
    }
    if (!UpdateData(TRUE)) return;
    Apply(EFFECT_SHADOW, {{&kShadowX, m_nOffsetX},
                          {&kShadowY, m_nOffsetY},
                          {&kColor, m_crColor},
                          {&kTransp, m_nTransp},
                          {&kLayerBlur, m_nOffsetBlur}});
}

void TintoraDlg::OnApplyBorder() {
    if (!UpdateData(TRUE)) return;
    Apply(EFFECT_BORDER, {{&kColor, m_crColor},
                          {&kBorderSize, m_nBorderSize},
                          {&kTransp, m_nTransp},
                          {&kLayerBlur, m_nBorderBlur}});
}

void TintoraDlg::OnApplyMotionBlur() {
    if (!UpdateData(TRUE)) return;
    Apply(EFFECT_MOTION_BLUR, {{&kMotionX, m_nMotionX}, {&kMotionY, m_nMotionY}});
}

// The focus leaves the opacity unread; the dialog hands it on all the same.
void TintoraDlg::OnApplyFocus() {
    if (!UpdateData(TRUE)) return;
    Apply(EFFECT_FOCUS, {{&kFocusSize, m_nFocusSize}, {&kTransp, m_nTransp}});
}

void TintoraDlg::OnApplyMoreEffects() {
    if (!UpdateData(TRUE)) return;
    const EffectEntry* effect = SelectedMoreEffect();
    // The effect's own Pct range (Bevel and Emboss: at most 20).
    if (const EffectOption* pct = effect ? effect->Reads(kPct) : nullptr;
        pct && !pct->Accepts(m_nPct)) {
        AfxMessageBox(pct->RangeMessage());
        return;
    }
    // The empty entry, or no selection, runs nothing.
    if (effect) Apply(effect->code, {{&kPct, m_nPct}, {&kDir, m_nDir}, {&kColor, m_crColor}});
}

void TintoraDlg::Apply(uint32_t code, const std::vector<effects::OptionSetting>& settings) {
    if (!m_pCtrl) return;
    CWaitCursor wait;
    FillRecord(*m_pCtrl, code, settings);
    m_pCtrl->ApplyEffect();
}

const EffectEntry* TintoraDlg::SelectedMoreEffect() const {
    const int selected = m_cbEffects.GetCurSel();
    return selected < 0 ? nullptr : FindMoreEffect(m_cbEffects.GetLBText(selected));
}

void TintoraDlg::UpdateEffectControls() {
    const EffectEntry* effect = SelectedMoreEffect();
    const EffectOption* pctOption = effect ? effect->Reads(kPct) : nullptr;
    const int maxPct = int(pctOption ? pctOption->max : kPct.max);
    if (auto* pctSpin = GetDlgItemAs<CSpinButtonCtrl>(IDC_SPIN_PCT)) {
        pctSpin->SetRange(short(kPct.min), short(maxPct));
    }
    // Only an effect that narrows Pct brings the edit down; the member follows
    // the edit at the next exchange.
    if (maxPct < kPct.max && m_nPct > maxPct) SetDlgItemInt(IDC_PCT, UINT(maxPct), TRUE);

    const MoreEffectsEdits edits = effect ? effect->edits : MoreEffectsEdits::Pct;
    const bool pct = edits != MoreEffectsEdits::None;
    const bool dir = edits == MoreEffectsEdits::PctAndDir;
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
    const EffectOption& option = nEdit == IDC_OFFSET_X ? kShadowX : kShadowY;
    nOffset = int(std::clamp<int64_t>(int64_t(nOffset) + change->iDelta, option.min, option.max));
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
