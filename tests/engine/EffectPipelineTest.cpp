// Every effect code through the control's pipeline: routing, the record's side
// effects, in-place changes of the host's pixels, and failures.

#include <gtest/gtest.h>

#include <fstream>

#include "control/CRastelCtrl.h"
#include "engine/AntiFlicker.h"
#include "engine/Border.h"
#include "engine/EmbossBevel.h"
#include "engine/MagickEffect.h"
#include "tests/engine/EffectTestSupport.h"
#include "tests/support/HostFixture.h"
#include "tests/support/Python.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/TempDir.h"

namespace {

class EffectPipeline : public ::testing::Test {
protected:
    EffectPipeline() : EffectPipeline(RandomStart()) {}

    ref::Pic Host() const {
        return ref::Pic(host.image->Width(), host.image->Height(), host.image->Pixels());
    }

    ref::Pic start;
    RecordingPrompts prompts;
    HostFixture host;
    CRastelCtrl control;

private:
    static ref::Pic RandomStart() {
        std::mt19937 rng(31);
        return RandomPic(rng, 12, 9);
    }
    explicit EffectPipeline(ref::Pic picture)
        : start(picture), host(picture.w, picture.h, picture.px) {
        host.Target(control);
    }
};

TEST_F(EffectPipeline, BorderAppliedTwiceDrawsTwoBorders) {
    control.m_nEffectCode = EFFECT_BORDER;
    control.m_nSize = 2;
    control.m_nBlur = 0;
    control.m_nOpacity = 80;
    control.m_crEffect = 0x0000FF;
    control.ApplyEffect();
    const ref::Pic once = Host();
    ASSERT_EQ(once.w, 16);
    control.ApplyEffect();
    const ref::Pic twice = Host();
    ASSERT_EQ(twice.w, 20);
    ASSERT_EQ(twice.h, 17);
    EXPECT_TRUE(SamePicture(ref::Border(once, 2, 0, 80, 255, 0, 0), twice));
    EXPECT_EQ(host.element->Redraws(), 2);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(EffectPipeline, BorderAndShadowWithBlurLeaveTheirBlurInTheRecord) {
    for (uint32_t code : {uint32_t(EFFECT_BORDER), uint32_t(EFFECT_SHADOW)}) {
        control.m_nEffectCode = code;
        control.m_nSize = 1;
        control.m_nShadowX = 3;
        control.m_nShadowY = -2;
        control.m_nOpacity = 100;
        control.m_nBlurX = 11;
        control.m_nBlurY = 12;
        control.m_nBlur = 0;
        control.ApplyEffect();
        EXPECT_EQ(control.m_nBlurX, 11);
        EXPECT_EQ(control.m_nBlurY, 12);
        control.m_nBlur = 4;
        control.ApplyEffect();
        EXPECT_EQ(control.m_nBlurX, 4) << code;
        EXPECT_EQ(control.m_nBlurY, 4) << code;
    }
}

TEST_F(EffectPipeline, ShadowReachesTheHostEnlarged) {
    control.m_nEffectCode = EFFECT_SHADOW;
    control.m_nShadowX = -5;
    control.m_nShadowY = 3;
    control.m_nBlur = 2;
    control.m_nOpacity = 60;
    control.m_crEffect = 0x204060;
    control.ApplyEffect();
    EXPECT_TRUE(SamePicture(ref::OffsetShadow(start, -5, 3, 2, 60, 0x60, 0x40, 0x20), Host()));
}

TEST_F(EffectPipeline, MotionBlurBlursTheWholePictureByTheRecordsSizes) {
    control.m_nEffectCode = EFFECT_MOTION_BLUR;
    control.m_nBlurX = 6;
    control.m_nBlurY = 0;
    control.ApplyEffect();
    EXPECT_TRUE(SamePicture(ref::AntiFlicker(start, 6, 0, false), Host()));
}

TEST_F(EffectPipeline, AMotionBlurWithoutItsWorkRasterShowsTheMessageAndHandsOverTheCanvas) {
    control.m_nEffectCode = EFFECT_MOTION_BLUR;
    control.m_nBlurX = 2;
    control.m_nBlurY = 3;
    {
        AllocationCountdown countdown(1);
        control.ApplyEffect();
    }
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{"[CPel2dCGCharPByte::anti_flickering] Out of Memory!"});
    // The unblurred picture at column 2 + 2, row 3 + 2 of the enlarged canvas.
    ref::Pic canvas(12 + 4 + 8, 9 + 6 + 8);
    ref::PlaceRaster(canvas, start, 4, 5);
    EXPECT_TRUE(SamePicture(canvas, Host()));
}

TEST_F(EffectPipeline, EmbossAndBevelTruncateDirAndPct) {
    for (uint32_t code : {uint32_t(EFFECT_EMBOSS), uint32_t(EFFECT_BEVEL)}) {
        host.image->SetPicture(start.w, start.h, start.px);
        control.m_nEffectCode = code;
        control.m_dDir = 90.7;
        control.m_dPct = 5.9;
        control.ApplyEffect();
        ref::Pic source = start;
        const bool emboss = code == EFFECT_EMBOSS;
        EXPECT_TRUE(SamePicture(ref::EmbossBevel(source, 90, emboss ? 60 : 40, emboss ? 1 : 4, 5),
                                Host()))
            << code;
    }
}

TEST_F(EffectPipeline, AFailedEmbossLeavesTheHostWithItsFrameCleared) {
    control.m_nEffectCode = EFFECT_EMBOSS;
    control.m_dDir = 0;
    control.m_dPct = 3;
    {
        AllocationCountdown countdown(0);
        control.ApplyEffect();
    }
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"Out of Memory"});
    EXPECT_EQ(host.element->Redraws(), 0);
    const ref::Pic now = Host();
    ASSERT_EQ(now.w, start.w);
    EXPECT_EQ(now.at(1, 4)[3], 0);
    EXPECT_EQ(now.at(0, 0)[0], 0);
    EXPECT_EQ(now.at(5, 5)[0], start.at(5, 5)[0]);
}

