#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

#include "platform/automation/Bstr.h"
#include "platform/automation/OleVariant.h"
#include "platform/com/ClassObjects.h"
#include "platform/com/ControlInterfaces.h"
#include "platform/com/Module.h"
#include "platform/com/RegistryKeys.h"
#include "tests/com/ComTestSupport.h"
#include "tests/com/TestServerIds.h"

namespace {

std::string Reg(const std::string& key, LPCSTR name = nullptr) {
    return com::GetRegString(HKEY_CLASSES_ROOT, key, name).value_or("<missing>");
}

HRESULT CallServer(const char* entry) {
    HMODULE module = LoadLibrary(kServerFile.c_str());
    if (!module) return HRESULT_ERROR_MOD_NOT_FOUND;
    auto function = reinterpret_cast<HRESULT (*)()>(GetProcAddress(module, entry));
    const HRESULT hr = function ? function() : CO_E_ERRORINDLL;
    FreeLibrary(module);
    return hr;
}

class ClassObjectsTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        ASSERT_EQ(CallServer("DllRegisterServer"), S_OK);
    }
    void TearDown() override {
        CoFreeUnusedLibraries();
        RegistryTest::TearDown();
    }

    IDispatch* CreateAdder() {
        CLSID clsid{};
        EXPECT_EQ(CLSIDFromProgID(u"Tests.Adder.1", &clsid), S_OK);
        IDispatch* adder = nullptr;
        EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(&adder)),
                  S_OK);
        return adder;
    }

    static DISPID IdOf(IDispatch* object, const char16_t* name) {
        std::u16string text = name;
        LPOLESTR names[] = {text.data()};
        DISPID id = 0;
        object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        return id;
    }

    // Calls with the arguments in the order written; they are cleared afterwards.
    static HRESULT Call(IDispatch* object, DISPID id, std::vector<VARIANT> args, VARIANT* result,
                        EXCEPINFO* info = nullptr) {
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPPARAMS params{reversed.data(), nullptr, UINT(reversed.size()), 0};
        const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                          &params, result, info, nullptr);
        for (auto& v : reversed) VariantClear(&v);
        return hr;
    }
};

}  // namespace

TEST_F(ClassObjectsTest, RegistrationWritesTheControlClass) {
    char path[PATH_MAX];
    const std::string file = realpath(kServerFile.c_str(), path);
    const std::string key = "CLSID\\" + GuidToString(kTestClsid);
    EXPECT_EQ(Reg(key), "Adder Control");
    EXPECT_EQ(Reg(key + "\\ProgID"), "Tests.Adder.1");
    EXPECT_EQ(Reg(key + "\\InprocServer32"), file);
    EXPECT_EQ(Reg(key + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(Reg(key + "\\ToolboxBitmap32"), file + ", 1");
    EXPECT_EQ(Reg(key + "\\MiscStatus"), "0");
    EXPECT_EQ(Reg(key + "\\MiscStatus\\1"), "0");
    EXPECT_EQ(Reg(key + "\\TypeLib"), GuidToString(kTestLibId));
    EXPECT_EQ(Reg(key + "\\Version"), "1.0");
    EXPECT_TRUE(com::RegKeyExists(HKEY_CLASSES_ROOT, key + "\\Control"));
    EXPECT_FALSE(com::RegKeyExists(HKEY_CLASSES_ROOT, key + "\\Insertable"));
    EXPECT_EQ(Reg("Tests.Adder.1"), "Adder Control");
    EXPECT_EQ(Reg("Tests.Adder.1\\CLSID"), GuidToString(kTestClsid));
    EXPECT_EQ(ProgIDFromCLSID(kTestClsid), "Tests.Adder.1");
    EXPECT_EQ(Reg("TypeLib\\" + GuidToString(kTestLibId) + "\\1.0\\409\\win32"), file);

    ASSERT_EQ(CallServer("DllUnregisterServer"), S_OK);
    EXPECT_FALSE(com::RegKeyExists(HKEY_CLASSES_ROOT, key));
    EXPECT_FALSE(com::RegKeyExists(HKEY_CLASSES_ROOT, "Tests.Adder.1"));
    EXPECT_FALSE(com::RegKeyExists(HKEY_CLASSES_ROOT, "TypeLib\\" + GuidToString(kTestLibId)));
    EXPECT_EQ(CallServer("DllUnregisterServer"), SELFREG_E_TYPELIB);
}

TEST_F(ClassObjectsTest, CreatesByProgIdAndCallsThroughTheDispatchMap) {
    IDispatch* adder = CreateAdder();
    ASSERT_NE(adder, nullptr);
    EXPECT_EQ(LoadedServerCount(), 1u);
    const DISPID add = IdOf(adder, u"add");
    EXPECT_EQ(add, 1);
    EXPECT_EQ(IdOf(adder, u"Subtract"), DISPID_UNKNOWN);

    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(Call(adder, add, {MakeVariantI4(2), MakeVariantI4(40)}, &result), S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 42);

    // An integer argument converts; a string does not.
    VARIANT small;
    VariantInit(&small);
    small.vt = VT_I2;
    small.iVal = 3;
    EXPECT_EQ(Call(adder, add, {small, MakeVariantI4(5)}, &result), S_OK);
    EXPECT_EQ(result.lVal, 8);
    EXPECT_EQ(Call(adder, add, {MakeVariantBstr("2"), MakeVariantI4(5)}, &result),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Call(adder, add, {MakeVariantI4(5)}, &result), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(adder, 77, {}, &result), DISP_E_MEMBERNOTFOUND);
    adder->Release();
}

TEST_F(ClassObjectsTest, ADispatchExceptionComesBackAsExceptionInfo) {
    IDispatch* adder = CreateAdder();
    ASSERT_NE(adder, nullptr);
    EXCEPINFO info;
    VARIANT result;
    VariantInit(&result);
    ASSERT_EQ(Call(adder, IdOf(adder, u"Fail"), {}, &result, &info), DISP_E_EXCEPTION);
    EXPECT_EQ(info.scode, E_ACCESSDENIED);
    EXPECT_EQ(NarrowFromBstr(info.bstrDescription), "refused");
    EXPECT_EQ(NarrowFromBstr(info.bstrSource), "Adder");
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrSource);
    // Without room for the information the call still fails cleanly, and the object lives on.
    EXPECT_EQ(Call(adder, 2, {}, &result), DISP_E_EXCEPTION);
    EXPECT_EQ(adder->Release(), 0u);
}

TEST_F(ClassObjectsTest, TheControlAnswersForItsIdentity) {
    IDispatch* adder = CreateAdder();
    ASSERT_NE(adder, nullptr);
    IPersist* persist = nullptr;
    ASSERT_EQ(adder->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&persist)), S_OK);
    CLSID clsid{};
    ASSERT_EQ(persist->GetClassID(&clsid), S_OK);
    EXPECT_EQ(clsid, kTestClsid);

    IOleObject* object = nullptr;
    ASSERT_EQ(persist->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)), S_OK);
    LPOLESTR name = nullptr;
    ASSERT_EQ(object->GetUserType(USERCLASSTYPE_FULL, &name), S_OK);
    EXPECT_EQ(NarrowFromWide(name), "Adder Control");
    CoTaskMemFree(name);

    IDispatch* primary = nullptr;
    ASSERT_EQ(object->QueryInterface(kTestDispatchIid, reinterpret_cast<void**>(&primary)), S_OK);
    EXPECT_EQ(primary, adder);
    void* none = nullptr;
    EXPECT_EQ(adder->QueryInterface(IID_IPropertyPage, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);

    primary->Release();
    object->Release();
    persist->Release();
    EXPECT_EQ(adder->Release(), 0u);
}

