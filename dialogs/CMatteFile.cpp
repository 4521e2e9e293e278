#include "dialogs/CMatteFile.h"

#include <filesystem>

#include "dialogs/DialogResources.h"
#include "platform/ui/CFileDialog.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/DataExchange.h"

namespace {

constexpr const char* kNoMatteMessage = "Matte file does not exist";
constexpr const char* kTgaFilter = "TGA Files (*.tga) | *.tga| All Files (*.*)|*.*||";
constexpr UINT kOffsetLimit = 1000;

bool FileExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::exists(path, error) &&
           !std::filesystem::is_directory(path, error);
}

}  // namespace

CMatteFile::CMatteFile(CWnd* pParent) : CDialog(MatteFileTemplate(), pParent) {
    MapCommand(IDC_MATTE_BROWSE, BN_CLICKED, [this] { OnBrowse(); });
    MapCommand(IDC_MATTE_CREATE, BN_CLICKED, [this] { OnCreate(); });
}

CMatteFile::~CMatteFile() = default;

void CMatteFile::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MATTE_PATH, m_strFile);
    DDX_Check(pDX, IDC_MATTE_INVERSE, m_bInverse);
    DDX_Text(pDX, IDC_MATTE_X, m_nXOffset);
    DDV_MinMaxUInt(pDX, m_nXOffset, 0, kOffsetLimit);
    DDX_Text(pDX, IDC_MATTE_Y, m_nYOffset);
    DDV_MinMaxUInt(pDX, m_nYOffset, 0, kOffsetLimit);
}

BOOL CMatteFile::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_pCtrl) m_pCtrl->SnapshotImage(SLOT_CHECKPOINT);
    CheckRadioButton(IDC_MATTE_USE_ALPHA, IDC_MATTE_USE_RGB, IDC_MATTE_USE_RGB);
    return TRUE;
}

void CMatteFile::OnBrowse() {
    CFileDialog dialog(TRUE, ".tga", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kTgaFilter,
                       nullptr);
    if (dialog.DoModal() != IDOK) return;
    m_strFile = dialog.GetPathName();
    UpdateData(FALSE);
}

void CMatteFile::OnCreate() {
    // Create goes on with what could be read, after the message for what could not.
    UpdateData(TRUE);
    if (!FileExists(m_strFile)) {
        AfxMessageBox(kNoMatteMessage);
        return;
    }
    if (!m_pCtrl) return;
    CWaitCursor wait;
    // Every Create starts from the picture as it was when the dialog opened.
    m_pCtrl->RestoreImage(SLOT_CHECKPOINT);
    m_pCtrl->m_bMatteAlpha = IsDlgButtonChecked(IDC_MATTE_USE_ALPHA) == BST_CHECKED ? TRUE : FALSE;
    m_pCtrl->m_strMattePath = m_strFile;
    m_pCtrl->m_nEffectCode = EFFECT_MATTE;
    m_pCtrl->m_nMatteX = int32_t(m_nXOffset);
    m_pCtrl->m_nMatteY = int32_t(m_nYOffset);
    m_pCtrl->m_nBlurX = 0;
    m_pCtrl->m_nBlurY = 0;
    m_pCtrl->m_bInverseMatte = m_bInverse;
    m_pCtrl->ApplyEffect();
}

void CMatteFile::OnOK() {
    if (m_pCtrl) m_pCtrl->SnapshotImage(SLOT_ORIGINAL);
    CDialog::OnOK();
}

void CMatteFile::OnCancel() {
    if (m_pCtrl) m_pCtrl->RestoreImage(SLOT_CHECKPOINT);
    CDialog::OnCancel();
}
