// The tools dialog's preset slots: the presets file, storing and recalling a
// slot, and the crop selection files that go with the slots.

#include "dialogs/PresetFiles.h"
#include "dialogs/TintoraDlg.h"
#include "platform/prompts/FileMessages.h"

namespace {

constexpr const char* kIncompatibleMessage = "Incompatible File Format";

bool ValidSlot(int nSlot) { return nSlot >= 0 && nSlot < kPresetSlots; }

}  // namespace

std::string TintoraDlg::PresetsFilePath() const { return m_strDataFolder + "/TintoraPresets"; }

std::string TintoraDlg::CropSelectionPath() const { return m_strDataFolder + "/TintoraPresetCrop"; }

std::string TintoraDlg::CropSlotPath(int nSlot) const {
    return CropSelectionPath() + "." + std::to_string(nSlot);
}

// Without a data folder nothing is read or written, and nothing is said.
void TintoraDlg::LoadPresets() {
    if (m_strDataFolder.empty()) return;
    const std::string path = PresetsFilePath();
    switch (ReadPresetsFile(path, m_Presets)) {
        case PresetsRead::Incompatible: AfxMessageBox(kIncompatibleMessage); break;
        case PresetsRead::Failed: AfxMessageBox(FileReadErrorMessage(path)); break;
        case PresetsRead::Missing:
        case PresetsRead::Read: break;
    }
}

void TintoraDlg::SavePresets() {
    if (m_strDataFolder.empty()) return;
    const std::string path = PresetsFilePath();
    if (WritePresetsFile(path, m_Presets) == PresetsWrite::Failed) {
        AfxMessageBox(FileWriteErrorMessage(path));
    }
}

void TintoraDlg::CopySideFile(const std::string& source, const std::string& target) {
    if (m_strDataFolder.empty()) return;
    if (CopyWholeFile(source, target) == FileCopy::Failed) {
        AfxMessageBox(FileWriteErrorMessage(target));
    }
}

void TintoraDlg::StorePreset(int nSlot) {
    if (!ValidSlot(nSlot)) return;
    PresetRecord& slot = m_Presets[nSlot];
    slot.dwFlag = kPresetStored;
    slot.nPct = m_nPct;
    slot.nDir = m_nDir;
    slot.nFocusSize = m_nFocusSize;
    slot.nBorderSize = m_nBorderSize;
    slot.nMotionX = m_nMotionX;
    slot.nMotionY = m_nMotionY;
    slot.nTransp = m_nTransp;
    slot.nOffsetBlur = m_nOffsetBlur;
    slot.nBorderBlur = m_nBorderBlur;
    slot.nOffsetX = m_nOffsetX;
    slot.nOffsetY = m_nOffsetY;
    slot.nEffectIndex = m_cbEffects.GetCurSel();
    slot.crColor = m_crColor;
    // Without a current selection the slot keeps the selection it had.
    CopySideFile(CropSelectionPath(), CropSlotPath(nSlot));
}

void TintoraDlg::RecallPreset(int nSlot) {
    if (!ValidSlot(nSlot) || m_Presets[nSlot].IsEmpty()) return;
    const PresetRecord& slot = m_Presets[nSlot];
    CopySideFile(CropSlotPath(nSlot), CropSelectionPath());

    m_nPct = slot.nPct;
    m_nDir = slot.nDir;
    m_nFocusSize = slot.nFocusSize;
    m_nBorderSize = slot.nBorderSize;
    m_nMotionX = slot.nMotionX;
    m_nMotionY = slot.nMotionY;
    m_nTransp = slot.nTransp;
    m_nOffsetBlur = slot.nOffsetBlur;
    m_nBorderBlur = slot.nBorderBlur;
    m_nOffsetX = slot.nOffsetX;
    m_nOffsetY = slot.nOffsetY;
    m_crColor = slot.crColor;
    m_cbEffects.SetCurSel(slot.nEffectIndex);

    SetDlgItemInt(IDC_OFFSET_X, UINT(m_nOffsetX), TRUE);
    SetDlgItemInt(IDC_OFFSET_Y, UINT(m_nOffsetY), TRUE);
    UpdateEffectControls();
    UpdateData(FALSE);
    Invalidate(TRUE);
}
