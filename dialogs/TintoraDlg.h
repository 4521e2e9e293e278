#pragma once
// The tools dialog: the operator's values for every effect, the Apply commands
// that hand them to the effect control, the five preset slots, the effect
// colour with its swatch, and the matte, crop and save-preset sub-dialogs.

#include <functional>
#include <string>

#include "control/CRastelCtrl.h"
#include "control/EffectTable.h"
#include "dialogs/PresetRecord.h"
#include "dialogs/Resource.h"
#include "platform/prompts/ScopedInstall.h"
#include "platform/ui/CDC.h"
#include "platform/ui/CDialog.h"

class TintoraDlg : public CDialog {
public:
    enum { IDD = IDD_TINTORA_DIALOG };

    explicit TintoraDlg(CRastelCtrl* pCtrl);
    ~TintoraDlg() override;

    // Opens the crop dialog on the control with the data folder, the tools
    // dialog as its parent. The crop subsystem installs it; until then Crop
    // does nothing.
    using CropDialogOpener =
        std::function<void(CWnd* pParent, CRastelCtrl* pCtrl, const std::string& dataFolder)>;
    static CropDialogOpener InstallCropDialog(CropDialogOpener opener);

    CRastelCtrl* m_pCtrl;
    int m_nPct = 0;
    int m_nDir = 0;
    BOOL m_bColorShift = FALSE;
    std::string m_strDataFolder;
    CComboBox m_cbEffects;
    UINT m_nFocusSize = 1;
    UINT m_nBorderSize = 0;
    UINT m_nMotionX = 0;
    UINT m_nMotionY = 0;
    int m_nOffsetX = 0;
    int m_nOffsetY = 0;
    UINT m_nTransp = 0;
    UINT m_nOffsetBlur = 0;
    UINT m_nBorderBlur = 0;
    bool m_bInitialized = false;
    std::string m_strMatteFile;
    COLORREF m_crColor = 0;
    PresetRecord m_Presets[kPresetSlots];
    int m_nCurrentPreset = 0;

    void ComputeDataFolder();
    void LoadPresets();
    void SavePresets();
    void StorePreset(int nSlot);
    void RecallPreset(int nSlot);
    void UpdateEffectControls();
    // The swatch of the effect colour at its transparency over light grey.
    void DrawSwatch(CDC* pDC);

    std::string PresetsFilePath() const;
    std::string CropSelectionPath() const;
    std::string CropSlotPath(int nSlot) const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void OnApplyOffset();
    void OnApplyBorder();
    void OnApplyMotionBlur();
    void OnApplyFocus();
    void OnApplyMoreEffects();
    void OnRestore();
    void OnColorShift();
    void OnExport();
    void OnMatte();
    void OnCrop();
    void OnPalette();
    void OnChangeTransp();
    void OnChangeOffsetX();
    void OnChangeOffsetY();
    void OnDeltaPosOffset(NMHDR* pNMHDR, LRESULT* pResult, int& nOffset, int nEdit);
    void OnPreset(int nSlot);
    void OnSavePreset();
    void OnCancelButton();
    void OnClose();
    void OnPaint();

    // Runs the effect with the settings under the wait cursor.
    void Apply(uint32_t code, const std::vector<effects::OptionSetting>& settings);
    // The More Effects entry selected; null for the empty entry or none.
    const effects::EffectEntry* SelectedMoreEffect() const;
    // Minimises the dialog around a sub-dialog and restores it afterwards.
    void RunMinimised(const std::function<void()>& subDialog);
    // Copies a crop side file, telling the operator when it fails midway.
    void CopySideFile(const std::string& source, const std::string& target);
};

using ScopedCropDialog = ScopedInstall<TintoraDlg::CropDialogOpener, TintoraDlg::InstallCropDialog>;
