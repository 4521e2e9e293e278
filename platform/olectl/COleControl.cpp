#include "platform/olectl/COleControl.h"

#include <cstring>
#include <new>

#include "platform/automation/Bstr.h"
#include "platform/automation/ComPtr.h"
#include "platform/automation/DispatchDriver.h"
#include "platform/olectl/AfxModule.h"
#include "platform/olectl/OleRegistration.h"

BOOL PX_Long(CPropExchange* pPX, LPCSTR name, LONG& value, LONG defaultValue) {
    if (!pPX || !name) return FALSE;
    if (pPX->IsLoading()) {
        auto it = pPX->m_values.find(name);
        value = it == pPX->m_values.end() ? defaultValue : it->second;
    } else {
        pPX->m_values[name] = value;
    }
    return TRUE;
}

COleControl::COleControl(std::string className) : DispatchObject(std::move(className)) {
    m_xPersist.outer = this;
    m_xOleObject.outer = this;
    m_xSpecifyPropertyPages.outer = this;
    AfxOleLockApp();
}

COleControl::~COleControl() { AfxOleUnlockApp(); }

void COleControl::InitializeIIDs(const IID* piidPrimary, const IID* piidEvents) {
    m_piidPrimary = piidPrimary;
    m_piidEvents = piidEvents;
}

void COleControl::LoadDispatchMap() {
    if (m_dispatchMapLoaded) return;
    m_dispatchMapLoaded = true;
    const AFX_DISPMAP* map = GetDispatchMap();
    if (!map) return;
    for (size_t i = 0; i < map->nCount; ++i) {
        const AFX_DISPMAP_ENTRY& entry = map->lpEntries[i];
        AddMember(
            entry.lDispID, entry.lpszName, entry.wFlags, [this, fn = entry.pfn](Invocation& call) {
                try {
                    return fn(this, call);
                } catch (const COleDispatchException& e) {
                    EXCEPINFO info;
                    info.wCode = e.m_wCode;
                    info.scode = e.m_scError;
                    info.bstrDescription =
                        BstrFromNarrow(e.m_strDescription.empty() ? e.what() : e.m_strDescription);
                    info.bstrSource = BstrFromNarrow(e.m_strSource);
                    m_pendingException = info;
                } catch (const std::bad_alloc&) {
                    return E_OUTOFMEMORY;
                } catch (const std::exception& e) {
                    EXCEPINFO info;
                    info.scode = E_FAIL;
                    info.bstrDescription = BstrFromNarrow(e.what());
                    m_pendingException = info;
                }
                return DISP_E_EXCEPTION;
            });
    }
}

const AFX_DISPMAP* COleControl::GetDispatchMap() const { return nullptr; }

HRESULT COleControl::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                   DISPID* ids) {
    LoadDispatchMap();
    return DispatchObject::GetIDsOfNames(iid, names, count, locale, ids);
}

HRESULT COleControl::Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                            VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) {
    LoadDispatchMap();
    if (!IsInvokeAllowed(id)) return E_UNEXPECTED;
    m_pendingException.reset();
    const HRESULT hr =
        DispatchObject::Invoke(id, iid, locale, flags, params, result, excepInfo, argErr);
    if (hr == DISP_E_EXCEPTION && m_pendingException) {
        if (excepInfo) {
            *excepInfo = *m_pendingException;
        } else {
            // Nobody asked for the exception's texts.
            const ScopedBstr description = ScopedBstr::Adopt(m_pendingException->bstrDescription);
            const ScopedBstr source = ScopedBstr::Adopt(m_pendingException->bstrSource);
        }
        m_pendingException.reset();
    }
    return hr;
}

BOOL COleControl::IsInvokeAllowed(DISPID) { return m_bInitialized; }

UINT COleControl::GetTypeInfoCount() { return 0; }

HRESULT COleControl::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = GetTypeInfoCount();
    return S_OK;
}

HRESULT COleControl::GetTypeLib(LCID, ITypeLib** lib) {
    if (lib) *lib = nullptr;
    return TYPE_E_ELEMENTNOTFOUND;
}

