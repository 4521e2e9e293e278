#pragma once
// The crop dialog: the operator marks a region of the picture in the view
// with a rectangle, a polygon or the magic wand, softens its edge and cuts
// the picture down to it, the host's canvas showing each try. Every crop
// starts from the picture as it was when the dialog opened; OK keeps the
// last one, Cancel takes them all back.

#include <string>

#include "control/CRastelCtrl.h"
#include "crop/CImageEnX.h"
#include "crop/CropResource.h"
#include "platform/ui/CDialog.h"

enum class SelectionMode { Rectangle, Polygon, MagicWand };

class CCropImageNew : public CDialog {
public:
    enum { IDD = IDD_CROP_IMAGE };

    explicit CCropImageNew(CWnd* pParent = nullptr);
    ~CCropImageNew() override;

    // The tools dialog's opener: runs the dialog modally on the control and
    // the data folder, with the tools dialog as its parent.
    static void Open(CWnd* pParent, CRastelCtrl* pCtrl, const std::string& dataFolder);

    CRastelCtrl* m_pCtrl = nullptr;
    std::string m_strDataFolder;
    CSliderCtrl m_sldTolerance;
    CSliderCtrl m_sldZoom;
    UINT m_nSoftness = 0;
    CImageEnX m_imageView;
    SelectionMode m_nMode = SelectionMode::Rectangle;
    RECT m_rcShown{-1, -1, -1, -1};
    POINT m_ptLastPress{-1, -1};
    double m_dFitZoom = -1.0;

    // Only the arrow keys get through, so that Enter and Escape do not end
    // the dialog and nothing can be typed into the softness edit.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void OnRectangle() { ChangeMode(SelectionMode::Rectangle); }
    void OnPolygon() { ChangeMode(SelectionMode::Polygon); }
    void OnMagicWand() { ChangeMode(SelectionMode::MagicWand); }
    void ChangeMode(SelectionMode mode);
    void OnClearSelection();
    void OnInvertSelection();
    void OnDeltaPosSoftness(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCropSelection();
    void OnSaveSelection();
    void OnRecallSelection();
    void OnResetZoom();
    void OnHScroll(UINT nSBCode, int nPos, CWnd* pSlider);
    void UpdateSelectionStatus();
    void OnViewButtonDown(Invocation& event);
    void OnViewKeyDown(Invocation& event);
    // The tolerance slider is shown in Magic Wand mode while the zoom is the fitted one.
    void ShowToleranceAtFittedZoom();

    // Files in the data folder; without the folder none is read or written.
    bool HasDataFolder() const;
    std::string PicturePath() const { return m_strDataFolder + "/tintora.tga"; }
    std::string MaskPath() const { return m_strDataFolder + "/tintoraOut.tga"; }
    std::string KeptSelectionPath() const { return m_strDataFolder + "/TintoraPresetCrop"; }
};
