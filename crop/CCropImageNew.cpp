#include "crop/CCropImageNew.h"

#include <filesystem>

#include "crop/CropDialogTemplate.h"
#include "platform/automation/DispatchObject.h"
#include "platform/ui/CFileDialog.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/DataExchange.h"

namespace {

constexpr UINT kMaxSoftness = 30;
constexpr int kToleranceAtOpening = 15;
constexpr int kZoomLimit = 1000;
constexpr const char* kSelectionFilter = "*.sel | All Files (*.*)|*.*||";

struct ModeInfo {
    int radio;
    const char* interaction;
    const char* hint;
};

const ModeInfo& InfoOf(SelectionMode mode) {
    static const ModeInfo kModes[] = {
        {IDC_CROP_RECTANGLE, "SELECTRECT", "Use Arrow Keys to Move Mask Region"},
        {IDC_CROP_POLYGON, "SELECTPOLYGON", "Double Click to Close Outline"},
        {IDC_CROP_MAGIC_WAND, "SELECTMAGICWAND", "Use Arrow Keys to Move Mask Region"},
    };
    return kModes[int(mode)];
}

bool IsArrowKey(UINT_PTR key) { return key >= VK_LEFT && key <= VK_DOWN; }

}  // namespace

CCropImageNew::CCropImageNew(CWnd* pParent) : CDialog(CropDialogTemplate(), pParent) {
    MapCommand(IDC_CROP_RECTANGLE, BN_CLICKED, [this] { OnRectangle(); });
    MapCommand(IDC_CROP_POLYGON, BN_CLICKED, [this] { OnPolygon(); });
    MapCommand(IDC_CROP_MAGIC_WAND, BN_CLICKED, [this] { OnMagicWand(); });
    MapCommand(IDC_CROP_CLEAR, BN_CLICKED, [this] { OnClearSelection(); });
    MapCommand(IDC_CROP_INVERT, BN_CLICKED, [this] { OnInvertSelection(); });
    MapNotify(IDC_CROP_SPIN_SOFTNESS, UDN_DELTAPOS,
              [this](NMHDR* pNMHDR, LRESULT* pResult) { OnDeltaPosSoftness(pNMHDR, pResult); });
    MapCommand(IDC_CROP_APPLY, BN_CLICKED, [this] { OnCropSelection(); });
    MapCommand(IDC_CROP_SAVE, BN_CLICKED, [this] { OnSaveSelection(); });
    MapCommand(IDC_CROP_RECALL, BN_CLICKED, [this] { OnRecallSelection(); });
    MapCommand(IDC_CROP_RESET_ZOOM, BN_CLICKED, [this] { OnResetZoom(); });
    MapHScroll([this](UINT code, int pos, CWnd* slider) { OnHScroll(code, pos, slider); });
    MapEvent(IDC_CROP_VIEW, DISPID_IMAGEENX_POINTERMOVE,
             [this](Invocation&) { UpdateSelectionStatus(); });
    MapEvent(IDC_CROP_VIEW, DISPID_IMAGEENX_BUTTONDOWN,
             [this](Invocation& event) { OnViewButtonDown(event); });
    MapEvent(IDC_CROP_VIEW, DISPID_IMAGEENX_KEYDOWN,
             [this](Invocation& event) { OnViewKeyDown(event); });
}

CCropImageNew::~CCropImageNew() = default;

void CCropImageNew::Open(CWnd* pParent, CRastelCtrl* pCtrl, const std::string& dataFolder) {
    CCropImageNew dialog(pParent);
    dialog.m_pCtrl = pCtrl;
    dialog.m_strDataFolder = dataFolder;
    dialog.DoModal();
}

void CCropImageNew::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CROP_TOLERANCE, m_sldTolerance);
    DDX_Control(pDX, IDC_CROP_ZOOM, m_sldZoom);
    DDX_Text(pDX, IDC_CROP_SOFTNESS, m_nSoftness);
    DDV_MinMaxUInt(pDX, m_nSoftness, 0, kMaxSoftness);
    DDX_Control(pDX, IDC_CROP_VIEW, m_imageView);
}

bool CCropImageNew::HasDataFolder() const {
    std::error_code error;
    return !m_strDataFolder.empty() && std::filesystem::is_directory(m_strDataFolder, error);
}

