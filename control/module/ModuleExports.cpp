// The four functions through which the platform registers the module and
// gets its class objects. Each runs with the module's own state current, and
// no exception leaves the module.

#include <new>

#include "control/ModuleIds.h"
#include "platform/olectl/COleObjectFactory.h"
#include "platform/olectl/OleRegistration.h"

#define TINTORA_EXPORT extern "C" __attribute__((visibility("default")))

TINTORA_EXPORT HRESULT DllRegisterServer() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    try {
        AfxEnsureModuleInitialized();
        if (!AfxOleRegisterTypeLib(AfxGetInstanceHandle(), LIBID_VOKSLETRASTELLib)) {
            return SELFREG_E_TYPELIB;
        }
        if (!COleObjectFactory::UpdateRegistryAll(TRUE)) return SELFREG_E_CLASS;
    } catch (...) {
        return SELFREG_E_CLASS;
    }
    return S_OK;
}

TINTORA_EXPORT HRESULT DllUnregisterServer() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    try {
        AfxEnsureModuleInitialized();
        if (!AfxOleUnregisterTypeLib(LIBID_VOKSLETRASTELLib, _wVerMajor, _wVerMinor)) {
            return SELFREG_E_TYPELIB;
        }
        if (!COleObjectFactory::UpdateRegistryAll(FALSE)) return SELFREG_E_CLASS;
    } catch (...) {
        return SELFREG_E_CLASS;
    }
    return S_OK;
}

TINTORA_EXPORT HRESULT DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    try {
        AfxEnsureModuleInitialized();
        return AfxDllGetClassObject(rclsid, riid, ppv);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

TINTORA_EXPORT HRESULT DllCanUnloadNow() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxDllCanUnloadNow();
}
