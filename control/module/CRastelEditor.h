#pragma once
// The second control of the module: no properties, methods or events; it
// persists its version word and draws a white box with an inscribed ellipse.

#include "platform/olectl/COleControl.h"
#include "platform/olectl/COleObjectFactory.h"

class CRastelEditor : public COleControl {
public:
    CRastelEditor();
    ~CRastelEditor() override;

    void DoPropExchange(CPropExchange* pPX) override;
    void OnResetState() override;
    void OnDraw(CControlDC* pdc, const RECT& rcBounds, const RECT& rcInvalid) override;
    HRESULT GetClassID(LPCLSID clsid) override;
    LPCLSID GetPropPageIDs(ULONG& cPropPages) override;
    UINT GetUserTypeNameID() override;
    DWORD GetMiscStatus() override;

    class CRastelEditorFactory : public COleObjectFactory {
    public:
        CRastelEditorFactory();
        BOOL UpdateRegistry(BOOL bRegister) override;
    };
    static CRastelEditorFactory factory;
};
