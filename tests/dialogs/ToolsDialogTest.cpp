#include <gtest/gtest.h>

#include <QDialog>

#include "dialogs/MoreEffects.h"
#include "engine/Focus.h"
#include "tests/dialogs/DialogFixture.h"

namespace dialog_test {
namespace {

using namespace ui_test;

TEST_F(ToolsDialogTest, FirstRunWithoutPresetsFileStartsAtTheInitialValues) {
    control.m_bSwapRedBlue = TRUE;
    auto dialog = Open();
    EXPECT_EQ(Text(*dialog, IDC_PCT), "0");
    EXPECT_EQ(Text(*dialog, IDC_DIR), "0");
    EXPECT_EQ(Text(*dialog, IDC_FOCUS_SIZE), "1");
    for (int id : {IDC_BORDER_SIZE, IDC_MOTION_X, IDC_MOTION_Y, IDC_TRANSP, IDC_OFFSET_BLUR,
                   IDC_BORDER_BLUR, IDC_OFFSET_X, IDC_OFFSET_Y}) {
        EXPECT_EQ(Text(*dialog, id), "0") << id;
    }
    EXPECT_EQ(dialog->m_crColor, 0u);
    EXPECT_EQ(Selection(*dialog, IDC_MORE_EFFECTS), -1);
    for (int id : {IDC_PCT, IDC_DIR, IDC_PCT_LABEL, IDC_DIR_LABEL, IDC_SPIN_PCT, IDC_SPIN_DIR}) {
        EXPECT_TRUE(Enabled(*dialog, id)) << id;
    }
    for (int id : {IDC_PRESET1, IDC_PRESET2, IDC_PRESET3, IDC_PRESET4, IDC_COLOR_SHIFT}) {
        EXPECT_FALSE(Checked(*dialog, id)) << id;
    }
    EXPECT_EQ(dialog->m_nCurrentPreset, 1);
    EXPECT_FALSE(control.m_bSwapRedBlue);
    EXPECT_TRUE(dialog->m_bInitialized);
    EXPECT_TRUE(prompts.messages.empty());

    // Nothing selected: Apply does nothing.
    Click(*dialog, IDC_APPLY_MORE);
    EXPECT_EQ(control.m_nEffectCode, 99u);
}

TEST_F(ToolsDialogTest, TheMoreEffectsListIsSortedWithTheEmptyEntryFirst) {
    auto dialog = Open();
    ASSERT_EQ(EntryCount(*dialog, IDC_MORE_EFFECTS), kMoreEffectCount);
    for (int i = 0; i < kMoreEffectCount; ++i) {
        EXPECT_EQ(Entry(*dialog, IDC_MORE_EFFECTS, i), kMoreEffects[i].label) << i;
    }
}

TEST_F(ToolsDialogTest, TheEmptyEntryEnablesPctDisablesDirAndApplyDoesNothing) {
    auto dialog = Open();
    Pick(*dialog, IDC_MORE_EFFECTS, kMoreEffectNone);
    EXPECT_TRUE(Enabled(*dialog, IDC_PCT));
    EXPECT_TRUE(Enabled(*dialog, IDC_PCT_LABEL));
    EXPECT_TRUE(Enabled(*dialog, IDC_SPIN_PCT));
    EXPECT_FALSE(Enabled(*dialog, IDC_DIR));
    EXPECT_FALSE(Enabled(*dialog, IDC_DIR_LABEL));
    EXPECT_TRUE(Enabled(*dialog, IDC_SPIN_DIR));
    Click(*dialog, IDC_APPLY_MORE);
    EXPECT_EQ(control.m_nEffectCode, 99u);
    EXPECT_EQ(prompts.waitCursorCount, 0);
}

TEST_F(ToolsDialogTest, EveryMoreEffectsEntryRunsItsEffectWithPctDirAndColour) {
    auto dialog = Open();
    dialog->m_crColor = 0x00332211;
    for (int index = 1; index < kMoreEffectCount; ++index) {
        control.m_nEffectCode = 99;
        control.m_dPct = -1;
        control.m_nOpacity = 55;
        // Emboss enables both edits.
        Pick(*dialog, IDC_MORE_EFFECTS, kMoreEffectEmboss);
        Type(*dialog, IDC_PCT, "12");
        Type(*dialog, IDC_DIR, "45");
        Pick(*dialog, IDC_MORE_EFFECTS, index);
        Click(*dialog, IDC_APPLY_MORE);
        EXPECT_EQ(control.m_nEffectCode, kMoreEffects[index].effectCode) << index;
        EXPECT_EQ(control.m_dPct, 12.0) << index;
        EXPECT_EQ(control.m_dDir, 45.0) << index;
        EXPECT_EQ(control.m_crEffect, 0x00332211u) << index;
        // More Effects leave the opacity alone.
        EXPECT_EQ(control.m_nOpacity, 55) << index;
    }
    EXPECT_EQ(prompts.waitCursorCount, kMoreEffectCount - 1);
    EXPECT_EQ(prompts.waitCursorDepth, 0);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front();
}

TEST_F(ToolsDialogTest, AnOffsetOutsideItsRangeIsRefusedWithTheOffsetMessage) {
    auto dialog = Open();
    Type(*dialog, IDC_OFFSET_X, "150");
    EXPECT_EQ(dialog->m_nOffsetX, 150);
    Click(*dialog, IDC_APPLY_OFFSET);
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{"Please enter an integer betoween -100 and 100."});
    EXPECT_EQ(control.m_nEffectCode, 99u);