TEST_F(ClassObjectsTest, TheModuleStaysWhileObjectsFactoriesOrLocksRemain) {
    IDispatch* adder = CreateAdder();
    ASSERT_NE(adder, nullptr);
    CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedServerCount(), 1u);
    adder->Release();

    IClassFactory* factory = nullptr;
    ASSERT_EQ(CoGetClassObject(kTestClsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                               reinterpret_cast<void**>(&factory)),
              S_OK);
    CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedServerCount(), 1u);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory->Release();
    CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedServerCount(), 1u);

    // The lock is the last thing holding the module.
    CoGetClassObject(kTestClsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                     reinterpret_cast<void**>(&factory));
    factory->LockServer(FALSE);
    IUnknown* outer = factory;
    void* aggregated = nullptr;
    EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &aggregated), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(aggregated, nullptr);
    factory->Release();
    CoFreeUnusedLibraries();
    EXPECT_EQ(LoadedServerCount(), 0u);
}

TEST_F(ClassObjectsTest, TheServerHandsOutOnlyItsOwnClasses) {
    HMODULE module = LoadLibrary(kServerFile.c_str());
    ASSERT_NE(module, nullptr);
    auto getClassObject =
        reinterpret_cast<DllGetClassObjectFunction>(GetProcAddress(module, "DllGetClassObject"));
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(kTestLibId, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(getClassObject(kTestClsid, IID_IDispatch, &object), E_NOINTERFACE);
    FreeLibrary(module);
}

TEST_F(ClassObjectsTest, MissingClassesAndModulesFail) {
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"Tests.Nothing.1", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID(u"", &clsid), CO_E_CLASSSTRING);
    void* object = nullptr;
    constexpr CLSID kUnknown = MakeGuid("{01234567-89AB-CDEF-0123-456789ABCDEF}");
    EXPECT_EQ(CoCreateInstance(kUnknown, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object),
              REGDB_E_CLASSNOTREG);

    const std::string key = "CLSID\\" + GuidToString(kUnknown) + "\\InprocServer32";
    ASSERT_TRUE(com::SetRegString(HKEY_CLASSES_ROOT, key, nullptr, m_folder.File("gone.so")));
    EXPECT_EQ(CoCreateInstance(kUnknown, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object),
              HRESULT_ERROR_MOD_NOT_FOUND);
    // A library that is no server.
    ASSERT_TRUE(com::SetRegString(HKEY_CLASSES_ROOT, key, nullptr, "libm.so.6"));
    EXPECT_EQ(CoCreateInstance(kUnknown, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, &object),
              CO_E_ERRORINDLL);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(CoCreateInstance(kTestClsid, nullptr, 0x4, IID_IDispatch, &object),
              REGDB_E_CLASSNOTREG);
}
