#include <gtest/gtest.h>

#include <string>

#include "platform/automation/Bstr.h"
#include "platform/automation/DispatchDriver.h"
#include "platform/automation/OleVariant.h"
#include "tests/automation/CountedObject.h"

namespace {

DISPID IdOf(IDispatch* object, const char* name, HRESULT* hr = nullptr) {
    std::u16string wide = WideFromNarrow(name);
    LPOLESTR names[1] = {wide.data()};
    DISPID id = 12345;
    const HRESULT result = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (hr) *hr = result;
    return id;
}

TEST(DispatchObject, ResolvesNamesWithoutRegardToCase) {
    CountedObject* object = CountedObject::Create();
    EXPECT_EQ(IdOf(object, "Echo"), 7);
    EXPECT_EQ(IdOf(object, "eCHO"), 7);
    HRESULT hr = S_OK;
    EXPECT_EQ(IdOf(object, "Missing", &hr), DISPID_UNKNOWN);
    EXPECT_EQ(hr, DISP_E_UNKNOWNNAME);
    object->RemoveMember("Echo");
    EXPECT_EQ(IdOf(object, "Echo"), DISPID_UNKNOWN);
    object->Release();
}

TEST(DispatchObject, QueryInterfaceAnswersOnlyItsInterfaces) {
    CountedObject* object = CountedObject::Create();
    void* out = nullptr;
    EXPECT_EQ(object->QueryInterface(IID_IDispatch, &out), S_OK);
    EXPECT_EQ(out, static_cast<IDispatch*>(object));
    EXPECT_EQ(object->RefCount(), 2u);
    object->Release();
    const IID other = MakeGuid("{F8950808-4E78-4D90-8BDF-193286F143C5}");
    EXPECT_EQ(object->QueryInterface(other, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    object->Release();
}

TEST(InvokeHelper, PassesArgumentsLastFirstAndConvertsNarrowStrings) {
    CountedObject* object = CountedObject::Create();
    COleDispatchDriver driver(object);
    static const BYTE params[] = VTS_BSTR VTS_I4 VTS_BSTR;
    LONG result = 0;
    driver.InvokeHelper(7, DISPATCH_METHOD, VT_I4, &result, params, "Tintora", 42, "Tools|");
    EXPECT_EQ(result, 3);
    // The callee reads them in declaration order through Invocation::Arg.
    EXPECT_EQ(object->receivedStrings, (std::vector<std::string>{"Tintora", "Tools|"}));
    EXPECT_EQ(object->receivedIntegers, (std::vector<LONGLONG>{42}));
    EXPECT_EQ(object->receivedTypes, (std::vector<VARTYPE>{VT_BSTR, VT_I4, VT_BSTR}));
}

TEST(InvokeHelper, ByReferenceVariantsComeBackWritten) {
    CountedObject* object = CountedObject::Create();
    COleDispatchDriver driver(object);
    static const BYTE params[] = VTS_PVARIANT VTS_PVARIANT;
    COleVariant first(LONG{1234});
    COleVariant second;
    driver.InvokeHelper(7, DISPATCH_METHOD, VT_EMPTY, nullptr, params, &first, &second);
    EXPECT_EQ(object->receivedTypes,
              (std::vector<VARTYPE>{VT_BYREF | VT_VARIANT, VT_BYREF | VT_VARIANT}));
    EXPECT_EQ(first.vt, VT_I4);
    EXPECT_EQ(first.lVal, 99);
    EXPECT_EQ(second.lVal, 99);
}

TEST(InvokeHelper, PropertyAssignmentUsesTheNamedPutArgument) {
    CountedObject* object = CountedObject::Create();
    COleDispatchDriver driver(object);
    static const BYTE params[] = VTS_I4;
    driver.InvokeHelper(8, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, 17);
    EXPECT_EQ(object->value, 17);
    EXPECT_EQ(object->lastFlags, DISPATCH_PROPERTYPUT);
    LONG read = 0;
    driver.GetProperty(8, VT_I4, &read);
    EXPECT_EQ(read, 17);
}

TEST(InvokeHelper, FailuresRaiseTheDispatchExceptionWithTheHresult) {
    CountedObject* object = CountedObject::Create();
    COleDispatchDriver driver(object);
    try {
        driver.InvokeHelper(DISPID_UNKNOWN, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
        FAIL() << "no exception";
    } catch (const COleDispatchException& e) {
        EXPECT_EQ(e.m_scError, DISP_E_MEMBERNOTFOUND);
    }
    // A result that cannot take the requested type fails too, and leaks nothing.
    std::string text;
    try {
        driver.InvokeHelper(9, DISPATCH_PROPERTYGET, VT_I4, &text, nullptr);
        FAIL() << "no exception";
    } catch (const COleDispatchException& e) {
        EXPECT_EQ(e.m_scError, DISP_E_TYPEMISMATCH);
    }
    EXPECT_EQ(object->RefCount(), 1u);
    COleDispatchDriver empty;
    EXPECT_THROW(empty.InvokeHelper(1, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr),
                 COleDispatchException);
}

TEST(DispatchDriver, ReleasesOnlyWhatItOwns) {
    CountedObject* object = CountedObject::Create();
    object->AddRef();
    {
        COleDispatchDriver owning(object);
        EXPECT_EQ(object->RefCount(), 2u);
    }
    EXPECT_EQ(object->RefCount(), 1u);
    {
        COleDispatchDriver borrowed(object, FALSE);
    }
    EXPECT_EQ(object->RefCount(), 1u);
    COleDispatchDriver detached(object);
    object->AddRef();
    EXPECT_EQ(detached.DetachDispatch(), object);
    EXPECT_EQ(object->RefCount(), 2u);
    LPDISPATCH self = nullptr;
    COleDispatchDriver reader(object);
    reader.GetProperty(9, VT_DISPATCH, &self);
    EXPECT_EQ(self, object);
    EXPECT_EQ(object->RefCount(), 3u);  // the caller owns the returned reference
    self->Release();
    object->Release();
}

}  // namespace
