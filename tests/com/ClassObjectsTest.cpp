#include <gtest/gtest.h>

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

TEST_F(ClassObjectsTest, CreatesByProgIdAndCallsThroughTheDispatchMapWithItsExceptions) {
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(u"Tests.Adder.1", &clsid), S_OK);
    IDispatch* adder = nullptr;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(&adder)),
              S_OK);
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

    // A dispatch exception comes back as exception information.
    EXCEPINFO info;
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

TEST_F(ClassObjectsTest, MissingClassesAndModulesFail) {
    HMODULE module = LoadLibrary(kServerFile.c_str());
    ASSERT_NE(module, nullptr);
    auto getClassObject =
        reinterpret_cast<DllGetClassObjectFunction>(GetProcAddress(module, "DllGetClassObject"));
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(kTestLibId, IID_IClassFactory, &object), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(getClassObject(kTestClsid, IID_IDispatch, &object), E_NOINTERFACE);
    FreeLibrary(module);

    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(u"Tests.Nothing.1", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(CLSIDFromProgID(u"", &clsid), CO_E_CLASSSTRING);
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