TEST_F(EffectPipeline, GrayscaleConvertsAndAFailedOneChangesNothing) {
    control.m_nEffectCode = EFFECT_GRAYSCALE;
    {
        AllocationCountdown countdown(0);
        control.ApplyEffect();
    }
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"Out of Memory"});
    EXPECT_EQ(Host().px, start.px);
    control.ApplyEffect();
    ref::Pic expected = start;
    ref::Grayscale(expected);
    EXPECT_TRUE(SamePicture(expected, Host()));
}

TEST_F(EffectPipeline, LibraryCodesAndUnroutedCodesGoThroughTheLibrary) {
    control.m_dPct = 40;
    control.m_dDir = 10;
    control.m_crEffect = 0x112233;
    for (uint32_t code = 4; code <= 15; ++code) {
        host.image->SetPicture(start.w, start.h, start.px);
        control.m_nEffectCode = code;
        control.ApplyEffect();
        const ref::Pic now = Host();
        ASSERT_EQ(now.w, start.w);
        ASSERT_EQ(now.h, start.h);
        for (size_t i = 3; i < now.px.size(); i += 4) ASSERT_EQ(now.px[i], start.px[i]) << code;
        if (code == 4 || code == 8) continue;  // random
        engine::MagickEffectParams params;
        params.code = code;
        params.pct = 40;
        params.color = {0x33, 0x22, 0x11};
        engine::MagickEffectOutcome outcome = engine::MagickEffect(ViewOf(start), params);
        EXPECT_TRUE(SamePicture(ToPic(outcome.result.output), now)) << code;
    }
    for (uint32_t code : {17u, 20u, 99u}) {
        host.image->SetPicture(start.w, start.h, start.px);
        control.m_nEffectCode = code;
        control.ApplyEffect();
        EXPECT_EQ(Host().px, start.px) << code;
    }
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(EffectPipeline, ALibraryErrorIsShownAndNothingReachesTheHost) {
    host.image->SetPicture(0, 0, {});
    control.m_nEffectCode = EFFECT_BLUR;
    control.m_dPct = 10;
    control.ApplyEffect();
    // The failed hand-over is shown, then the failure of the operation.
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(host.element->Redraws(), 0);
    EXPECT_EQ(control.m_pDst, nullptr);
}

class MattePipeline : public EffectPipeline {
protected:
    // A matte of the picture's size: white in its upper half (as seen upright).
    std::string WriteMatte(const std::string& name) {
        const std::string path = dir.File(name);
        bool ok = false;
        const std::string output = RunPython(
            "from PIL import Image\n"
            "im = Image.new('RGB', (" + std::to_string(start.w) + ", " + std::to_string(start.h) +
                "))\n"
                "for y in range(" + std::to_string(start.h / 2) + "):\n"
                "    for x in range(" + std::to_string(start.w) + "):\n"
                "        im.putpixel((x, y), (255, 255, 255))\n"
                "im.save('" + path + "')\n",
            &ok);
        EXPECT_TRUE(ok) << output;
        return path;
    }
    void Configure(uint32_t code, const std::string& path, int blur) {
        control.m_nEffectCode = code;
        control.m_strMattePath = path;
        control.m_nMatteX = control.m_nMatteY = 0;
        control.m_bInverseMatte = control.m_bMatteAlpha = FALSE;
        control.m_nBlurX = control.m_nBlurY = blur;
    }
    TempDir dir;
};

TEST_F(MattePipeline, AMatteWhoseTopHalfIsWhiteKeepsThePicturesTopHalf) {
    Configure(EFFECT_MATTE, WriteMatte("top.tga"), 0);
    control.ApplyEffect();
    ASSERT_TRUE(prompts.messages.empty()) << prompts.messages.front();
    const ref::Pic now = Host();
    ASSERT_EQ(now.w, start.w);
    ASSERT_EQ(now.h, start.h);
    for (int y = 0; y < now.h; ++y) {
        const bool top = y >= now.h - now.h / 2;
        for (int x = 0; x < now.w; ++x) {
            ASSERT_EQ(now.at(x, y)[3], top ? 255 : 0) << x << "," << y;
            if (top) {
                ASSERT_EQ(now.at(x, y)[0], start.at(x, y)[0]);
            }
        }
    }
}

TEST_F(MattePipeline, CropCutsToTheSelectionAndSoftensItsEdge) {
    // Softness 0: blur sizes 1 and 1.
    Configure(EFFECT_CROP_MATTE, WriteMatte("mask.png"), 1);
    control.ApplyEffect();
    ASSERT_TRUE(prompts.messages.empty()) << prompts.messages.front();
    const int cutHeight = start.h / 2;
    EXPECT_EQ(host.image->Width(), start.w + 10);
    EXPECT_EQ(host.image->Height(), cutHeight + 10);
}

TEST_F(MattePipeline, AnUnusableMatteIsReportedAndTheHostKeepsItsImage) {
    const std::string text = dir.File("notes.png");
    std::ofstream(text) << "no picture here";
    for (const std::string& path : {dir.File("missing.tga"), text}) {
        prompts.messages.clear();
        Configure(EFFECT_MATTE, path, 0);
        EXPECT_EQ(control.ApplyMatte(false), 1);
        ASSERT_EQ(prompts.messages.size(), 1u);
        prompts.messages.clear();
        control.ApplyEffect();
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_FALSE(prompts.messages.front().empty());
        EXPECT_EQ(Host().px, start.px);
        EXPECT_EQ(host.element->Redraws(), 0);
        EXPECT_EQ(host.image->FromRGBACalls(), 0);
    }
    EXPECT_EQ(prompts.messages.front().find("Cannot read the matte file"), 0u);
}

}  // namespace
