#include <gtest/gtest.h>

#include <cstring>

#include "host/CHostApplication.h"
#include "host/CHostElement.h"
#include "platform/automation/OleVariant.h"
#include "platform/automation/SafeArray.h"
#include "tests/support/StandInHost.h"

namespace {

// A driver resolves its names when it attaches; a name the host does not know
// leaves the driver usable and fails only its own call.
TEST(HostDrivers, AMissingNameStillAttachesAndOnlyItsCallFails) {
    StandInHost host;
    host.active->RemoveMember("Type");
    CHostApplication app;
    app.Attach(host.application.Get());  // the driver takes a reference of its own
    auto objectDriver = app.GetActiveCanvas()->GetScene()->GetActiveObject();
    ASSERT_TRUE(objectDriver);
    EXPECT_EQ(objectDriver->m_dispidType, DISPID_UNKNOWN);
    EXPECT_EQ(objectDriver->m_dispidVisible, DISPID_UNKNOWN);  // never known to the stand-in
    try {
        objectDriver->GetType();
        ADD_FAILURE() << "the call of a missing member must fail";
    } catch (const COleDispatchException& e) {
        EXPECT_EQ(e.m_scError, DISP_E_MEMBERNOTFOUND);
    }
    EXPECT_EQ(objectDriver->Element(0)->m_lpDispatch,
              static_cast<IDispatch*>(host.activeElement.Get()));
}

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
