// A small in-process server for tests of the class machinery: one control
// class "Tests.Adder.1" with a method Add(a, b) and a method Fail that raises
// a dispatch exception. It carries no version information.

#include <stdexcept>

#include "platform/automation/DispatchDriver.h"
#include "platform/olectl/COleControl.h"
#include "platform/olectl/COleObjectFactory.h"
#include "platform/olectl/OleRegistration.h"
#include "tests/com/TestServerIds.h"

namespace {

const typelib::Library kLibrary{
    "TestServerLib",
    kTestLibId,
    1,
    0,
    0x409,
    LIBFLAG_FCONTROL,
    "Test server",
    "",
    {},
    {{"_DAdder",
      TKIND_DISPATCH,
      kTestDispatchIid,
      TYPEFLAG_FDISPATCHABLE,
      "Adder interface",
      {{1, "Add", {{"a", VT_I4}, {"b", VT_I4}}, VT_I4}, {2, "Fail", {}, VT_EMPTY}},
      {}},
     {"Adder",
      TKIND_COCLASS,
      kTestClsid,
      TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL,
      "Adder",
      {},
      {{kTestDispatchIid, IMPLTYPEFLAG_FDEFAULT}}}}};

const AFX_MODULE_RESOURCES kResources{{{1, "Adder Control"}}, &kLibrary};

class CAdder : public COleControl {
public:
    CAdder() : COleControl("Adder") { InitializeIIDs(&kTestDispatchIid, nullptr); }

    LONG Add(LONG a, LONG b) { return a + b; }
    void Fail() { throw COleDispatchException(E_ACCESSDENIED, "refused", "Adder"); }

    BOOL IsInvokeAllowed(DISPID) override { return TRUE; }
    const AFX_DISPMAP* GetDispatchMap() const override {
        static const AFX_DISPMAP_ENTRY entries[] = {
            DISP_FUNCTION_ID("Add", 1, &CAdder::Add),
            DISP_FUNCTION_ID("Fail", 2, &CAdder::Fail),
        };
        static const AFX_DISPMAP map{entries, 2};
        return &map;
    }
    HRESULT GetClassID(LPCLSID clsid) override {
        *clsid = kTestClsid;
        return S_OK;
    }
    UINT GetUserTypeNameID() override { return 1; }
    DWORD GetMiscStatus() override { return 0; }
};

class CAdderFactory : public COleObjectFactory {
public:
    CAdderFactory()
        : COleObjectFactory(
              kTestClsid,
              [] { return static_cast<IUnknown*>(static_cast<IDispatch*>(new CAdder())); },
              kTestProgId) {}
    BOOL UpdateRegistry(BOOL bRegister) override {
        if (!bRegister) return AfxOleUnregisterClass(m_clsid, m_lpszProgID);
        return AfxOleRegisterControlClass(AfxGetInstanceHandle(), m_clsid, m_lpszProgID, 1, 1,
                                          afxRegApartmentThreading, 0, kTestLibId, 1, 0);
    }
} g_factory;

struct Resources {
    Resources() { AfxSetResources(&kResources); }
} g_resources;

}  // namespace

#define TEST_EXPORT extern "C" __attribute__((visibility("default")))

TEST_EXPORT HRESULT DllRegisterServer() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!AfxOleRegisterTypeLib(AfxGetInstanceHandle(), kTestLibId)) return SELFREG_E_TYPELIB;
    return COleObjectFactory::UpdateRegistryAll(TRUE) ? S_OK : SELFREG_E_CLASS;
}

TEST_EXPORT HRESULT DllUnregisterServer() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (!AfxOleUnregisterTypeLib(kTestLibId, 1, 0)) return SELFREG_E_TYPELIB;
    return COleObjectFactory::UpdateRegistryAll(FALSE) ? S_OK : SELFREG_E_CLASS;
}

TEST_EXPORT HRESULT DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxDllGetClassObject(clsid, iid, object);
}

TEST_EXPORT HRESULT DllCanUnloadNow() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxDllCanUnloadNow();
}