    prompts.messages.clear();
    Type(*dialog, IDC_OFFSET_X, "0");
    Type(*dialog, IDC_OFFSET_Y, "-101");
    Click(*dialog, IDC_APPLY_OFFSET);
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(control.m_nEffectCode, 99u);
}

TEST_F(ToolsDialogTest, TheOffsetCheckComesBeforeTheFieldExchange) {
    auto dialog = Open();
    Type(*dialog, IDC_OFFSET_X, "150");
    Type(*dialog, IDC_FOCUS_SIZE, "0");
    Click(*dialog, IDC_APPLY_OFFSET);
    // Only the offset message: the exchange never ran.
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{"Please enter an integer betoween -100 and 100."});
}

TEST_F(ToolsDialogTest, OffsetSpinsStepTheOffsetAndClampItToPlusMinus100) {
    auto dialog = Open();
    Type(*dialog, IDC_OFFSET_X, "99");
    ClickSpin(*dialog, IDC_SPIN_OFFSET_X, true, 3);
    EXPECT_EQ(Text(*dialog, IDC_OFFSET_X), "100");
    EXPECT_EQ(dialog->m_nOffsetX, 100);
    Type(*dialog, IDC_OFFSET_Y, "-99");
    ClickSpin(*dialog, IDC_SPIN_OFFSET_Y, false, 3);
    EXPECT_EQ(Text(*dialog, IDC_OFFSET_Y), "-100");
    EXPECT_EQ(dialog->m_nOffsetY, -100);
    ClickSpin(*dialog, IDC_SPIN_OFFSET_Y, true);
    EXPECT_EQ(Text(*dialog, IDC_OFFSET_Y), "-99");
    // A typed value beyond the range is brought back by the first step.
    Type(*dialog, IDC_OFFSET_X, "150");
    ClickSpin(*dialog, IDC_SPIN_OFFSET_X, true);
    EXPECT_EQ(Text(*dialog, IDC_OFFSET_X), "100");
    // Text that is no number counts as 0.
    Type(*dialog, IDC_OFFSET_X, "abc");
    EXPECT_EQ(dialog->m_nOffsetX, 0);
    ClickSpin(*dialog, IDC_SPIN_OFFSET_X, false);
    EXPECT_EQ(Text(*dialog, IDC_OFFSET_X), "-1");
}

TEST_F(ToolsDialogTest, OffsetApplyWithZeroOffsetStillRunsTheShadowWithColourOpacityAndBlur) {
    auto dialog = Open();
    dialog->m_crColor = 0x000000FF;
    Type(*dialog, IDC_TRANSP, "30");
    Type(*dialog, IDC_OFFSET_BLUR, "4");
    Click(*dialog, IDC_APPLY_OFFSET);
    EXPECT_EQ(control.m_nEffectCode, uint32_t(EFFECT_SHADOW));
    EXPECT_EQ(control.m_nShadowX, 0);
    EXPECT_EQ(control.m_nShadowY, 0);
    EXPECT_EQ(control.m_crEffect, 0x000000FFu);
    EXPECT_EQ(control.m_nOpacity, 70);
    EXPECT_EQ(control.m_nBlur, 4);
    EXPECT_EQ(prompts.waitCursorCount, 1);

    Type(*dialog, IDC_OFFSET_X, "-7");
    Type(*dialog, IDC_OFFSET_Y, "12");
    Click(*dialog, IDC_APPLY_OFFSET);
    EXPECT_EQ(control.m_nShadowX, -7);
    EXPECT_EQ(control.m_nShadowY, 12);
}

