// SAFEARRAYs over memory they do not own: how the plug-in lends its pixels to
// the host without copying them.

#include <gtest/gtest.h>

#include <vector>

#include "platform/automation/SafeArray.h"

namespace {

SAFEARRAY* Lend(std::vector<char>& bytes, USHORT features) {
    SAFEARRAY* array = nullptr;
    EXPECT_EQ(SafeArrayAllocDescriptorEx(VT_I1, 1, &array), S_OK);
    array->pvData = bytes.data();
    array->rgsabound[0] = {ULONG(bytes.size()), 0};
    array->fFeatures = features;
    return array;
}

TEST(BorrowedSafeArray, HandsOutTheLentMemoryAndLeavesItWhenDestroyed) {
    for (const USHORT features : {USHORT(FADF_AUTO | FADF_FIXEDSIZE), FADF_STATIC}) {
        std::vector<char> bytes = {1, 2, 3, 4, 5};
        SAFEARRAY* array = Lend(bytes, features);
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
