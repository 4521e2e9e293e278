#include <gtest/gtest.h>

#include "platform/automation/Bstr.h"
#include "platform/automation/OleVariant.h"
#include "platform/automation/SafeArray.h"
#include "tests/automation/CountedObject.h"

namespace {

TEST(Variant, CopyDuplicatesStringsAndCountsReferences) {
    CountedObject* object = CountedObject::Create();
    {
        COleVariant a(static_cast<IDispatch*>(object));
        EXPECT_EQ(object->RefCount(), 2u);
        COleVariant b;
        ASSERT_EQ(VariantCopy(&b, &a), S_OK);
        EXPECT_EQ(object->RefCount(), 3u);
        COleVariant text("hello");
        COleVariant copy;
        VariantCopy(&copy, &text);
        EXPECT_NE(copy.bstrVal, text.bstrVal);
        EXPECT_EQ(NarrowFromBstr(copy.bstrVal), "hello");
        // Copying over a VARIANT releases what it held.
        VariantCopy(&b, &text);
        EXPECT_EQ(object->RefCount(), 2u);
    }
    EXPECT_EQ(object->RefCount(), 1u);
    object->Release();
}

TEST(Variant, ClearLeavesByReferenceTargetsAlone) {
    COleVariant target("kept");
    VARIANT ref;
    VariantInit(&ref);
    ref.vt = VT_BYREF | VT_VARIANT;
    ref.pvarVal = &target;
    VariantClear(&ref);
    EXPECT_EQ(ref.vt, VT_EMPTY);
    EXPECT_EQ(NarrowFromBstr(target.bstrVal), "kept");
}

TEST(Variant, ChangeTypeConvertsIntegersAndReportsOverflow) {
    COleVariant big;
    big.vt = VT_I8;
    big.llVal = 1LL << 40;
    COleVariant out;
    EXPECT_EQ(VariantChangeType(&out, &big, 0, VT_I4), DISP_E_OVERFLOW);
    EXPECT_EQ(VariantChangeType(&out, &big, 0, VT_I8), S_OK);
    EXPECT_EQ(out.llVal, 1LL << 40);
    COleVariant small(LONG{-5});
    EXPECT_EQ(VariantChangeType(&out, &small, 0, VT_UI4), DISP_E_OVERFLOW);
    EXPECT_EQ(VariantChangeType(&out, &small, 0, VT_I2), S_OK);
    EXPECT_EQ(out.iVal, -5);
    COleVariant shortValue;
    shortValue.vt = VT_I2;
    shortValue.iVal = -3;
    EXPECT_EQ(VariantChangeType(&out, &shortValue, 0, VT_I4), S_OK);
    EXPECT_EQ(out.lVal, -3);
    EXPECT_EQ(VariantChangeType(&out, &shortValue, 0, VT_I1), S_OK);
    EXPECT_EQ(out.cVal, -3);
    EXPECT_EQ(VariantChangeType(&out, &small, 0, VT_BOOL), S_OK);
    EXPECT_EQ(out.boolVal, VARIANT_TRUE);
    COleVariant text("12");
    EXPECT_EQ(VariantChangeType(&out, &text, 0, VT_I4), DISP_E_TYPEMISMATCH);
    COleVariant real;
    real.vt = VT_R8;
    real.dblVal = 2.5;  // halves go to the even neighbour
    EXPECT_EQ(VariantChangeType(&out, &real, 0, VT_I4), S_OK);
    EXPECT_EQ(out.lVal, 2);
}

TEST(SafeArray, VectorOfStringsOwnsCopiesAndKeepsItsLowerBound) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, 2);
    ASSERT_NE(array, nullptr);
    BSTR name = BstrFromNarrow("Tarsel2DObject");
    LONG index = 1;
    ASSERT_EQ(SafeArrayPutElement(array, &index, name), S_OK);
    SysFreeString(name);  // the array holds its own copy
    LONG lower = -1, upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    EXPECT_EQ(lower, 0);
    EXPECT_EQ(upper, 1);
    BSTR out = nullptr;
    ASSERT_EQ(SafeArrayGetElement(array, &index, &out), S_OK);
    EXPECT_EQ(NarrowFromBstr(out), "Tarsel2DObject");
    SysFreeString(out);
    index = 2;
    EXPECT_EQ(SafeArrayPutElement(array, &index, nullptr), DISP_E_BADINDEX);
    EXPECT_EQ(SafeArrayDestroy(array), S_OK);
}

TEST(SafeArray, LockedArraysCannotBeDestroyedAndElementsReleaseReferences) {
    CountedObject* object = CountedObject::Create();
    SAFEARRAY* array = SafeArrayCreateVector(VT_DISPATCH, 5, 1);
    LONG index = 5;
    SafeArrayPutElement(array, &index, static_cast<IDispatch*>(object));
    EXPECT_EQ(object->RefCount(), 2u);
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
    object->Release();
}

TEST(SafeArray, RefusesImpossibleSizes) {
    EXPECT_EQ(SafeArrayCreateVector(VT_EMPTY, 0, 4), nullptr);
    SAFEARRAYBOUND bounds[2] = {{1, 0}, {1, 0}};
    EXPECT_EQ(SafeArrayCreate(VT_I4, 2, bounds), nullptr);
}

}  // namespace