TEST_F(ToolsDialogTest, TranspBecomesOpacityForOffsetBorderAndFocusOnly) {
    auto dialog = Open();
    Type(*dialog, IDC_TRANSP, "30");
    for (int apply : {IDC_APPLY_OFFSET, IDC_APPLY_BORDER, IDC_APPLY_FOCUS}) {
        control.m_nOpacity = 55;
        Click(*dialog, apply);
        EXPECT_EQ(control.m_nOpacity, 70) << apply;
    }
    control.m_nOpacity = 55;
    Click(*dialog, IDC_APPLY_MOTION);
    EXPECT_EQ(control.m_nOpacity, 55);
}

TEST_F(ToolsDialogTest, BorderMotionAndFocusSetTheirParameters) {
    auto dialog = Open();
    dialog->m_crColor = 0x00FF0000;
    Type(*dialog, IDC_BORDER_SIZE, "7");
    Type(*dialog, IDC_BORDER_BLUR, "3");
    Click(*dialog, IDC_APPLY_BORDER);
    EXPECT_EQ(control.m_nEffectCode, uint32_t(EFFECT_BORDER));
    EXPECT_EQ(control.m_nSize, 7u);
    EXPECT_EQ(control.m_nBlur, 3);
    EXPECT_EQ(control.m_crEffect, 0x00FF0000u);

    Type(*dialog, IDC_MOTION_X, "5");
    Type(*dialog, IDC_MOTION_Y, "6");
    Click(*dialog, IDC_APPLY_MOTION);
    EXPECT_EQ(control.m_nEffectCode, uint32_t(EFFECT_MOTION_BLUR));
    EXPECT_EQ(control.m_nBlurX, 5);
    EXPECT_EQ(control.m_nBlurY, 6);

    Type(*dialog, IDC_FOCUS_SIZE, "2");
    Click(*dialog, IDC_APPLY_FOCUS);
    EXPECT_EQ(control.m_nEffectCode, uint32_t(EFFECT_FOCUS));
    EXPECT_EQ(control.m_nSize, 2u);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ToolsDialogTest, FocusApplyChangesTheHostsPictureAndRestoreBringsItBack) {
    auto dialog = Open();
    Type(*dialog, IDC_FOCUS_SIZE, "2");
    Click(*dialog, IDC_APPLY_FOCUS);
    const std::vector<uint8_t> original = Original();
    const engine::EffectResult expected =
        engine::Focus({original.data(), kWidth, kHeight}, 2);
    ASSERT_TRUE(expected.succeeded);
    EXPECT_EQ(HostPixels(), std::vector<uint8_t>(expected.output.Data(),
                                                 expected.output.Data() + expected.output.ByteSize()));
    Click(*dialog, IDC_RESTORE);
    EXPECT_EQ(HostPixels(), original);
}

TEST_F(ToolsDialogTest, AValueThatFailsTheExchangeStopsTheApplyAtThatControl) {
    auto dialog = Open();
    Type(*dialog, IDC_PCT, "7");
    Type(*dialog, IDC_FOCUS_SIZE, "0");
    Type(*dialog, IDC_BORDER_SIZE, "9");
    Click(*dialog, IDC_APPLY_BORDER);
    EXPECT_EQ(prompts.messages,
              std::vector<std::string>{"Please enter an integer between 1 and 50."});
    EXPECT_EQ(dialog->GetFocusedId(), IDC_FOCUS_SIZE);
    EXPECT_EQ(control.m_nEffectCode, 99u);
    EXPECT_EQ(dialog->m_nPct, 7);
    EXPECT_EQ(dialog->m_nFocusSize, 0u);
    EXPECT_EQ(dialog->m_nBorderSize, 0u);
}