BOOL CCropImageNew::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_pCtrl) m_pCtrl->SnapshotImage(SLOT_CHECKPOINT);
    m_sldZoom.SetRange(-kZoomLimit, kZoomLimit);
    m_sldZoom.SetSelection(-kZoomLimit, kZoomLimit);
    m_sldZoom.SetPos(0);
    m_sldTolerance.SetRange(0, 100);
    m_sldTolerance.SetSelection(0, 100);
    m_sldTolerance.SetPos(kToleranceAtOpening);
    const bool dataFolder = HasDataFolder();
    if (m_pCtrl && dataFolder) {
        m_pCtrl->m_strExportPath = PicturePath();
        m_pCtrl->ExportTga();
    }
    CheckDlgButton(IDC_CROP_RECTANGLE, BST_CHECKED);
    m_imageView.SetInteraction(InfoOf(SelectionMode::Rectangle).interaction, "1");
    m_imageView.SetFlag266(TRUE);
    if (dataFolder) m_imageView.LoadImageFile(PicturePath());
    m_imageView.FitImage();
    m_dFitZoom = m_imageView.GetZoom();
    m_sldTolerance.ShowWindow(SW_HIDE);
    std::error_code error;
    if (dataFolder && std::filesystem::exists(KeptSelectionPath(), error)) {
        m_imageView.LoadSelection(KeptSelectionPath());
        UpdateSelectionStatus();
    }
    return TRUE;
}

void CCropImageNew::ChangeMode(SelectionMode mode) {
    const ModeInfo& info = InfoOf(mode);
    m_imageView.SetInteraction(info.interaction, "1");
    if (mode != m_nMode) m_imageView.ClearSelection();
    SetDlgItemText(IDC_CROP_HINT, info.hint);
    m_nMode = mode;
    if (mode != SelectionMode::MagicWand) {
        m_sldTolerance.ShowWindow(SW_HIDE);
    } else {
        ShowToleranceAtFittedZoom();
    }
}

void CCropImageNew::ShowToleranceAtFittedZoom() {
    if (m_imageView.GetZoom() == m_dFitZoom) m_sldTolerance.ShowWindow(SW_SHOW);
}

void CCropImageNew::OnClearSelection() { m_imageView.ClearSelection(); }

void CCropImageNew::OnInvertSelection() { m_imageView.InvertSelection(); }

// The spin's default range already runs upward here, so its up arrow raises
// the softness as it is: the step is allowed as proposed.
void CCropImageNew::OnDeltaPosSoftness(NMHDR*, LRESULT* pResult) { *pResult = 0; }

void CCropImageNew::UpdateSelectionStatus() {
    if (!m_imageView.GetHasSelection()) return;
    const RECT shown{m_imageView.GetSelectionLeft(), m_imageView.GetSelectionTop(),
                     m_imageView.GetSelectionRight(), m_imageView.GetSelectionBottom()};
    if (shown.left == m_rcShown.left && shown.top == m_rcShown.top &&
        shown.right == m_rcShown.right && shown.bottom == m_rcShown.bottom) {
        return;
    }
    SetDlgItemText(IDC_CROP_POSITION,
                   "X: " + std::to_string(shown.left) + "\t\tY: " + std::to_string(shown.top));
    SetDlgItemText(IDC_CROP_SIZE, m_nMode == SelectionMode::Rectangle
                                      ? "Width: " + std::to_string(shown.right - shown.left) +
                                            "\tHeight: " + std::to_string(shown.bottom - shown.top)
                                      : std::string(" "));
    m_rcShown = shown;
    // The softness edit is left alone: a spin step not yet read stays shown.
}

void CCropImageNew::OnViewButtonDown(Invocation& event) {
    LONGLONG x = 0, y = 0;
    if (!event.ArgInteger(2, x) || !event.ArgInteger(3, y)) return;
    m_ptLastPress = POINT{LONG(x), LONG(y)};
}

void CCropImageNew::OnViewKeyDown(Invocation& event) {
    LONGLONG key = 0;
    if (!event.ArgInteger(0, key)) return;
    // The keyboard as it is now, not the shift text the event carries.
    const LONG step = GetKeyState(VK_SHIFT) < 0 ? 10 : 1;
    switch (key) {
        case VK_LEFT: m_imageView.MoveSelection(-step, 0); break;
        case VK_RIGHT: m_imageView.MoveSelection(step, 0); break;
        case VK_UP: m_imageView.MoveSelection(0, -step); break;
        case VK_DOWN: m_imageView.MoveSelection(0, step); break;
        default: return;
    }
    UpdateSelectionStatus();
}

