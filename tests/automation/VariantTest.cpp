#include <gtest/gtest.h>

#include "platform/automation/ComPtr.h"
#include "platform/automation/OleVariant.h"
#include "platform/automation/SafeArray.h"
#include "tests/automation/CountedObject.h"

namespace {

TEST(Variant, CopyDuplicatesStringsAndCountsReferencesAndClearSparesByReferenceTargets) {
    const auto object = ComPtr<CountedObject>::Adopt(CountedObject::Create());
    {
        COleVariant a(static_cast<IDispatch*>(object.Get()));
        COleVariant b;
        ASSERT_EQ(VariantCopy(&b, &a), S_OK);
        EXPECT_EQ(object->RefCount(), 3u);
        COleVariant text("hello");
        VariantCopy(&b, &text);  // copying over a VARIANT releases what it held
        EXPECT_EQ(object->RefCount(), 2u);
        EXPECT_NE(b.bstrVal, text.bstrVal);
        EXPECT_EQ(NarrowFromBstr(b.bstrVal), "hello");
        VARIANT ref{};
        ref.vt = VT_BYREF | VT_VARIANT, ref.pvarVal = &text;
        VariantClear(&ref);
        EXPECT_EQ(NarrowFromBstr(text.bstrVal), "hello");
    }
    EXPECT_EQ(object->RefCount(), 1u);
}

TEST(Variant, ChangeTypeConvertsIntegersAndReportsOverflow) {
    COleVariant big;
    big.vt = VT_I8, big.llVal = 1LL << 40;
    COleVariant small(LONG{-5});
    COleVariant real;
    real.vt = VT_R8;
    real.dblVal = 2.5;  // halves go to the even neighbour
    COleVariant text("12");
    // clang-format off
    const struct { const char* name; COleVariant* from; VARTYPE to; HRESULT hr; LONGLONG value; }
    cases[] = {
        {"I8 to I4", &big, VT_I4, DISP_E_OVERFLOW, 0}, {"I8 to I8", &big, VT_I8, S_OK, 1LL << 40},
        {"-5 to UI4", &small, VT_UI4, DISP_E_OVERFLOW, 0}, {"-5 to I2", &small, VT_I2, S_OK, -5},
        {"-5 to I1", &small, VT_I1, S_OK, -5}, {"-5 to BOOL", &small, VT_BOOL, S_OK, VARIANT_TRUE},
        {"2.5 to I4", &real, VT_I4, S_OK, 2}, {"text to I4", &text, VT_I4, DISP_E_TYPEMISMATCH, 0}};
    // clang-format on
    for (const auto& c : cases) {
        COleVariant out;
        EXPECT_EQ(VariantChangeType(&out, c.from, 0, c.to), c.hr) << c.name;
        if (c.hr == S_OK) {
            EXPECT_EQ(VariantToInteger(out), c.value) << c.name;
        }
    }
}

TEST(SafeArray, ElementsAreOwnedCopiesAndLockedArraysCannotBeDestroyed) {
    SAFEARRAY* names = SafeArrayCreateVector(VT_BSTR, 0, 2);
    LONG index = 1;
    ASSERT_EQ(SafeArrayPutElement(names, &index, ScopedBstr("Tarsel2DObject").Get()), S_OK);
    ScopedBstr out;
    ASSERT_EQ(SafeArrayGetElement(names, &index, out.Receive()), S_OK);
    EXPECT_EQ(out.Narrow(), "Tarsel2DObject");
    index = 2;
    EXPECT_EQ(SafeArrayPutElement(names, &index, nullptr), DISP_E_BADINDEX);
    EXPECT_EQ(SafeArrayDestroy(names), S_OK);

    const auto object = ComPtr<CountedObject>::Adopt(CountedObject::Create());
    SAFEARRAY* array = SafeArrayCreateVector(VT_DISPATCH, 5, 1);
    index = 5;
    SafeArrayPutElement(array, &index, static_cast<IDispatch*>(object.Get()));
    void* data = nullptr;
    SafeArrayAccessData(array, &data);
    EXPECT_EQ(SafeArrayDestroy(array), DISP_E_ARRAYISLOCKED);
    SafeArrayUnaccessData(array);
    SAFEARRAY* copy = nullptr;
    ASSERT_EQ(SafeArrayCopy(array, &copy), S_OK);
    EXPECT_EQ(object->RefCount(), 3u);
    SafeArrayDestroy(copy);
    SafeArrayDestroy(array);
    EXPECT_EQ(object->RefCount(), 1u);
    EXPECT_EQ(SafeArrayCreateVector(VT_EMPTY, 0, 4), nullptr);
}

// SAFEARRAYs over memory they do not own: how the plug-in lends its pixels to
// the host without copying them.

TEST(BorrowedSafeArray, HandsOutTheLentMemoryAndLeavesItWhenDestroyed) {
    for (const USHORT features : {USHORT(FADF_AUTO | FADF_FIXEDSIZE), FADF_STATIC}) {
        std::vector<char> bytes = {1, 2, 3, 4, 5};
        // A descriptor lent the vector's memory.
        SAFEARRAY* array = nullptr;
        ASSERT_EQ(SafeArrayAllocDescriptorEx(VT_I1, 1, &array), S_OK);
        array->pvData = bytes.data(), array->rgsabound[0] = {ULONG(bytes.size()), 0};
        array->fFeatures = features;
        void* data = nullptr;
        ASSERT_EQ(SafeArrayAccessData(array, &data), S_OK);
        EXPECT_EQ(data, bytes.data());
        EXPECT_EQ(SafeArrayUnaccessData(array), S_OK);
        LONG upper = 0;
        EXPECT_EQ((std::tuple{SafeArrayGetUBound(array, 1, &upper), upper}), (std::tuple{S_OK, 4}));
        // A copy owns its elements; destroying both frees only the copy's.
        SAFEARRAY* copy = nullptr;
        ASSERT_EQ(SafeArrayCopy(array, &copy), S_OK);
        EXPECT_NE(copy->pvData, array->pvData);
        EXPECT_EQ(std::vector<char>(static_cast<char*>(copy->pvData),
                                    static_cast<char*>(copy->pvData) + 5),
                  bytes);
        EXPECT_EQ(SafeArrayDestroy(copy), S_OK);
        EXPECT_EQ(SafeArrayDestroy(array), S_OK);
        EXPECT_EQ(bytes, (std::vector<char>{1, 2, 3, 4, 5}));
    }
}

TEST(BorrowedSafeArray, DescriptorsNeedOneDimensionAndAKnownType) {
    SAFEARRAY* array = reinterpret_cast<SAFEARRAY*>(1);
    EXPECT_EQ(SafeArrayAllocDescriptorEx(VT_I1, 2, &array), E_INVALIDARG);
    EXPECT_EQ(array, nullptr);
    EXPECT_EQ(SafeArrayAllocDescriptorEx(VT_EMPTY, 1, &array), E_INVALIDARG);
    EXPECT_EQ(SafeArrayAllocDescriptorEx(VT_I1, 1, nullptr), E_INVALIDARG);
}

}  // namespace
