#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/automation/ComPtr.h"
#include "platform/automation/DispatchDriver.h"
#include "platform/automation/Guid.h"
#include "platform/automation/OleVariant.h"
#include "tests/automation/CountedObject.h"
#include "tests/support/DispatchCalls.h"

namespace {

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

TEST_F(Dispatch, ResolvesNamesWithoutRegardToCaseAndAnswersOnlyItsInterfaces) {
    EXPECT_EQ(DispIdOf(object, "eCHO"), 7);
    std::u16string missing = u"Missing";
    LPOLESTR names[] = {missing.data()};
    DISPID id = 0;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id),
              DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);
    ComPtr<IDispatch> same;
    EXPECT_EQ(object->QueryInterface(IID_IDispatch, same.ReceiveVoid()), S_OK);
    EXPECT_EQ(object->RefCount(), 2u);
    void* out = nullptr;
    EXPECT_EQ(object->QueryInterface(MakeGuid("{F8950808-4E78-4D90-8BDF-193286F143C5}"), &out),
              E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
}

TEST_F(Dispatch, InvokeHelperPassesArgumentsLastFirstAndWritesByReferenceVariants) {
    static const BYTE params[] = VTS_BSTR VTS_I4 VTS_BSTR;
    LONG result = 0;
    driver.InvokeHelper(7, DISPATCH_METHOD, VT_I4, &result, params, "Tintora", 42, "Tools|");
    EXPECT_EQ(result, 3);
    // The callee reads them in declaration order.
    EXPECT_EQ(object->receivedStrings, (std::vector<std::string>{"Tintora", "Tools|"}));
    EXPECT_EQ(object->receivedIntegers, (std::vector<LONGLONG>{42}));
    EXPECT_EQ(object->receivedTypes, (std::vector<VARTYPE>{VT_BSTR, VT_I4, VT_BSTR}));
    static const BYTE refs[] = VTS_PVARIANT;
    COleVariant out(LONG{1234});
    driver.InvokeHelper(7, DISPATCH_METHOD, VT_EMPTY, nullptr, refs, &out);
    EXPECT_EQ(object->receivedTypes, (std::vector<VARTYPE>{VT_BYREF | VT_VARIANT}));
    EXPECT_EQ(out.lVal, 99);
}

TEST_F(Dispatch, PropertiesAreAssignedWithTheNamedPutArgumentAndFailuresRaiseTheirHresult) {
    static const BYTE params[] = VTS_I4;
    driver.InvokeHelper(8, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, params, 17);
    EXPECT_EQ(object->lastFlags, DISPATCH_PROPERTYPUT);
    LONG read = 0;
    driver.GetProperty(8, VT_I4, &read);
    EXPECT_EQ(read, 17);
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

TEST_F(Dispatch, DriversReleaseOnlyWhatTheyOwnAndTheCallerOwnsAReturnedReference) {
    const ComPtr<CountedObject> held(object);
    {
        COleDispatchDriver owning(held.NewReference());
        COleDispatchDriver borrowed(object, FALSE);
        EXPECT_EQ(object->RefCount(), 3u);
    }
    EXPECT_EQ(object->RefCount(), 2u);
    ComPtr<IDispatch> self;
    driver.GetProperty(9, VT_DISPATCH, self.Receive());
    EXPECT_EQ((std::tuple{self.Get(), object->RefCount()}), (std::tuple{object, 3u}));
}

TEST(Guid, ParsesAndFormatsTheRegistryFormAndRejectsMalformedText) {
    const char* text = "{0AA2BBBA-E774-4D4C-8F18-3082F0E53D45}";
    const auto guid = GuidFromString("{0aa2bbba-e774-4d4c-8f18-3082f0e53d45}");
    ASSERT_TRUE(guid);
    EXPECT_EQ(std::tuple(guid->Data1, guid->Data2, guid->Data3, guid->Data4[0], guid->Data4[7]),
              std::tuple(0x0AA2BBBAu, 0xE774, 0x4D4C, 0x8F, 0x45));
    EXPECT_EQ(GuidToString(*guid), text);  // formatted upper case
    for (const char* bad :
         {"", "0AA2BBBA-E774-4D4C-8F18-3082F0E53D45", "{0AA2BBBA-E774-4D4C-8F18-3082F0E53D4}",
          "{0AA2BBBA+E774-4D4C-8F18-3082F0E53D45}", "{0AA2BBBG-E774-4D4C-8F18-3082F0E53D45}"}) {
        EXPECT_FALSE(GuidFromString(bad)) << bad;
    }
}

TEST(Bstr, KeepsItsLengthAndEmbeddedZerosAndConvertsNarrowUtf8BothWays) {
    const OLECHAR text[] = {u'a', 0, u'b'};
    const auto s = ScopedBstr::Adopt(SysAllocStringLen(text, 3));
    EXPECT_EQ((std::tuple{SysStringLen(s.Get()), s.Get()[2]}), (std::tuple{3u, u'b'}));
    EXPECT_EQ(s.Get()[3], 0);  // terminated
    EXPECT_EQ(NarrowFromBstr(nullptr), "");
    for (const char* narrow : {"Tools|", "Grüße", "€ and 𝄞", ""}) {
        EXPECT_EQ(ScopedBstr(narrow).Narrow(), narrow);
    }
    EXPECT_EQ(WideFromNarrow("𝄞").size(), 2u);  // a surrogate pair
    // Bytes that are not UTF-8 become replacement characters instead of being dropped.
    EXPECT_EQ(WideFromNarrow("a\xFFz"), u"a\uFFFDz");
}

}  // namespace

TEST(Holders, ComPtrCountsEveryCopyMoveAndRelease) {
    const auto owner = ComPtr<CountedObject>::Adopt(CountedObject::Create());
    CountedObject* raw = owner.Get();
    {
        ComPtr<IDispatch> copy(raw);
        ComPtr<IDispatch> moved = std::move(copy);
        EXPECT_FALSE(copy);
        ComPtr<IDispatch> shared = moved;
        EXPECT_EQ((std::tuple{raw->RefCount(), *shared.Receive()}), (std::tuple{3u, nullptr}));
        EXPECT_EQ(raw->RefCount(), 2u);
        moved = ComPtr<IDispatch>(raw);
        EXPECT_EQ(raw->RefCount(), 2u);
        ComPtr<IDispatch>::Adopt(moved.Detach());
    }
    EXPECT_EQ(raw->RefCount(), 1u);
    ScopedBstr text("grün");
    ScopedBstr taken = std::move(text);
    EXPECT_EQ((std::tuple{text.Get(), taken.Narrow()}), (std::tuple{nullptr, "grün"}));
}
