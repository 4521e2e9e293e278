#include "platform/olectl/OleRegistration.h"

#include <filesystem>

#include "platform/automation/ComPtr.h"
#include "platform/com/RegistryKeys.h"
#include "platform/olectl/AfxModule.h"

namespace {

std::string ClassKey(REFCLSID clsid) { return "CLSID\\" + GuidToString(clsid); }

bool Set(const std::string& key, const std::string& value, LPCSTR name = nullptr) {
    return com::SetRegString(HKEY_CLASSES_ROOT, key, name, value);
}

// The module's file and, for a server in it, the InprocServer32 entry.
bool RegisterInproc(HINSTANCE instance, const std::string& classKey, int regFlags,
                    std::string& path) {
    path = ModuleFileName(instance);
    if (path.empty()) return false;
    if (!Set(classKey + "\\InprocServer32", path)) return false;
    return (regFlags & afxRegApartmentThreading) == 0 ||
           Set(classKey + "\\InprocServer32", "Apartment", "ThreadingModel");
}

}  // namespace

BOOL AfxOleRegisterControlClass(HINSTANCE instance, REFCLSID clsid, LPCSTR progId, UINT idTypeName,
                                UINT idBitmap, int regFlags, DWORD miscStatus, REFGUID tlid,
                                WORD verMajor, WORD verMinor) {
    const std::string typeName = AfxLoadString(idTypeName);
    const std::string key = ClassKey(clsid);
    std::string path;
    if (typeName.empty() || !progId || !*progId) return FALSE;
    const std::string progIdText = progId;
    const bool ok =
        Set(key, typeName) && Set(key + "\\ProgID", progIdText) &&
        RegisterInproc(instance, key, regFlags, path) &&
        Set(key + "\\ToolboxBitmap32", path + ", " + std::to_string(idBitmap)) &&
        Set(key + "\\MiscStatus", "0") &&
        Set(key + "\\MiscStatus\\1", std::to_string(miscStatus)) &&
        Set(key + "\\TypeLib", GuidToString(tlid)) &&
        Set(key + "\\Version", std::to_string(verMajor) + "." + std::to_string(verMinor)) &&
        com::CreateRegKey(HKEY_CLASSES_ROOT, key + "\\Control") &&
        ((regFlags & afxRegInsertable) == 0 ||
         com::CreateRegKey(HKEY_CLASSES_ROOT, key + "\\Insertable")) &&
        Set(progIdText, typeName) && Set(progIdText + "\\CLSID", GuidToString(clsid));
    return ok ? TRUE : FALSE;
}

BOOL AfxOleRegisterPropertyPageClass(HINSTANCE instance, REFCLSID clsid, UINT idTypeName,
                                     int regFlags) {
    const std::string typeName = AfxLoadString(idTypeName);
    const std::string key = ClassKey(clsid);
    std::string path;
    if (typeName.empty()) return FALSE;
    return Set(key, typeName) && RegisterInproc(instance, key, regFlags, path) ? TRUE : FALSE;
}

BOOL AfxOleRegisterServerClass(REFCLSID clsid, LPCSTR className, LPCSTR progId) {
    const std::string key = ClassKey(clsid);
    std::string path;
    const std::string name = className ? className : "";
    bool ok = Set(key, name) && RegisterInproc(AfxGetInstanceHandle(), key, afxRegDefault, path);
    if (ok && progId && *progId) {
        ok = Set(key + "\\ProgID", progId) && Set(progId, name) &&
             Set(std::string(progId) + "\\CLSID", GuidToString(clsid));
    }
    return ok ? TRUE : FALSE;
}

BOOL AfxOleUnregisterClass(REFCLSID clsid, LPCSTR progId) {
    bool ok = com::DeleteRegTree(HKEY_CLASSES_ROOT, ClassKey(clsid));
    if (progId && *progId) ok = com::DeleteRegTree(HKEY_CLASSES_ROOT, progId) && ok;
    return ok ? TRUE : FALSE;
}

HRESULT AfxLoadTypeLibResource(HINSTANCE instance, ITypeLib** lib) {
    if (!lib) return E_POINTER;
    *lib = nullptr;
    const AFX_MODULE_STATE* state = AfxGetModuleState();
    if (instance != state->m_hCurrentInstanceHandle || !state->m_pResources ||
        !state->m_pResources->typeLibrary) {
        return TYPE_E_ELEMENTNOTFOUND;
    }
    return CreateTypeLibFromData(*state->m_pResources->typeLibrary, lib);
}

BOOL AfxOleRegisterTypeLib(HINSTANCE instance, REFGUID tlid, LPCSTR fileName, LPCSTR helpDir) {
    std::filesystem::path path = ModuleFileName(instance);
    if (path.empty()) return FALSE;
    if (fileName && *fileName) path.replace_filename(fileName);
    ComPtr<ITypeLib> lib;
    if (FAILED(AfxLoadTypeLibResource(instance, lib.Receive()))) return FALSE;
    TLIBATTR* attr = nullptr;
    bool ok = SUCCEEDED(lib->GetLibAttr(&attr)) && attr->guid == tlid;
    if (attr) lib->ReleaseTLibAttr(attr);
    ok = ok && SUCCEEDED(RegisterTypeLib(lib.Get(), path.string().c_str(), helpDir));
    return ok ? TRUE : FALSE;
}

BOOL AfxOleUnregisterTypeLib(REFGUID tlid, WORD verMajor, WORD verMinor, LCID lcid) {
    return SUCCEEDED(UnRegisterTypeLib(tlid, verMajor, verMinor, lcid, SYS_WIN32)) ? TRUE : FALSE;
}
