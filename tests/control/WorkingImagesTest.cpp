#include <gtest/gtest.h>

#include "control/CRastelCtrl.h"
#include "tests/support/HostFixture.h"
#include "tests/support/RecordingPrompts.h"

namespace {

// 2 x 1: a blue-ish pixel and a red-ish one (B, G, R, A).
const std::vector<uint8_t> kPicture = {200, 10, 20, 255, 5, 6, 250, 128};

class WorkingImages : public ::testing::Test {
protected:
    WorkingImages() : host(2, 1, kPicture) { host.Target(control); }
    ~WorkingImages() override {
        control.m_target.ReleaseDispatch();
        EXPECT_EQ(host.element->RefCount(), 1u);
        EXPECT_EQ(host.image->RefCount(), 2u);  // the fixture's and the element's
    }
    RecordingPrompts prompts;
    HostFixture host;
    CRastelCtrl control;
};

TEST(WorkingImagesWithoutTarget, EveryOperationReturnsAtOnceAndShowsNothing) {
    RecordingPrompts prompts;
    CRastelCtrl control;
    EXPECT_EQ(control.SnapshotImage(SLOT_ORIGINAL), 0);
    EXPECT_EQ(control.RestoreImage(SLOT_ORIGINAL), 0);
    control.m_nEffectCode = EFFECT_FOCUS;
    control.m_nSize = 1;
    EXPECT_EQ(control.ApplyEffect(), 0);
    EXPECT_EQ(control.ExportTga(), 0);
    int32_t w = 7, h = 7;
    EXPECT_EQ(control.FetchImageCopy(w, h, false), nullptr);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(control.m_pOriginal, nullptr);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(WorkingImagesWithoutImage, ATargetWithoutAnImageIsLikeNoTarget) {
    RecordingPrompts prompts;
    auto* element = tarsel::TarselElement::Create(nullptr);
    {
        CRastelCtrl control;
        element->AddRef();
        control.m_target.Attach(element);
        control.SnapshotImage(SLOT_ORIGINAL);
        control.m_nEffectCode = EFFECT_FOCUS;
        control.m_nSize = 1;
        control.ApplyEffect();
        EXPECT_EQ(control.m_pOriginal, nullptr);
    }
    EXPECT_EQ(element->Redraws(), 0);
    EXPECT_EQ(element->RefCount(), 1u);
    element->Release();
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(WorkingImages, SnapshotTwiceKeepsOneRasterOfTheLatestImage) {
    control.SnapshotImage(SLOT_ORIGINAL);
    host.image->SetPicture(1, 1, {1, 2, 3, 4});
    control.SnapshotImage(SLOT_ORIGINAL);
    ASSERT_NE(control.m_pOriginal, nullptr);
    EXPECT_EQ(control.m_nOriginalWidth, 1);
    EXPECT_EQ(control.m_nOriginalHeight, 1);
    EXPECT_EQ(std::vector<uint8_t>(control.m_pOriginal, control.m_pOriginal + 4),
              (std::vector<uint8_t>{1, 2, 3, 4}));
    // The slots are separate; any slot number but 1 is the checkpoint.
    control.SnapshotImage(7);
    EXPECT_EQ(control.m_nCheckpointWidth, 1);
    EXPECT_EQ(control.m_pCheckpoint[3], 4);
}

TEST_F(WorkingImages, ColorShiftRestoresTheOriginalWithRedAndBlueExchanged) {
    control.SnapshotImage(SLOT_ORIGINAL);
    host.image->SetPicture(1, 1, {0, 0, 0, 0});
    control.m_bSwapRedBlue = TRUE;
    control.RestoreImage(SLOT_ORIGINAL);
    EXPECT_EQ(host.image->Pixels(), (std::vector<uint8_t>{20, 10, 200, 255, 250, 6, 5, 128}));
    control.m_bSwapRedBlue = FALSE;
    control.RestoreImage(SLOT_ORIGINAL);
    EXPECT_EQ(host.image->Pixels(), kPicture);
    EXPECT_EQ(host.element->Redraws(), 2);
}

TEST_F(WorkingImages, TheCheckpointIsAlwaysWrittenBackWithItsOwnColours) {
    control.SnapshotImage(SLOT_CHECKPOINT);
    host.image->SetPicture(1, 1, {0, 0, 0, 0});
    control.m_bSwapRedBlue = TRUE;
    control.RestoreImage(SLOT_CHECKPOINT);
    EXPECT_EQ(host.image->Pixels(), kPicture);
}

TEST_F(WorkingImages, RestoringAnEmptySlotChangesNothing) {
    control.RestoreImage(SLOT_CHECKPOINT);
    EXPECT_EQ(host.element->Redraws(), 0);
    EXPECT_EQ(host.image->FromRGBACalls(), 0);
}

TEST_F(WorkingImages, FetchImageCopyOptionallyExchangesRedAndBlue) {
    int32_t w = 0, h = 0;
    std::unique_ptr<BYTE[]> plain(control.FetchImageCopy(w, h, false));
    ASSERT_TRUE(plain);
    EXPECT_EQ(std::vector<uint8_t>(plain.get(), plain.get() + 8), kPicture);
    std::unique_ptr<BYTE[]> swapped(control.FetchImageCopy(w, h, true));
    EXPECT_EQ(std::vector<uint8_t>(swapped.get(), swapped.get() + 8),
              (std::vector<uint8_t>{20, 10, 200, 255, 250, 6, 5, 128}));
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 1);
}

TEST_F(WorkingImages, AllocationFailureShowsOutOfMemoryAndLeavesTheSlotEmpty) {
    control.SnapshotImage(SLOT_ORIGINAL);
    const size_t previous = engine::SetAllocationLimit(4);
    control.SnapshotImage(SLOT_ORIGINAL);
    int32_t w = 9, h = 9;
    EXPECT_EQ(control.FetchImageCopy(w, h, false), nullptr);
    engine::SetAllocationLimit(previous);
    EXPECT_EQ(prompts.messages, (std::vector<std::string>{"Out of Memory", "Out of Memory"}));
    EXPECT_EQ(control.m_pOriginal, nullptr);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(host.image->Pixels(), kPicture);
    // Nothing left to write back.
    control.RestoreImage(SLOT_ORIGINAL);
    EXPECT_EQ(host.element->Redraws(), 0);
}

}  // namespace
