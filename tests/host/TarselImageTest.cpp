#include <gtest/gtest.h>

#include <cstring>

#include "host/CHostElement.h"
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
    TarselImageTest() {
        host->AddRef();
        driver.Attach(host);
    }
    ~TarselImageTest() override {
        driver.ReleaseDispatch();
        EXPECT_EQ(host->RefCount(), 1u);
        host->Release();
    }
    TarselImage* host = TarselImage::Create(2, 1, {1, 2, 3, 4, 5, 6, 7, 8});
    CHostImage driver;
};

TEST_F(TarselImageTest, GetImageDataHandsOutTheHostsOwnMemoryAndBgraComesBackUnchanged) {
    COleVariant data(LONG{1234}), width, height;
    driver.GetImageData(&data, &width, &height);
    ASSERT_EQ(data.vt, VT_I8);  // a 64-bit address
    const BYTE* pixels = reinterpret_cast<BYTE*>(static_cast<intptr_t>(data.llVal));
    EXPECT_EQ(pixels, host->Pixels().data());
    EXPECT_EQ(width.lVal, 2);
    EXPECT_EQ(height.lVal, 1);
    const std::vector<uint8_t> bytes(pixels, pixels + 8);
    Write(driver, bytes, 2, 1, "BGRA");
    EXPECT_EQ(host->Pixels(), bytes);
}

TEST_F(TarselImageTest, RgbaMakesTheHostReadByteZeroAsRed) {
    Write(driver, {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120}, 3, 1, "RGBA");
    EXPECT_EQ(host->Width(), 3);
    EXPECT_EQ(host->Pixels(),
              (std::vector<uint8_t>{30, 20, 10, 40, 70, 60, 50, 80, 110, 100, 90, 120}));
}

TEST_F(TarselImageTest, WrongLengthsAndOrdersAreRefusedAndChangeNothing) {
    const std::vector<uint8_t> before = host->Pixels();
    EXPECT_THROW(Write(driver, {1, 2, 3, 4}, 2, 1, "BGRA"), COleDispatchException);
    EXPECT_THROW(Write(driver, {1, 2, 3, 4, 5, 6, 7, 8}, 2, 1, "ARGB"), COleDispatchException);
    EXPECT_THROW(Write(driver, {1, 2, 3, 4, 5, 6, 7, 8}, -2, -1, "BGRA"), COleDispatchException);
    EXPECT_EQ(host->Pixels(), before);
    EXPECT_EQ(host->FromRGBACalls(), 0);
}

TEST(TarselElement, AssigningAnImageTakesItsPixelsAndRedraws) {
    TarselImage* own = TarselImage::Create(1, 1, {0, 0, 0, 0});
    TarselImage* other = TarselImage::Create(1, 2, {1, 1, 1, 1, 2, 2, 2, 2});
    TarselElement* element = TarselElement::Create(own);
    {
        CHostElement driver;
        element->AddRef();
        driver.Attach(element);
        driver.SetRGBAImage(other);
        EXPECT_EQ(element->Redraws(), 1);
        EXPECT_EQ(own->Height(), 2);
        EXPECT_EQ(own->Pixels(), other->Pixels());
    }
    EXPECT_EQ(other->RefCount(), 1u);
    for (DispatchObject* o : std::initializer_list<DispatchObject*>{element, own, other}) {
        o->Release();
    }
}

}  // namespace
