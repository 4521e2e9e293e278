#include <gtest/gtest.h>

#include <filesystem>

#include "tests/control/ControlOnHost.h"
#include "tests/support/PilScript.h"

namespace {

// 2 x 1: a blue-ish pixel and a red-ish one (B, G, R, A), and the same with red
// and blue exchanged.
const std::vector<uint8_t> kPicture = {200, 10, 20, 255, 5, 6, 250, 128};
const std::vector<uint8_t> kSwapped = {20, 10, 200, 255, 250, 6, 5, 128};
// 2 x 2 for the export, bottom row first: bottom row red and half transparent,
// top row green.
const std::vector<uint8_t> kSquare = {0, 0,   255, 128, 0, 0,   255, 128,
                                      0, 255, 0,   255, 0, 255, 0,   255};

class WorkingImages : public ControlOnHost {
protected:
    WorkingImages() : ControlOnHost(2, 1, kPicture) {}
};

TEST(WorkingImagesWithoutImage, NoTargetOrATargetWithoutAnImageMakesEveryOperationReturnAtOnce) {
    RecordingPrompts prompts;
    const auto element =
        ComPtr<tarsel::TarselElement>::Adopt(tarsel::TarselElement::Create(nullptr));
    for (bool target : {false, true}) {
        CRastelCtrl control;
        if (target) control.m_target.Attach(element.NewReference());
        EXPECT_EQ(control.SnapshotImage(SLOT_ORIGINAL), 0);
        EXPECT_EQ(control.RestoreImage(SLOT_ORIGINAL), 0);
        control.m_nEffectCode = EFFECT_FOCUS, control.m_nSize = 1;
        EXPECT_EQ((std::tuple{control.ApplyEffect(), control.ExportTga()}), (std::tuple{0, 0}));
        int32_t w = 7, h = 7;
        EXPECT_EQ((std::tuple{control.FetchImageCopy(w, h, false), w}), (std::tuple{nullptr, 0}));
        EXPECT_EQ(h, 0);
        EXPECT_EQ(control.m_pOriginal, nullptr);
    }
    EXPECT_EQ((std::tuple{element->Redraws(), element->RefCount()}), (std::tuple{0, 1u}));
}

TEST_F(WorkingImages, SnapshotTwiceKeepsOneRasterOfTheLatestImage) {
    control.SnapshotImage(SLOT_ORIGINAL);
    host.image->SetPicture(1, 1, {1, 2, 3, 4});
    control.SnapshotImage(SLOT_ORIGINAL);
    ASSERT_NE(control.m_pOriginal, nullptr);
    EXPECT_EQ(std::tuple(control.m_nOriginalWidth, control.m_nOriginalHeight), std::tuple(1, 1));
    EXPECT_EQ(std::vector<uint8_t>(control.m_pOriginal.get(), control.m_pOriginal.get() + 4),
              (std::vector<uint8_t>{1, 2, 3, 4}));
    // The slots are separate; any slot number but 1 is the checkpoint.
    control.SnapshotImage(7);
    EXPECT_EQ(std::tuple(control.m_nCheckpointWidth, control.m_pCheckpoint[3]), std::tuple(1, 4));
}

TEST_F(WorkingImages, RestoringWritesASlotBackWithColourShiftOnlyForTheOriginal) {
    control.RestoreImage(SLOT_CHECKPOINT);  // an empty slot changes nothing
    EXPECT_EQ(host.image->FromRGBACalls(), 0);
    control.SnapshotImage(SLOT_ORIGINAL);
    control.SnapshotImage(SLOT_CHECKPOINT);
    // slot, colour shift; what the host then holds.
    const std::tuple<int, BOOL, std::vector<uint8_t>> cases[] = {{SLOT_ORIGINAL, TRUE, kSwapped},
                                                                 {SLOT_ORIGINAL, FALSE, kPicture},
                                                                 {SLOT_CHECKPOINT, TRUE, kPicture}};
    for (const auto& [slot, swap, expected] : cases) {
        host.image->SetPicture(1, 1, {0, 0, 0, 0});
        control.m_bSwapRedBlue = swap;
        control.RestoreImage(slot);
        EXPECT_EQ(host.image->Pixels(), expected) << slot << " " << swap;
    }
    EXPECT_EQ(host.element->Redraws(), 3);
}

TEST_F(WorkingImages, FetchImageCopyOptionallyExchangesRedAndBlue) {
    for (const auto& [swap, expected] : {std::pair{false, kPicture}, std::pair{true, kSwapped}}) {
        int32_t w = 0, h = 0;
        const engine::RasterBytes copy = control.FetchImageCopy(w, h, swap);
        ASSERT_TRUE(copy);
        EXPECT_EQ(std::vector<uint8_t>(copy.get(), copy.get() + 8), expected);
        EXPECT_EQ(std::tuple(w, h), std::tuple(2, 1));
    }
}

TEST_F(WorkingImages, AllocationFailureShowsOutOfMemoryAndLeavesTheSlotEmpty) {
    control.SnapshotImage(SLOT_ORIGINAL);
    int32_t w = 9, h = 9;
    {
        ScopedAllocationLimit limit(4);
        control.SnapshotImage(SLOT_ORIGINAL);
        EXPECT_EQ(control.FetchImageCopy(w, h, false), nullptr);
    }
    EXPECT_EQ(prompts.Take(), (std::vector<std::string>{"Out of Memory", "Out of Memory"}));
    EXPECT_EQ(control.m_pOriginal, nullptr);
    EXPECT_EQ(control.m_nOriginalWidth, 0);
    EXPECT_EQ((std::tuple{w, host.image->Pixels()}), (std::tuple{0, kPicture}));
    // Nothing left to write back.
    control.RestoreImage(SLOT_ORIGINAL);
    EXPECT_EQ(host.element->Redraws(), 0);
}

TEST_F(WorkingImages, AnIndependentReaderSeesTheExportUprightWithItsAlpha) {
    host.image->SetPicture(2, 2, kSquare);
    TempDir dir;
    control.m_strExportPath = dir.File("out.tga");
    control.ExportTga();
    // PIL's (0, 0) is the top-left corner as any viewer shows it.
    EXPECT_EQ(PilScript(dir,
                        "file = Image.open('out.tga')\n"
                        "im = file.convert('RGBA')\n"
                        "print(file.format, im.size, im.getpixel((0, 0)), im.getpixel((1, 1)))\n"),
              "TGA (2, 2) (0, 255, 0, 255) (255, 0, 0, 128)\n");
    // The host's image is only read.
    EXPECT_EQ(host.image->Pixels(), kSquare);
}

TEST_F(WorkingImages, AFailedExportOrAPictureBeyondTheLimitsIsShownAndNothingIsWritten) {
    TempDir dir;
    control.m_strExportPath = dir.File("missing-folder/out.tga");
    control.ExportTga();
    EXPECT_NE(prompts.TakeOne().find("out.tga"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(control.m_strExportPath));

    // A picture wider than the library takes is refused before it sees it.
    host.image->SetPicture(16001, 1, std::vector<uint8_t>(16001 * 4));
    control.m_strExportPath = dir.File("wide.tga");
    control.ExportTga();
    EXPECT_NE(prompts.TakeOne().find("too large: 16001x1"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(control.m_strExportPath));
}

}  // namespace
