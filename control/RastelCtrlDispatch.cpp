// The effect control as an ActiveX control: its identity and dispatch map,
// and the automation methods with which the host registers it and starts
// tool runs.

#include <new>

#include "control/CRastelCtrl.h"
#include "control/ControlDialogs.h"
#include "control/ModuleIds.h"
#include "host/CHostPropertyObject.h"
#include "platform/automation/OleVariant.h"
#include "platform/automation/SafeArray.h"
#include "platform/olectl/OleRegistration.h"

namespace {

constexpr const char* kPluginName = "Tintora";
constexpr const char* kMenuPath = "Tools|";
constexpr const char* kMenuMethod = "Tintora";
constexpr const char* kPropertyName = "Empty";
constexpr const char* kObjectClass = "Tarsel2DObject";

// The dispatch object a VARIANT holds, directly or by reference; null for any
// other kind and for a null object.
LPDISPATCH HeldDispatch(const VARIANT& argument) {
    const VARIANT& v = VariantDereference(argument);
    if (v.vt == VT_DISPATCH) return v.pdispVal;
    if (v.vt == (VT_BYREF | VT_DISPATCH) && v.ppdispVal) return *v.ppdispVal;
    return nullptr;
}

const CLSID kRastelPropPages[] = {CLSID_RastelCtrlPropPage};

}  // namespace

CRastelCtrl::CRastelCtrl() : COleControl("RastelCtrl") {
    InitializeIIDs(&IID_DRastelCtrl, &IID_DRastelCtrlEvents);
}

const AFX_DISPMAP* CRastelCtrl::GetDispatchMap() const {
    static const AFX_DISPMAP_ENTRY entries[] = {
        DISP_FUNCTION_ID("OnInitialize", dispidOnInitialize, &CRastelCtrl::OnInitialize),
        DISP_FUNCTION_ID("Tintora", dispidTintora, &CRastelCtrl::Tintora),
        DISP_FUNCTION_ID("Execute", dispidExecute, &CRastelCtrl::Execute),
        DISP_FUNCTION_ID("AboutBox", DISPID_ABOUTBOX, &CRastelCtrl::AboutBox),
    };
    static const AFX_DISPMAP map{entries, std::size(entries)};
    return &map;
}

// The host calls before the control is in-place active.
BOOL CRastelCtrl::IsInvokeAllowed(DISPID) { return TRUE; }

UINT CRastelCtrl::GetTypeInfoCount() { return 1; }

HRESULT CRastelCtrl::GetTypeLib(LCID, ITypeLib** lib) {
    return AfxLoadTypeLibResource(AfxGetResourceHandle(), lib);
}

void CRastelCtrl::DoPropExchange(CPropExchange* pPX) {
    ExchangeVersion(pPX, _dwControlVersion);
    COleControl::DoPropExchange(pPX);
}

void CRastelCtrl::OnResetState() { COleControl::OnResetState(); }

// The host never needs to show the control; this is all it draws.
void CRastelCtrl::OnDraw(CControlDC* pdc, const RECT& rcBounds, const RECT&) {
    pdc->FillRect(rcBounds, pdc->GetStockBrush(WHITE_BRUSH));
    pdc->Ellipse(rcBounds);
}

HRESULT CRastelCtrl::GetClassID(LPCLSID clsid) {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_RastelCtrl;
    return S_OK;
}

LPCLSID CRastelCtrl::GetPropPageIDs(ULONG& cPropPages) {
    cPropPages = ULONG(std::size(kRastelPropPages));
    return const_cast<LPCLSID>(kRastelPropPages);
}

UINT CRastelCtrl::GetUserTypeNameID() { return IDS_RASTEL; }

DWORD CRastelCtrl::GetMiscStatus() { return kRastelOleMisc; }

LONG CRastelCtrl::OnInitialize(const VARIANT& tarselObject, VARIANT_BOOL* pStatus) {
    *pStatus = VARIANT_FALSE;
    LPDISPATCH application = HeldDispatch(tarselObject);
    if (!application) return 0;
    m_hostApp.Attach(application);

    m_hostApp.RegisterMenuItem(kPluginName, kMenuPath, kMenuMethod);
    COleVariant classes;
    classes.vt = VT_ARRAY | VT_BSTR;
    classes.parray = SafeArrayFromStrings({kObjectClass});
    if (!classes.parray) throw std::bad_alloc();
    m_hostApp.RegisterObjectProperty(kPluginName, kPropertyName, 0, "", classes, "");
    m_hostApp.RegisterObjectPropertyEditor(kPluginName, kProgIdRastelCtrl, classes);

    *pStatus = VARIANT_TRUE;
    return 0;
}

LONG CRastelCtrl::Tintora(const VARIANT& menuItem) {
    if (LPDISPATCH element = HeldDispatch(menuItem)) {
        element->AddRef();
        m_target.Attach(element);
    } else if (m_hostApp.m_lpDispatch) {
        // Each driver on the way is released when the next one has been read.
        if (auto canvas = m_hostApp.GetActiveCanvas()) {
            if (auto scene = canvas->GetScene()) {
                if (auto object = scene->GetActiveObject()) {
                    if (object->GetType() == CHostObject::kGraphicType) {
                        if (auto found = object->Element(0))
                            m_target.Attach(found->DetachDispatch());
                    }
                }
            }
        }
    }

    SnapshotImage(SLOT_ORIGINAL);
    if (ControlDialogs* dialogs = CurrentControlDialogs()) dialogs->RunToolsDialog(*this);
    m_target.ReleaseDispatch();
    return 0;
}

LONG CRastelCtrl::Execute(LPDISPATCH tarselObject, LPDISPATCH propertyObject) {
    m_hostApp.Attach(tarselObject);

    // The caller's property object is only borrowed for this call.
    CHostPropertyObject property;
    property.Attach(propertyObject, FALSE);
    auto owner = property.GetOwnerElement();
    property.ReleaseDispatch();
    // Without an owner element there is nothing to edit.
    if (!owner) return 0;

    COleVariant element;
    element.vt = VT_DISPATCH;
    element.pdispVal = owner->DetachDispatch();
    Tintora(element);
    return 0;
}

void CRastelCtrl::AboutBox() {
    if (ControlDialogs* dialogs = CurrentControlDialogs()) dialogs->RunAboutBox();
}
