#include <gtest/gtest.h>

#include "host/CHostApplication.h"
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

}  // namespace