TEST_F(ToolsDialogTest, EmbossCapsPctAt20AndRefusesMore) {
    auto dialog = Open();
    Type(*dialog, IDC_PCT, "50");
    Pick(*dialog, IDC_MORE_EFFECTS, 3);  // Blur
    Click(*dialog, IDC_APPLY_MORE);
    ASSERT_EQ(dialog->m_nPct, 50);
    Pick(*dialog, IDC_MORE_EFFECTS, kMoreEffectEmboss);
    EXPECT_EQ(Text(*dialog, IDC_PCT), "20");
    EXPECT_TRUE(Enabled(*dialog, IDC_DIR));
    EXPECT_TRUE(Enabled(*dialog, IDC_DIR_LABEL));
    ClickSpin(*dialog, IDC_SPIN_PCT, true);
    EXPECT_EQ(Text(*dialog, IDC_PCT), "20");

    control.m_nEffectCode = 99;
    Type(*dialog, IDC_PCT, "30");
    Click(*dialog, IDC_APPLY_MORE);
    EXPECT_EQ(prompts.messages, std::vector<std::string>{"Maximum Pct is 20 for this effect"});
    EXPECT_EQ(control.m_nEffectCode, 99u);

    // Back to an entry without the cap: the spin reaches 100 again.
    Pick(*dialog, IDC_MORE_EFFECTS, 3);
    Type(*dialog, IDC_PCT, "99");
    ClickSpin(*dialog, IDC_SPIN_PCT, true, 2);
    EXPECT_EQ(Text(*dialog, IDC_PCT), "100");
}

TEST_F(ToolsDialogTest, TheDirSpinRunsTo359AndTheOthersTo100) {
    auto dialog = Open();
    Type(*dialog, IDC_DIR, "100");
    ClickSpin(*dialog, IDC_SPIN_DIR, true);
    EXPECT_EQ(Text(*dialog, IDC_DIR), "101");
    Type(*dialog, IDC_DIR, "358");
    ClickSpin(*dialog, IDC_SPIN_DIR, true, 3);
    EXPECT_EQ(Text(*dialog, IDC_DIR), "359");
    for (const auto& [edit, spin] : {std::pair{IDC_BORDER_SIZE, IDC_SPIN_BORDER_SIZE},
                                    std::pair{IDC_FOCUS_SIZE, IDC_SPIN_FOCUS_SIZE},
                                    std::pair{IDC_MOTION_X, IDC_SPIN_MOTION_X},
                                    std::pair{IDC_MOTION_Y, IDC_SPIN_MOTION_Y},
                                    std::pair{IDC_TRANSP, IDC_SPIN_TRANSP},
                                    std::pair{IDC_OFFSET_BLUR, IDC_SPIN_OFFSET_BLUR},
                                    std::pair{IDC_BORDER_BLUR, IDC_SPIN_BORDER_BLUR},
                                    std::pair{IDC_PCT, IDC_SPIN_PCT}}) {
        Type(*dialog, edit, "99");
        ClickSpin(*dialog, spin, true, 2);
        EXPECT_EQ(Text(*dialog, edit), "100") << edit;
        ClickSpin(*dialog, spin, false);
        EXPECT_EQ(Text(*dialog, edit), "99") << edit;
    }
}

TEST_F(ToolsDialogTest, BevelWithPct20Runs) {
    auto dialog = Open();
    Type(*dialog, IDC_PCT, "20");
    Type(*dialog, IDC_DIR, "135");
    Pick(*dialog, IDC_MORE_EFFECTS, kMoreEffectBevel);
    Click(*dialog, IDC_APPLY_MORE);
    EXPECT_EQ(control.m_nEffectCode, uint32_t(EFFECT_BEVEL));
    EXPECT_EQ(control.m_dPct, 20.0);
    EXPECT_EQ(control.m_dDir, 135.0);
}

TEST_F(ToolsDialogTest, GrayscaleDisablesPctAndDirButStillRunsWithTheirValues) {
    auto dialog = Open();
    Type(*dialog, IDC_PCT, "15");
    Type(*dialog, IDC_DIR, "30");
    Pick(*dialog, IDC_MORE_EFFECTS, kMoreEffectGrayscale);
    for (int id : {IDC_PCT, IDC_DIR, IDC_PCT_LABEL, IDC_DIR_LABEL, IDC_SPIN_PCT}) {
        EXPECT_FALSE(Enabled(*dialog, id)) << id;
    }
    EXPECT_TRUE(Enabled(*dialog, IDC_SPIN_DIR));
    Click(*dialog, IDC_APPLY_MORE);
    EXPECT_EQ(control.m_nEffectCode, uint32_t(EFFECT_GRAYSCALE));
    EXPECT_EQ(control.m_dPct, 15.0);
    EXPECT_EQ(control.m_dDir, 30.0);
    for (int index : {kMoreEffectAddNoise, kMoreEffectReduceNoise}) {
        Pick(*dialog, IDC_MORE_EFFECTS, index);
        EXPECT_FALSE(Enabled(*dialog, IDC_PCT)) << index;
        EXPECT_FALSE(Enabled(*dialog, IDC_DIR)) << index;
    }
}