BOOL CCropImageNew::PreTranslateMessage(MSG* pMsg) {
    if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) && !IsArrowKey(pMsg->wParam)) {
        return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CCropImageNew::OnHScroll(UINT, int, CWnd* pSlider) {
    if (!pSlider) return;
    const int id = pSlider->GetDlgCtrlID();
    auto* slider = GetDlgItemAs<CSliderCtrl>(id);
    if (!slider) return;
    const int position = slider->GetPos();
    // Reports a softness out of range; the zoom and the wand go on regardless.
    UpdateData(TRUE);
    if (id == IDC_CROP_ZOOM) {
        m_imageView.SetZoom(double(position));
        if (m_nMode == SelectionMode::MagicWand) {
            m_sldTolerance.ShowWindow(m_imageView.GetZoom() == m_dFitZoom ? SW_SHOW : SW_HIDE);
        }
    } else if (id == IDC_CROP_TOLERANCE && m_nMode == SelectionMode::MagicWand) {
        if (m_imageView.Query13() != 0 && m_imageView.Query14() != 0 &&
            m_imageView.GetZoom() == m_dFitZoom) {
            m_imageView.SetWandTolerance(position);
            m_imageView.WandSelectAt(m_ptLastPress.x, m_ptLastPress.y, 0);
        }
    }
}

void CCropImageNew::OnResetZoom() {
    m_imageView.FitImage();
    m_sldZoom.SetPos(0);
    if (m_nMode == SelectionMode::MagicWand) m_sldTolerance.ShowWindow(SW_SHOW);
}

void CCropImageNew::OnCropSelection() {
    if (!m_imageView.GetHasSelection()) return;
    // A softness out of range is reported and the crop not made.
    if (!UpdateData(TRUE) || !m_pCtrl || !HasDataFolder()) return;
    CWaitCursor wait;
    m_pCtrl->RestoreImage(SLOT_CHECKPOINT);

    // The mask: the selection white, the rest black, the selection as before.
    m_imageView.FillSelection("255,255,255");
    m_imageView.InvertSelection();
    m_imageView.FillSelection("0,0,0");
    m_imageView.InvertSelection();
    m_imageView.SetFlag266(FALSE);
    m_imageView.Command76(1);
    m_imageView.SaveImageFile(MaskPath());
    m_imageView.LoadImageFile(PicturePath());

    m_pCtrl->m_bMatteAlpha = FALSE;
    m_pCtrl->m_strMattePath = MaskPath();
    m_pCtrl->m_nEffectCode = EFFECT_CROP_MATTE;
    m_pCtrl->m_nMatteX = 0;
    m_pCtrl->m_nMatteY = 0;
    m_pCtrl->m_nBlurX = int32_t(m_nSoftness + 1);
    m_pCtrl->m_nBlurY = int32_t(m_nSoftness + 1);
    m_pCtrl->m_bInverseMatte = FALSE;
    m_pCtrl->ApplyEffect();

    m_imageView.InvertSelection();
    m_imageView.InvertSelection();
}

void CCropImageNew::OnSaveSelection() {
    CFileDialog dialog(FALSE, "sel", "*.sel", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       kSelectionFilter, this);
    if (dialog.DoModal() != IDOK) return;
    m_imageView.SaveSelection(dialog.GetPathName());
}

void CCropImageNew::OnRecallSelection() {
    CFileDialog dialog(TRUE, "sel", "*.sel", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       kSelectionFilter, this);
    if (dialog.DoModal() != IDOK) return;
    m_imageView.LoadSelection(dialog.GetPathName());
    UpdateSelectionStatus();
}

void CCropImageNew::OnOK() {
    if (HasDataFolder()) m_imageView.SaveSelection(KeptSelectionPath());
    if (m_pCtrl) m_pCtrl->SnapshotImage(SLOT_ORIGINAL);
    EndDialog(IDOK);
}

void CCropImageNew::OnCancel() {
    if (m_pCtrl) m_pCtrl->RestoreImage(SLOT_CHECKPOINT);
    EndDialog(IDCANCEL);
}
