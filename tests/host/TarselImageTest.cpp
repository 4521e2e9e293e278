#include <gtest/gtest.h>

#include <cstring>

#include "host/CHostElement.h"
#include "platform/automation/ComPtr.h"
#include "platform/automation/OleVariant.h"
#include "platform/automation/SafeArray.h"
#include "platform/tarsel/TarselElement.h"

namespace {

using tarsel::TarselElement;
using tarsel::TarselImage;

void Write(CHostImage& image, const std::vector<uint8_t>& bytes, LONG w, LONG h,
           const char* order) {
    COleVariant data;
    data.vt = VT_ARRAY | VT_I1;
    data.parray = SafeArrayCreateVector(VT_I1, 0, ULONG(bytes.size()));
    std::memcpy(data.parray->pvData, bytes.data(), bytes.size());
    COleVariant channelOrder(order);
    image.FromRGBA(data, w, h, channelOrder);
}

// A 2 x 1 host image and a driver attached to it, which releases it at the end.
class TarselImageTest : public ::testing::Test {
protected:
    TarselImageTest() { driver.Attach(held.NewReference()); }
    ~TarselImageTest() override {
        driver.ReleaseDispatch();
        EXPECT_EQ(host->RefCount(), 1u);
    }
    const ComPtr<TarselImage> held =
        ComPtr<TarselImage>::Adopt(TarselImage::Create(2, 1, {1, 2, 3, 4, 5, 6, 7, 8}));
    TarselImage* host = held.Get();
    CHostImage driver;
};

TEST_F(TarselImageTest, GetImageDataHandsOutTheHostsOwnMemoryAndBgraComesBackUnchanged) {
    COleVariant data(LONG{1234}), width, height;
    driver.GetImageData(&data, &width, &height);
    ASSERT_EQ(data.vt, VT_I8);  // a 64-bit address
    const BYTE* pixels = reinterpret_cast<BYTE*>(static_cast<intptr_t>(data.llVal));
    EXPECT_EQ((std::tuple{pixels, width.lVal}), (std::tuple{host->Pixels().data(), 2}));
    EXPECT_EQ(height.lVal, 1);
    const std::vector<uint8_t> bytes(pixels, pixels + 8);
    Write(driver, bytes, 2, 1, "BGRA");
    EXPECT_EQ(host->Pixels(), bytes);
}

TEST_F(TarselImageTest, WrongLengthsAndOrdersAreRefusedAndChangeNothing) {
    const std::vector<uint8_t> before = host->Pixels();
    EXPECT_THROW(Write(driver, {1, 2, 3, 4}, 2, 1, "BGRA"), COleDispatchException);
    EXPECT_THROW(Write(driver, {1, 2, 3, 4, 5, 6, 7, 8}, 2, 1, "ARGB"), COleDispatchException);
    EXPECT_THROW(Write(driver, {1, 2, 3, 4, 5, 6, 7, 8}, -2, -1, "BGRA"), COleDispatchException);
    EXPECT_EQ((std::tuple{host->Pixels(), host->FromRGBACalls()}), (std::tuple{before, 0}));
}

}  // namespace
