// Every effect code through the control's pipeline: routing, the record's side
// effects, in-place changes of the host's pixels, effects one after another,
// and failures.

#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

#include "engine/MatteFile.h"
#include "engine/PictureFile.h"
#include "tests/control/ControlOnHost.h"
#include "tests/engine/EffectTestSupport.h"
#include "tests/support/PilScript.h"
#include "tests/support/TempDir.h"

namespace {

class EffectPipeline : public ControlOnHost {
protected:
    EffectPipeline() : ControlOnHost(12, 9, SeededPic(31, 12, 9).bytes) {}
    ref::Pic Host() const {
        return {host.image->Width(), host.image->Height(), host.image->Pixels()};
    }

    const ref::Pic start{width, height, picture};
};

TEST_F(EffectPipeline, EachCodeRunsItsEffectWithTheRecordsValues) {
    // A matte written by PIL: white in its upper four rows (as seen upright)
    // and a coloured box below them.
    TempDir dir;
    PilScript(dir,
              "im = Image.new('RGB', (12, 9))\n"
              "im.paste((255, 255, 255), (0, 0, 12, 4))\n"
              "im.paste((90, 128, 200), (3, 5, 9, 8))\n"
              "im.save('m.tga')\n");
    const std::string mattePath = dir.File("m.tga");
    const ref::Pic matte = ToPic(engine::ReadMatteFile(mattePath).Value());
    // Emboss and bevel truncate Dir and Pct, and change the picture they light;
    // border and shadow with a blur leave it in the record's blur sizes.
    const auto lit = [this](int elevation, int depth) {
        ref::Pic source = start;
        return Output(reference::EmbossBevel(source.MutableView(), {90, elevation, depth, 5}));
    };
    const engine::EffectColor kColor{0x60, 0x40, 0x20};
    ref::Pic gray = start;
    ASSERT_TRUE(reference::Grayscale(gray.MutableView()));
    const std::tuple<uint32_t, int, ref::Pic, int, int> cases[] = {
        {EFFECT_BORDER, 0, Output(reference::Border(start.View(), {2, 0, 80, kColor})), 6, 1},
        {EFFECT_BORDER, 3, Output(reference::Border(start.View(), {2, 3, 80, kColor})), 3, 3},
        {EFFECT_SHADOW, 0, Output(reference::OffsetShadow(start.View(), {-5, 3, 0, 80, kColor})), 6,
         1},
        {EFFECT_SHADOW, 2, Output(reference::OffsetShadow(start.View(), {-5, 3, 2, 80, kColor})), 2,
         2},
        {EFFECT_FOCUS, 4, Output(reference::Focus(start.View(), 2)), 6, 1},
        {EFFECT_MOTION_BLUR, 4, Output(reference::AntiFlicker(start.View(), 6, 1, false)), 6, 1},
        {EFFECT_MATTE, 4,
         Output(reference::Matte(start.View(), matte.View(), {1, 2, true, false, false, 6, 1})), 6,
         1},
        {EFFECT_CROP_MATTE, 4,
         Output(reference::Matte(start.View(), matte.View(), {1, 2, true, false, true, 6, 1})), 6,
         1},
        {EFFECT_EMBOSS, 4, lit(60, 1), 6, 1},
        {EFFECT_BEVEL, 4, lit(40, 4), 6, 1},
        {EFFECT_GRAYSCALE, 4, gray, 6, 1}};
    control.m_nSize = 2, control.m_nOpacity = 80, control.m_crEffect = 0x204060;
    control.m_nShadowX = -5, control.m_nShadowY = 3, control.m_dDir = 90.7, control.m_dPct = 5.9;
    control.m_strMattePath = mattePath, control.m_nMatteX = 1, control.m_nMatteY = 2;
    control.m_bInverseMatte = TRUE;
    int redraws = 0;
    for (const auto& [code, blur, expected, blurX, blurY] : cases) {
        SCOPED_TRACE(testing::Message() << "code " << code << " blur " << blur);
        control.m_nBlur = blur, control.m_nBlurX = 6, control.m_nBlurY = 1;
        Run(code);
        EXPECT_TRUE(SamePicture(expected, Host()));
        EXPECT_EQ(std::tuple(control.m_nBlurX, control.m_nBlurY), std::tuple(blurX, blurY));
        EXPECT_EQ(host.element->Redraws(), ++redraws);
        // The run leaves nothing behind.
        EXPECT_EQ(std::tuple(control.m_pSrc, control.m_pDst.get()), std::tuple(nullptr, nullptr));
    }
}

TEST_F(EffectPipeline, EffectsAccumulateOnTheHostsCurrentImageAndRestoreBringsBackTheOriginal) {
    control.m_nEffectCode = EFFECT_FOCUS, control.m_nSize = 2;
    control.SnapshotImage(SLOT_ORIGINAL);
    control.ApplyEffect();
    const ref::Pic once = Host();
    control.ApplyEffect();
    EXPECT_TRUE(SamePicture(Output(reference::Focus(once.View(), 2)), Host()));
    EXPECT_EQ(host.image->GetImageDataCalls(), 3);  // the snapshot's and the two effects'
    control.RestoreImage(SLOT_ORIGINAL);
    EXPECT_EQ(Host().bytes, start.bytes);
}

TEST_F(EffectPipeline, AHostCallThatFailsRaisesTheDispatchExceptionAndFreesTheRun) {
    host.image->RemoveMember("FromRGBA");
    control.m_nEffectCode = EFFECT_FOCUS, control.m_nSize = 2;
    EXPECT_THROW(control.ApplyEffect(), COleDispatchException);
    EXPECT_EQ(std::tuple(control.m_pSrc, control.m_pDst.get()), std::tuple(nullptr, nullptr));
    EXPECT_EQ(Host().bytes, start.bytes);
}

TEST_F(EffectPipeline, AFailedEffectShowsItsMessageAndTheHostKeepsWhatTheEffectLeft) {
    // Emboss has cleared the frame of the host's own pixels before it fails; a
    // motion blur without its work raster hands over the unblurred canvas, with
    // the picture at column 2 + 2, row 3 + 2.
    ref::Pic cleared = start;
    ASSERT_TRUE(reference::EmbossBevel(cleared.MutableView(), {0, 60, 1, 3}));
    ref::Pic canvas(12 + 4 + 8, 9 + 6 + 8);
    reference::PlaceRaster(canvas.MutableView(), start.View(), 4, 5);
    control.m_dDir = 0, control.m_dPct = 3, control.m_nBlurX = 2, control.m_nBlurY = 3;
    const std::tuple<uint32_t, size_t, std::string, const ref::Pic*, int> cases[] = {
        {EFFECT_EMBOSS, 0, "Out of Memory", &cleared, 0},
        {EFFECT_GRAYSCALE, 0, "Out of Memory", &start, 0},
        {EFFECT_MOTION_BLUR, 1, "[CPel2dCGCharPByte::anti_flickering] Out of Memory!", &canvas, 1}};
    for (const auto& [code, successes, message, expected, redraws] : cases) {
        {
            AllocationCountdown countdown(successes);
            Run(code);
        }
        EXPECT_EQ(prompts.TakeOne(), message);
        EXPECT_TRUE(SamePicture(*expected, Host())) << code;
        EXPECT_EQ(host.element->Redraws(), redraws) << code;
    }
    // A library error is shown, then the failure of the operation.
    host.image->SetPicture(0, 0, {});
    control.m_nEffectCode = EFFECT_BLUR;
    control.ApplyEffect();
    EXPECT_EQ((std::tuple{prompts.Take().size(), host.element->Redraws()}), (std::tuple{2u, 1}));
    EXPECT_EQ(control.m_pDst, nullptr);
}

TEST_F(EffectPipeline, FailingEachRasterAllocationOfEveryEffectInTurnEndsWithOutOfMemory) {
    TempDir dir;
    control.m_strMattePath = dir.File("matte.tga");
    ASSERT_TRUE(
        engine::WritePictureFile(control.m_strMattePath, SeededPic(5, 12, 9).View(), "tga"));
    control.m_nSize = 2, control.m_nOpacity = 80, control.m_nBlur = 2, control.m_dDir = 30;
    control.m_dPct = 5;
    const std::string kBlurNotice = "[CPel2dCGCharPByte::anti_flickering] Out of Memory!";
    for (uint32_t code = EFFECT_BORDER; code <= EFFECT_GRAYSCALE; ++code) {
        SCOPED_TRACE(testing::Message() << "code " << code);
        control.m_nBlurX = control.m_nBlurY = 2;
        const size_t before = engine::AllocationsAsked();
        Run(code);
        const size_t made = engine::AllocationsAsked() - before;
        for (size_t n = 1; n <= made; ++n) {
            SCOPED_TRACE(testing::Message() << "allocation " << n << " of " << made);
            control.m_nBlurX = control.m_nBlurY = 2;
            const int redraws = host.element->Redraws();
            {
                FailingAllocation failing(n);
                Run(code);
            }
            // Only the softening blur goes on without its work raster, unblurred.
            if (host.element->Redraws() > redraws) {
                EXPECT_EQ(prompts.TakeOne(), kBlurNotice);
                continue;
            }
            EXPECT_EQ(prompts.TakeOne(), engine::kOutOfMemory);
            // Emboss and bevel clear the host's frame in place before they fail.
            if (code != EFFECT_EMBOSS && code != EFFECT_BEVEL) {
                EXPECT_EQ(Host().bytes, start.bytes);
            }
        }
    }
    EXPECT_EQ(control.m_pDst, nullptr);
}

TEST_F(EffectPipeline, AnUnusableMatteIsReportedAndTheHostKeepsItsImage) {
    TempDir dir;
    const std::string text = dir.File("notes.png");
    std::ofstream(text) << "no picture here";
    const std::pair<std::string, std::string> cases[] = {
        {dir.File("missing.tga"), "Matte file does not exist"},
        {text, "Cannot read the matte file"}};
    for (const auto& [path, message] : cases) {
        control.m_strMattePath = path;
        EXPECT_EQ(control.ApplyMatte(false), 1);
        const std::string shown = prompts.TakeOne();
        EXPECT_EQ(shown.find(message), 0u) << shown;
        Run(EFFECT_MATTE);
        EXPECT_EQ(prompts.TakeOne(), shown);
        EXPECT_EQ(Host().bytes, start.bytes);
    }
    EXPECT_EQ(std::tuple(host.element->Redraws(), host.image->FromRGBACalls()), std::tuple(0, 0));
}

}  // namespace
