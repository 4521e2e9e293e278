#include "platform/com/ClassObjects.h"

#include <map>
#include <mutex>

#include "platform/automation/Bstr.h"
#include "platform/automation/ComPtr.h"
#include "platform/com/Module.h"
#include "platform/com/RegistryKeys.h"

namespace {

struct Server {
    HMODULE module;
    DllGetClassObjectFunction getClassObject;
    DllCanUnloadNowFunction canUnloadNow;
};

std::recursive_mutex g_mutex;
std::map<std::string, Server> g_servers;  // by module path

struct OfferedClass {
    CLSID clsid;
    ComPtr<IUnknown> object;
};
std::map<DWORD, OfferedClass> g_offered;  // by cookie
DWORD g_nextCookie = 1;

std::string ClassKey(REFCLSID clsid) { return "CLSID\\" + GuidToString(clsid); }

// The loaded server for a path, loading it on first use.
HRESULT ServerFor(const std::string& path, Server& server) {
    if (auto it = g_servers.find(path); it != g_servers.end()) {
        server = it->second;
        return S_OK;
    }
    HMODULE module = LoadLibrary(path.c_str());
    if (!module) return HRESULT_ERROR_MOD_NOT_FOUND;
    auto getClassObject =
        reinterpret_cast<DllGetClassObjectFunction>(GetProcAddress(module, "DllGetClassObject"));
    if (!getClassObject) {
        FreeLibrary(module);
        return CO_E_ERRORINDLL;
    }
    server = Server{
        module, getClassObject,
        reinterpret_cast<DllCanUnloadNowFunction>(GetProcAddress(module, "DllCanUnloadNow"))};
    g_servers.emplace(path, server);
    return S_OK;
}

}  // namespace

HRESULT CLSIDFromProgID(LPCOLESTR progId, LPCLSID clsid) {
    if (!progId || !clsid) return E_INVALIDARG;
    const std::string name = NarrowFromWide(progId);
    if (name.empty()) return CO_E_CLASSSTRING;
    const auto text = com::GetRegString(HKEY_CLASSES_ROOT, name + "\\CLSID");
    if (!text) return CO_E_CLASSSTRING;
    auto guid = GuidFromString(*text);
    if (!guid) return CO_E_CLASSSTRING;
    *clsid = *guid;
    return S_OK;
}

std::string ProgIDFromCLSID(REFCLSID clsid) {
    return com::GetRegString(HKEY_CLASSES_ROOT, ClassKey(clsid) + "\\ProgID").value_or("");
}

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void*, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if ((context & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
    {
        std::lock_guard lock(g_mutex);
        for (const auto& [cookie, offered] : g_offered) {
            if (offered.clsid == clsid) return offered.object->QueryInterface(iid, object);
        }
    }
    const auto path = com::GetRegString(HKEY_CLASSES_ROOT, ClassKey(clsid) + "\\InprocServer32");
    if (!path || path->empty()) return REGDB_E_CLASSNOTREG;
    std::lock_guard lock(g_mutex);
    Server server{};
    if (const HRESULT hr = ServerFor(*path, server); FAILED(hr)) return hr;
    return server.getClassObject(clsid, iid, object);
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid,
                         void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    ComPtr<IClassFactory> factory;
    const HRESULT hr =
        CoGetClassObject(clsid, context, nullptr, IID_IClassFactory, factory.ReceiveVoid());
    if (FAILED(hr)) return hr;
    return factory->CreateInstance(outer, iid, object);
}

HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* classObject, DWORD context, DWORD,
                              DWORD* cookie) {
    if (!classObject || !cookie) return E_INVALIDARG;
    *cookie = 0;
    if ((context & CLSCTX_INPROC_SERVER) == 0) return E_INVALIDARG;
    std::lock_guard lock(g_mutex);
    *cookie = g_nextCookie++;
    g_offered.emplace(*cookie, OfferedClass{clsid, ComPtr<IUnknown>(classObject)});
    return S_OK;
}

HRESULT CoRevokeClassObject(DWORD cookie) {
    // Released after the lock: the last release may run the object's destructor.
    ComPtr<IUnknown> object;
    {
        std::lock_guard lock(g_mutex);
        const auto it = g_offered.find(cookie);
        if (it == g_offered.end()) return E_INVALIDARG;
        object = std::move(it->second.object);
        g_offered.erase(it);
    }
    return S_OK;
}

void CoFreeUnusedLibraries() {
    std::lock_guard lock(g_mutex);
    for (auto it = g_servers.begin(); it != g_servers.end();) {
        if (it->second.canUnloadNow && it->second.canUnloadNow() == S_OK) {
            FreeLibrary(it->second.module);
            it = g_servers.erase(it);
        } else {
            ++it;
        }
    }
}

size_t LoadedServerCount() {
    std::lock_guard lock(g_mutex);
    return g_servers.size();
}