TEST_F(ToolsDialogTest, ColorShiftShowsTheOriginalWithRedAndBlueExchanged) {
    auto dialog = Open();
    Type(*dialog, IDC_FOCUS_SIZE, "2");
    Click(*dialog, IDC_APPLY_FOCUS);
    Click(*dialog, IDC_COLOR_SHIFT);
    EXPECT_TRUE(control.m_bSwapRedBlue);
    std::vector<uint8_t> swapped = Original();
    for (size_t i = 0; i < swapped.size(); i += 4) std::swap(swapped[i], swapped[i + 2]);
    EXPECT_EQ(HostPixels(), swapped);
    Click(*dialog, IDC_RESTORE);
    EXPECT_EQ(HostPixels(), swapped);
    Click(*dialog, IDC_COLOR_SHIFT);
    EXPECT_FALSE(control.m_bSwapRedBlue);
    EXPECT_EQ(HostPixels(), Original());
}

TEST_F(ToolsDialogTest, ColorShiftRestoresEvenPastAValueThatFailsTheExchange) {
    auto dialog = Open();
    Type(*dialog, IDC_FOCUS_SIZE, "2");
    Click(*dialog, IDC_APPLY_FOCUS);
    Type(*dialog, IDC_FOCUS_SIZE, "0");
    Click(*dialog, IDC_COLOR_SHIFT);
    EXPECT_EQ(prompts.messages.size(), 1u);
    // The exchange stopped before the check box, so the flag stays as it was,
    // but the original still goes back to the host.
    EXPECT_FALSE(control.m_bSwapRedBlue);
    EXPECT_EQ(HostPixels(), Original());
}

TEST_F(ToolsDialogTest, ExportOffersUntitledTgaAndWritesThePathChosen) {
    auto dialog = Open();
    prompts.fileAnswers = {data.File("untitled.tga")};
    Click(*dialog, IDC_EXPORT);
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    const FileDialogRequest& request = prompts.fileRequests[0];
    EXPECT_FALSE(request.openFileDialog);
    EXPECT_EQ(request.defaultExt, ".tga");
    EXPECT_EQ(request.fileName, "untitled.tga");
    EXPECT_EQ(request.flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    EXPECT_EQ(request.filter, "TGA Files (*.tga) | *.tga| All Files (*.*)|*.*||");
    EXPECT_EQ(control.m_strExportPath, data.File("untitled.tga"));
    EXPECT_GT(std::filesystem::file_size(data.File("untitled.tga")), 18u + kWidth * kHeight * 4 - 1);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ToolsDialogTest, ACancelledExportDoesNothing) {
    auto dialog = Open();
    control.m_strExportPath = "unchanged";
    prompts.fileAnswers = {std::nullopt};
    Click(*dialog, IDC_EXPORT);
    EXPECT_EQ(control.m_strExportPath, "unchanged");
}

TEST_F(ToolsDialogTest, CropWithoutTheCropDialogDoesNothing) {
    auto dialog = Open();
    Click(*dialog, IDC_CROP);
    EXPECT_TRUE(prompts.placements.empty());
    EXPECT_EQ(HostPixels(), Original());
}

TEST_F(ToolsDialogTest, CropOpensTheInstalledCropDialogMinimisedAroundIt) {
    std::vector<std::string> seen;
    TintoraDlg::CropDialogOpener previous = TintoraDlg::InstallCropDialog(
        [&](CWnd* parent, CRastelCtrl* ctrl, const std::string& folder) {
            seen.push_back(folder);
            EXPECT_EQ(ctrl, &control);
            EXPECT_EQ(prompts.placements, std::vector<UINT>{SW_MINIMIZE});
            EXPECT_TRUE(parent && parent->GetWidget());
        });
    auto dialog = Open();
    Click(*dialog, IDC_CROP);
    TintoraDlg::InstallCropDialog(previous);
    EXPECT_EQ(seen, std::vector<std::string>{data.Path().string()});
    EXPECT_EQ(prompts.placements, (std::vector<UINT>{SW_MINIMIZE, SW_RESTORE}));
}

TEST_F(ToolsDialogTest, WithoutAWindowPlacementTheSubDialogStillRuns) {
    prompts.placementAvailable = false;
    int runs = 0;
    auto previous = TintoraDlg::InstallCropDialog([&](CWnd*, CRastelCtrl*, const std::string&) {
        ++runs;
    });
    auto dialog = Open();
    Click(*dialog, IDC_CROP);
    TintoraDlg::InstallCropDialog(previous);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(prompts.placements.empty());
}

}  // namespace
}  // namespace dialog_test
