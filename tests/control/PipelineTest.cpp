#include <gtest/gtest.h>

#include <random>

#include "control/CRastelCtrl.h"
#include "engine/Focus.h"
#include "tests/support/HostFixture.h"
#include "tests/support/RandomPictures.h"
#include "tests/support/RecordingPrompts.h"

namespace {

class Pipeline : public ::testing::Test {
protected:
    Pipeline() : rng(7), picture(RandomPicture(rng, 9, 5)), host(9, 5, picture) {
        host.Target(control);
        control.m_nEffectCode = EFFECT_FOCUS;
        control.m_nSize = 2;
    }
    std::mt19937 rng;
    std::vector<uint8_t> picture;
    RecordingPrompts prompts;
    HostFixture host;
    CRastelCtrl control;
};

TEST_F(Pipeline, FocusReachesTheHostAndTheRunLeavesNothingBehind) {
    control.ApplyEffect();
    engine::EffectResult expected = engine::Focus({picture.data(), 9, 5}, 2);
    const uint8_t* bytes = expected.output.Data();
    EXPECT_EQ(host.image->Pixels(), std::vector<uint8_t>(bytes, bytes + expected.output.ByteSize()));
    EXPECT_EQ(host.element->Redraws(), 1);
    EXPECT_EQ(control.m_pSrc, nullptr);
    EXPECT_EQ(control.m_pDst, nullptr);
    EXPECT_TRUE(prompts.messages.empty());
    control.m_target.ReleaseDispatch();
    EXPECT_EQ(host.element->RefCount(), 1u);
    EXPECT_EQ(host.image->RefCount(), 2u);
}

TEST_F(Pipeline, EffectsAccumulateOnTheHostsCurrentImage) {
    control.ApplyEffect();
    const std::vector<uint8_t> once = host.image->Pixels();
    control.ApplyEffect();
    engine::EffectResult twice = engine::Focus({once.data(), 9, 5}, 2);
    EXPECT_EQ(host.image->Pixels(),
              std::vector<uint8_t>(twice.output.Data(), twice.output.Data() + 9 * 5 * 4));
    EXPECT_EQ(host.image->GetImageDataCalls(), 2);
}

TEST_F(Pipeline, AFailedEffectShowsItsMessageAndHandsNothingToTheHost) {
    const size_t previous = engine::SetAllocationLimit(16);
    control.ApplyEffect();
    engine::SetAllocationLimit(previous);
    EXPECT_EQ(prompts.messages, (std::vector<std::string>{"Out of Memory"}));
    EXPECT_EQ(host.image->Pixels(), picture);
    EXPECT_EQ(host.image->FromRGBACalls(), 0);
    EXPECT_EQ(host.element->Redraws(), 0);
    EXPECT_EQ(control.m_pDst, nullptr);
}

TEST_F(Pipeline, RestoreAfterEffectsBringsBackTheOriginal) {
    control.SnapshotImage(SLOT_ORIGINAL);
    control.ApplyEffect();
    control.ApplyEffect();
    ASSERT_NE(host.image->Pixels(), picture);
    control.RestoreImage(SLOT_ORIGINAL);
    EXPECT_EQ(host.image->Pixels(), picture);
}

TEST_F(Pipeline, AHostCallThatFailsRaisesTheDispatchExceptionAndFreesTheRun) {
    host.image->RemoveMember("FromRGBA");
    EXPECT_THROW(control.ApplyEffect(), COleDispatchException);
    EXPECT_EQ(control.m_pDst, nullptr);
    EXPECT_EQ(control.m_pSrc, nullptr);
    EXPECT_EQ(host.image->Pixels(), picture);
    control.m_target.ReleaseDispatch();
    EXPECT_EQ(host.image->RefCount(), 2u);
}

}  // namespace
