#include "platform/olectl/COleObjectFactory.h"

#include <algorithm>
#include <new>

#include "platform/automation/ComPtr.h"
#include "platform/olectl/OleRegistration.h"

COleObjectFactory::COleObjectFactory(REFCLSID clsid, CreateFunction create, LPCSTR progId)
    : m_clsid(clsid), m_lpszProgID(progId), m_create(create) {
    AfxGetStaticModuleState()->m_factoryList.push_back(this);
}

COleObjectFactory::~COleObjectFactory() {
    auto& list = AfxGetStaticModuleState()->m_factoryList;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

HRESULT COleObjectFactory::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

ULONG COleObjectFactory::AddRef() {
    AfxOleLockApp();
    return ++m_outsideRefs + 1;  // the module's own reference never goes
}

ULONG COleObjectFactory::Release() {
    if (m_outsideRefs == 0) return 1;
    AfxOleUnlockApp();
    return --m_outsideRefs + 1;
}

HRESULT COleObjectFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    if (!m_create) return E_NOTIMPL;
    ComPtr<IUnknown> created;
    try {
        created = ComPtr<IUnknown>::Adopt(m_create());
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
    if (!created) return E_OUTOFMEMORY;
    return created->QueryInterface(iid, object);
}

HRESULT COleObjectFactory::LockServer(BOOL lock) {
    if (lock) {
        AfxOleLockApp();
    } else {
        AfxOleUnlockApp();
    }
    return S_OK;
}

BOOL COleObjectFactory::UpdateRegistry(BOOL bRegister) {
    if (!bRegister) return AfxOleUnregisterClass(m_clsid, m_lpszProgID);
    return AfxOleRegisterServerClass(m_clsid, m_lpszProgID, m_lpszProgID);
}

BOOL COleObjectFactory::UpdateRegistryAll(BOOL bRegister) {
    for (COleObjectFactory* factory : AfxGetModuleState()->m_factoryList) {
        if (!factory->UpdateRegistry(bRegister)) return FALSE;
    }
    return TRUE;
}

HRESULT AfxDllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    for (COleObjectFactory* factory : AfxGetModuleState()->m_factoryList) {
        if (factory->GetClassID() == clsid) return factory->QueryInterface(iid, object);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT AfxDllCanUnloadNow() { return AfxOleCanExitApp() ? S_OK : S_FALSE; }
