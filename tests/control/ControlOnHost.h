#pragma once
// A control whose target is a stand-in host's element holding the picture. At
// the end of every test only the host holds the element and its image again.

#include <gtest/gtest.h>

#include <vector>

#include "control/CRastelCtrl.h"
#include "tests/support/AllocationGuards.h"
#include "tests/support/HostFixture.h"
#include "tests/support/RecordingPrompts.h"

class ControlOnHost : public ::testing::Test {
protected:
    ControlOnHost(int32_t width, int32_t height, const std::vector<uint8_t>& bgra)
        : width(width), height(height), picture(bgra), host(width, height, bgra) {
        host.Target(control);
    }
    ~ControlOnHost() override {
        control.m_target.ReleaseDispatch();
        EXPECT_EQ(host.element->RefCount(), 1u);
        EXPECT_EQ(host.image->RefCount(), 2u);  // the fixture's and the element's
    }

    // Gives the host the starting picture again and runs the effect of the code.
    void Run(uint32_t code) {
        host.image->SetPicture(width, height, picture);
        control.m_nEffectCode = code;
        control.ApplyEffect();
    }

    const int32_t width, height;
    const std::vector<uint8_t> picture;
    RecordingPrompts prompts;
    HostFixture host;
    CRastelCtrl control;
};
