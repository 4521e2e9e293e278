#include "control/module/CRastelEditor.h"

#include "control/ModuleIds.h"
#include "platform/olectl/OleRegistration.h"

namespace {

IUnknown* CreateRastelEditor() { return static_cast<IDispatch*>(new CRastelEditor()); }

const CLSID kEditorPropPages[] = {CLSID_RastelEditorPropPage};

}  // namespace

CRastelEditor::CRastelEditorFactory CRastelEditor::factory;

CRastelEditor::CRastelEditorFactory::CRastelEditorFactory()
    : COleObjectFactory(CLSID_RastelEditor, &CreateRastelEditor, kProgIdRastelEditor) {}

BOOL CRastelEditor::CRastelEditorFactory::UpdateRegistry(BOOL bRegister) {
    if (!bRegister) return AfxOleUnregisterClass(m_clsid, m_lpszProgID);
    return AfxOleRegisterControlClass(
        AfxGetInstanceHandle(), m_clsid, m_lpszProgID, IDS_RASTELEDITOR, IDB_RASTELEDITOR,
        afxRegApartmentThreading, kRastelOleMisc, LIBID_VOKSLETRASTELLib, _wVerMajor, _wVerMinor);
}

CRastelEditor::CRastelEditor() : COleControl("RastelEditor") {
    InitializeIIDs(&IID_DRastelEditor, &IID_DRastelEditorEvents);
}

CRastelEditor::~CRastelEditor() = default;

void CRastelEditor::DoPropExchange(CPropExchange* pPX) {
    ExchangeVersion(pPX, _dwControlVersion);
    COleControl::DoPropExchange(pPX);
}

void CRastelEditor::OnResetState() { COleControl::OnResetState(); }

void CRastelEditor::OnDraw(CControlDC* pdc, const RECT& rcBounds, const RECT&) {
    pdc->FillRect(rcBounds, pdc->GetStockBrush(WHITE_BRUSH));
    pdc->Ellipse(rcBounds);
}

HRESULT CRastelEditor::GetClassID(LPCLSID clsid) {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_RastelEditor;
    return S_OK;
}

LPCLSID CRastelEditor::GetPropPageIDs(ULONG& cPropPages) {
    cPropPages = ULONG(std::size(kEditorPropPages));
    return const_cast<LPCLSID>(kEditorPropPages);
}

UINT CRastelEditor::GetUserTypeNameID() { return IDS_RASTELEDITOR; }

DWORD CRastelEditor::GetMiscStatus() { return kRastelOleMisc; }
