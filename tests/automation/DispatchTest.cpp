#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/automation/Bstr.h"
#include "platform/automation/ComPtr.h"
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

// The error code of the dispatch exception the call raises; S_OK when it raises none.
SCODE ErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const COleDispatchException& e) {
        return e.m_scError;
    }
    return S_OK;
}

// A test object and a driver that owns its first reference.
class Dispatch : public ::testing::Test {
protected:
    CountedObject* object = CountedObject::Create();
    COleDispatchDriver driver{object};
};

TEST_F(Dispatch, ResolvesNamesWithoutRegardToCase) {
    EXPECT_EQ(IdOf(object, "Echo"), 7);
    EXPECT_EQ(IdOf(object, "eCHO"), 7);
    HRESULT hr = S_OK;
    EXPECT_EQ(IdOf(object, "Missing", &hr), DISPID_UNKNOWN);
    EXPECT_EQ(hr, DISP_E_UNKNOWNNAME);
    object->RemoveMember("Echo");
    EXPECT_EQ(IdOf(object, "Echo"), DISPID_UNKNOWN);
}

TEST_F(Dispatch, QueryInterfaceAnswersOnlyItsInterfaces) {
    void* out = nullptr;
    EXPECT_EQ(object->QueryInterface(IID_IDispatch, &out), S_OK);
    EXPECT_EQ(out, static_cast<IDispatch*>(object));
    EXPECT_EQ(object->RefCount(), 2u);
    object->Release();
    const IID other = MakeGuid("{F8950808-4E78-4D90-8BDF-193286F143C5}");
    EXPECT_EQ(object->QueryInterface(other, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(object->RefCount(), 1u);
}

TEST_F(Dispatch, InvokeHelperPassesArgumentsLastFirstAndConvertsNarrowStrings) {
    static const BYTE params[] = VTS_BSTR VTS_I4 VTS_BSTR;
    LONG result = 0;
    driver.InvokeHelper(7, DISPATCH_METHOD, VT_I4, &result, params, "Tintora", 42, "Tools|");
    EXPECT_EQ(result, 3);
    // The callee reads them in declaration order through Invocation::Arg.
    EXPECT_EQ(object->receivedStrings, (std::vector<std::string>{"Tintora", "Tools|"}));
    EXPECT_EQ(object->receivedIntegers, (std::vector<LONGLONG>{42}));
    EXPECT_EQ(object->receivedTypes, (std::vector<VARTYPE>{VT_BSTR, VT_I4, VT_BSTR}));
    // By-reference variants come back written.
    static const BYTE refs[] = VTS_PVARIANT VTS_PVARIANT;
    COleVariant first(LONG{1234}), second;
    driver.InvokeHelper(7, DISPATCH_METHOD, VT_EMPTY, nullptr, refs, &first, &second);
    EXPECT_EQ(object->receivedTypes,
              (std::vector<VARTYPE>{VT_BYREF | VT_VARIANT, VT_BYREF | VT_VARIANT}));
    EXPECT_EQ(first.vt, VT_I4);
    EXPECT_EQ(first.lVal, 99);
    EXPECT_EQ(second.lVal, 99);
}

TEST_F(Dispatch, PropertyAssignmentUsesTheNamedPutArgument) {
    static const BYTE params[] = VTS_I4;
    driver.InvokeHelper(8, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, 17);
    EXPECT_EQ(object->value, 17);
    EXPECT_EQ(object->lastFlags, DISPATCH_PROPERTYPUT);
    LONG read = 0;
    driver.GetProperty(8, VT_I4, &read);
    EXPECT_EQ(read, 17);
}

TEST_F(Dispatch, FailuresRaiseTheDispatchExceptionWithTheHresult) {
    EXPECT_EQ(ErrorOf([&] {
                  driver.InvokeHelper(DISPID_UNKNOWN, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr);
              }),
              DISP_E_MEMBERNOTFOUND);
    // A result that cannot take the requested type fails too, and leaks nothing.
    std::string text;
    EXPECT_EQ(ErrorOf([&] { driver.InvokeHelper(9, DISPATCH_PROPERTYGET, VT_I4, &text, nullptr); }),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(object->RefCount(), 1u);
    COleDispatchDriver empty;
    EXPECT_THROW(empty.InvokeHelper(1, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr),
                 COleDispatchException);
}

TEST_F(Dispatch, DriversReleaseOnlyWhatTheyOwn) {
    {
        object->AddRef();
        COleDispatchDriver owning(object);
        COleDispatchDriver borrowed(object, FALSE);
        EXPECT_EQ(object->RefCount(), 2u);
    }
    EXPECT_EQ(object->RefCount(), 1u);
    COleDispatchDriver detached(object);
    object->AddRef();
    EXPECT_EQ(detached.DetachDispatch(), object);
    EXPECT_EQ(object->RefCount(), 2u);
    object->Release();
    // The caller owns a returned reference.
    LPDISPATCH self = nullptr;
    driver.GetProperty(9, VT_DISPATCH, &self);
    EXPECT_EQ(self, object);
    EXPECT_EQ(object->RefCount(), 2u);
    self->Release();
}

}  // namespace

TEST(Holders, ComPtrCountsEveryCopyMoveAndRelease) {
    CountedObject* raw = CountedObject::Create();
    {
        auto held = ComPtr<IDispatch>::Adopt(raw);
        EXPECT_EQ(raw->RefCount(), 1u);
        ComPtr<IDispatch> copy = held;
        ComPtr<IDispatch> moved = std::move(copy);
        EXPECT_FALSE(copy);
        EXPECT_EQ(raw->RefCount(), 2u);
        ComPtr<IDispatch> shared(raw);
        EXPECT_EQ(raw->RefCount(), 3u);
        IDispatch** slot = shared.Receive();
        EXPECT_EQ(*slot, nullptr);
        EXPECT_EQ(raw->RefCount(), 2u);
        moved = held;
        EXPECT_EQ(raw->RefCount(), 2u);
        IDispatch* detached = moved.Detach();
        EXPECT_EQ(raw->RefCount(), 2u);
        detached->Release();
    }
    // Leaving the scope released the last reference (ASan reports a double release).
    ScopedBstr text("grün");
    EXPECT_EQ(text.Narrow(), "grün");
    EXPECT_EQ(SysStringLen(text.Get()), 4u);
    ScopedBstr taken = std::move(text);
    EXPECT_EQ(text.Get(), nullptr);
    EXPECT_EQ(taken.Narrow(), "grün");
}
