#include <gtest/gtest.h>

#include <random>

#include "engine/Focus.h"
#include "tests/control/ControlOnHost.h"
#include "tests/support/RandomPictures.h"

namespace {

std::vector<uint8_t> Focused(const std::vector<uint8_t>& picture) {
    const engine::Result<engine::Raster> result = engine::Focus({picture.data(), 9, 5}, 2);
    const engine::Raster& output = result.Value();
    return {output.Data(), output.Data() + output.ByteSize()};
}

class Pipeline : public ControlOnHost {
protected:
    Pipeline() : ControlOnHost(9, 5, Start()) {
        control.m_nEffectCode = EFFECT_FOCUS, control.m_nSize = 2;
    }
    static std::vector<uint8_t> Start() {
        std::mt19937 rng(7);
        return RandomPicture(rng, 9, 5);
    }
};

TEST_F(Pipeline, EffectsAccumulateOnTheHostsCurrentImageAndRestoreBringsBackTheOriginal) {
    control.SnapshotImage(SLOT_ORIGINAL);
    control.ApplyEffect();
    const std::vector<uint8_t> once = host.image->Pixels();
    control.ApplyEffect();
    EXPECT_EQ(host.image->Pixels(), Focused(once));
    EXPECT_EQ(host.image->GetImageDataCalls(), 3);  // the snapshot's and the two effects'
    control.RestoreImage(SLOT_ORIGINAL);
    EXPECT_EQ(host.image->Pixels(), picture);
}

TEST_F(Pipeline, AHostCallThatFailsRaisesTheDispatchExceptionAndFreesTheRun) {
    host.image->RemoveMember("FromRGBA");
    EXPECT_THROW(control.ApplyEffect(), COleDispatchException);
    EXPECT_EQ(control.m_pDst, nullptr);
    EXPECT_EQ(control.m_pSrc, nullptr);
    EXPECT_EQ(host.image->Pixels(), picture);
}

}  // namespace
