#pragma once
// The effect control: the host drivers of a tool run, the effect parameter
// record that the dialogs write, the working rasters, and the operations that
// move pixels between the host and the effects.

#include <memory>
#include <string>

#include "control/EffectCodes.h"
#include "engine/Raster.h"
#include "engine/Result.h"
#include "host/CHostApplication.h"
#include "host/CHostElement.h"
#include "platform/olectl/COleControl.h"
#include "platform/olectl/COleObjectFactory.h"

class CRastelCtrl : public COleControl {
public:
    CRastelCtrl();
    virtual ~CRastelCtrl();
    CRastelCtrl(const CRastelCtrl&) = delete;
    CRastelCtrl& operator=(const CRastelCtrl&) = delete;

    // Automation methods of _DRastelCtrl; the first three always return 0.
    LONG OnInitialize(const VARIANT& tarselObject, VARIANT_BOOL* pStatus);
    LONG Tintora(const VARIANT& menuItem);
    LONG Execute(LPDISPATCH tarselObject, LPDISPATCH propertyObject);
    void AboutBox();

    // The control as its container sees it.
    BOOL IsInvokeAllowed(DISPID dispid) override;
    using COleControl::GetTypeInfoCount;
    UINT GetTypeInfoCount() override;
    HRESULT GetTypeLib(LCID lcid, ITypeLib** lib) override;
    const AFX_DISPMAP* GetDispatchMap() const override;
    void DoPropExchange(CPropExchange* pPX) override;
    void OnResetState() override;
    void OnDraw(CControlDC* pdc, const RECT& rcBounds, const RECT& rcInvalid) override;
    HRESULT GetClassID(LPCLSID clsid) override;
    LPCLSID GetPropPageIDs(ULONG& cPropPages) override;
    UINT GetUserTypeNameID() override;
    DWORD GetMiscStatus() override;

    class CRastelCtrlFactory : public COleObjectFactory {
    public:
        CRastelCtrlFactory();
        BOOL UpdateRegistry(BOOL bRegister) override;
    };
    static CRastelCtrlFactory factory;

    // Working images and host transfer. Without a target element or an image
    // behind it, each returns at once and changes nothing.
    LONG SnapshotImage(int slot);
    LONG RestoreImage(int slot);
    // A copy of the target's current image, with red and blue exchanged on
    // request; null when there is none.
    engine::RasterBytes FetchImageCopy(int32_t& width, int32_t& height, bool swapRedBlue);
    LONG ExportTga();
    void FreeResult();

    // Runs the effect selected by m_nEffectCode on the target's current image and
    // hands its output to the host.
    LONG ApplyEffect();

    // Effects: read m_pSrc and the parameter record, set m_pDst and its size;
    // 0 on success, 1 after showing their message.
    int ApplyBorder();
    int ApplyOffsetShadow();
    int ApplyFocus();
    // The engine's blur of m_pSrc by m_nBlurX x m_nBlurY; keepOpaque leaves
    // pixels whose blurred alpha is 255 as they were.
    int anti_flickering(bool keepOpaque);
    // Clears the outer frame of m_pSrc in place before lighting it.
    int ApplyEmbossBevel(int azimuth, int elevation, int depth, int size);
    // Converts m_pSrc to gray in place, then copies it.
    int ApplyGrayscale();
    int ApplyMagickEffect(uint32_t code);
    int ApplyMatte(bool crop);

    CHostApplication m_hostApp;
    CHostElement m_target;

    // Effect parameter record.
    COLORREF m_crEffect = 0;
    int32_t m_nBlurX = 0;
    int32_t m_nBlurY = 0;
    uint32_t m_nEffectCode = 0;
    uint32_t m_nSize = 0;
    int32_t m_nOpacity = 0;
    int32_t m_nShadowX = 0;
    int32_t m_nShadowY = 0;
    int32_t m_nBlur = 0;
    BOOL m_bInverseMatte = FALSE;
    BOOL m_bMatteAlpha = FALSE;
    BOOL m_bSwapRedBlue = FALSE;
    std::string m_strExportPath;
    std::string m_strMattePath;
    int32_t m_nMatteX = 0;
    int32_t m_nMatteY = 0;
    double m_dPct = 0;
    double m_dDir = 0;

    // Working rasters. The source is the host's own memory, borrowed for one
    // pipeline run; the others are owned.
    BYTE* m_pSrc = nullptr;
    int32_t m_nSrcWidth = 0;
    int32_t m_nSrcHeight = 0;
    engine::RasterBytes m_pDst;
    int32_t m_nDstWidth = 0;
    int32_t m_nDstHeight = 0;
    engine::RasterBytes m_pOriginal;
    int32_t m_nOriginalWidth = 0;
    int32_t m_nOriginalHeight = 0;
    engine::RasterBytes m_pCheckpoint;
    int32_t m_nCheckpointWidth = 0;
    int32_t m_nCheckpointHeight = 0;

protected:
    // The target's image object, or null without a target or image.
    std::unique_ptr<CHostImage> ReachImage();
    // Runs the effect of m_nEffectCode; 0 when m_pDst holds its output.
    int RunSelectedEffect();
    // Shows the result's notices and error, and on success makes its output m_pDst.
    int AdoptResult(engine::Result<engine::Raster>&& result);
    engine::RasterView SourceView() const;
};
