#include "dialogs/CMatteFile.h"

#include <filesystem>

#include "dialogs/DialogResources.h"
#include "dialogs/OptionExchange.h"
#include "engine/MatteFile.h"
#include "platform/ui/CFileDialog.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/DataExchange.h"

namespace {

constexpr const char* kTgaFilter = "TGA Files (*.tga) | *.tga| All Files (*.*)|*.*||";

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
    DDV_Option(pDX, m_nXOffset, effects::kMatteX);
    DDX_Text(pDX, IDC_MATTE_Y, m_nYOffset);
    DDV_Option(pDX, m_nYOffset, effects::kMatteY);
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
        AfxMessageBox(engine::kMatteMissing);
        return;
    }
    if (!m_pCtrl) return;
    CWaitCursor wait;
    // Every Create starts from the picture as it was when the dialog opened.
    m_pCtrl->RestoreImage(SLOT_CHECKPOINT);
    const bool useAlpha = IsDlgButtonChecked(IDC_MATTE_USE_ALPHA) == BST_CHECKED;
    effects::FillRecord(*m_pCtrl, EFFECT_MATTE,
                        {{&effects::kMatteAlpha, int64_t{useAlpha}},
                         {&effects::kMatteFile, m_strFile},
                         {&effects::kMatteX, m_nXOffset},
                         {&effects::kMatteY, m_nYOffset},
                         {&effects::kInverseMatte, m_bInverse}});
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