HRESULT COleControl::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0 || GetTypeInfoCount() == 0) return DISP_E_BADINDEX;
    ComPtr<ITypeLib> lib;
    if (const HRESULT hr = GetTypeLib(locale, lib.Receive()); FAILED(hr)) return hr;
    return lib->GetTypeInfoOfGuid(PrimaryIID(), info);
}

void COleControl::DoPropExchange(CPropExchange* pPX) {
    ExchangeExtent(pPX);
    ExchangeStockProps(pPX);
}

void COleControl::OnResetState() {
    CPropExchange defaults(true);
    DoPropExchange(&defaults);
}

LPCLSID COleControl::GetPropPageIDs(ULONG& cPropPages) {
    cPropPages = 0;
    return nullptr;
}

void COleControl::OnDraw(CControlDC*, const RECT&, const RECT&) {}

BOOL COleControl::OnProperties() {
    const AfxPropertyFrame frame = AfxGetModuleState()->m_pfnPropertyFrame;
    if (!frame) return FALSE;
    ULONG count = 0;
    const CLSID* pages = GetPropPageIDs(count);
    frame(*this, pages, count);
    return TRUE;
}

void COleControl::InitNew() {
    OnResetState();
    m_bInitialized = TRUE;
}

BOOL COleControl::ExchangeVersion(CPropExchange* pPX, DWORD dwVersionDefault, BOOL) {
    LONG version = LONG(dwVersionDefault);
    if (!PX_Long(pPX, "_Version", version, LONG(dwVersionDefault))) return FALSE;
    pPX->m_dwVersion = pPX->IsLoading() ? DWORD(version) : dwVersionDefault;
    return TRUE;
}

void COleControl::ExchangeExtent(CPropExchange* pPX) {
    PX_Long(pPX, "_ExtentX", m_sizeExtent.cx, m_sizeExtent.cx);
    PX_Long(pPX, "_ExtentY", m_sizeExtent.cy, m_sizeExtent.cy);
}

void COleControl::ExchangeStockProps(CPropExchange*) {}

HRESULT COleControl::QueryOtherInterface(REFIID iid, void** object) {
    if (m_piidPrimary && iid == *m_piidPrimary) {
        *object = static_cast<IDispatch*>(this);
    } else if (iid == IID_IPersist) {
        *object = static_cast<IPersist*>(&m_xPersist);
    } else if (iid == IID_IOleObject) {
        *object = static_cast<IOleObject*>(&m_xOleObject);
    } else if (iid == IID_ISpecifyPropertyPages) {
        *object = static_cast<ISpecifyPropertyPages*>(&m_xSpecifyPropertyPages);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT COleControl::XPersist::GetClassID(CLSID* clsid) { return outer->GetClassID(clsid); }

// The message map's one entry: the Properties verb.
HRESULT COleControl::XOleObject::DoVerb(LONG verb) {
    if (verb != OLEIVERB_PROPERTIES) return verb >= 0 ? OLEOBJ_S_INVALIDVERB : E_NOTIMPL;
    return outer->OnProperties() ? S_OK : E_NOTIMPL;
}

HRESULT COleControl::XOleObject::GetUserClassID(CLSID* clsid) { return outer->GetClassID(clsid); }

HRESULT COleControl::XOleObject::GetUserType(DWORD, LPOLESTR* name) {
    if (!name) return E_POINTER;
    const std::string text = AfxLoadString(outer->GetUserTypeNameID());
    *name = CoTaskMemString(text.c_str());
    return *name ? S_OK : E_OUTOFMEMORY;
}

HRESULT COleControl::XOleObject::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) return E_POINTER;
    *status = outer->GetMiscStatus();
    return S_OK;
}

HRESULT COleControl::XSpecifyPropertyPages::GetPages(CAUUID* pages) {
    if (!pages) return E_POINTER;
    ULONG count = 0;
    const CLSID* ids = outer->GetPropPageIDs(count);
    pages->cElems = 0;
    pages->pElems = nullptr;
    if (count == 0) return S_OK;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(count * sizeof(GUID)));
    if (!pages->pElems) return E_OUTOFMEMORY;
    std::memcpy(static_cast<void*>(pages->pElems), ids, count * sizeof(GUID));
    pages->cElems = count;
    return S_OK;
}
