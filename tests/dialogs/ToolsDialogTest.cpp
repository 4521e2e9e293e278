#include <gtest/gtest.h>

#include <QDialog>
#include <filesystem>

#include "dialogs/DataFolder.h"
#include "tests/dialogs/DialogFixture.h"

namespace dialog_test {
namespace {

using namespace ui_test;

const std::string kOffsetMessage = "Please enter an integer betoween -100 and 100.";
// Entries of the sorted More Effects list.
constexpr int kBevel = 2;
constexpr int kBlur = 3;
constexpr int kEmboss = 7;

TEST_F(ToolsDialogTest, FirstRunWithoutPresetsFileStartsAtTheInitialValues) {
    control.m_bSwapRedBlue = TRUE;
    auto dialog = Open();
    for (int id : {IDC_PCT, IDC_DIR, IDC_BORDER_SIZE, IDC_MOTION_X, IDC_MOTION_Y, IDC_TRANSP,
                   IDC_OFFSET_BLUR, IDC_BORDER_BLUR, IDC_OFFSET_X, IDC_OFFSET_Y}) {
        EXPECT_EQ(Text(*dialog, id), "0") << id;
    }
    EXPECT_EQ(std::tuple(Text(*dialog, IDC_FOCUS_SIZE), dialog->m_crColor), std::tuple("1", 0u));
    EXPECT_EQ(Selection(*dialog, IDC_MORE_EFFECTS), -1);
    for (int id : {IDC_PCT, IDC_DIR, IDC_PCT_LABEL, IDC_DIR_LABEL, IDC_SPIN_PCT, IDC_SPIN_DIR}) {
        EXPECT_TRUE(Enabled(*dialog, id)) << id;
    }
    for (int id : {IDC_PRESET1, IDC_PRESET2, IDC_PRESET3, IDC_PRESET4, IDC_COLOR_SHIFT}) {
        EXPECT_FALSE(Checked(*dialog, id)) << id;
    }
    EXPECT_EQ(dialog->m_nCurrentPreset, 1);
    EXPECT_FALSE(control.m_bSwapRedBlue);
    // Nothing selected: Apply does nothing.
    Click(*dialog, IDC_APPLY_MORE);
    EXPECT_EQ(control.m_nEffectCode, 99u);
}

TEST_F(ToolsDialogTest, EmbossAndBevelCapPctAt20) {
    auto dialog = Open();
    Type(*dialog, IDC_PCT, "50");
    Pick(*dialog, IDC_MORE_EFFECTS, kBlur);
    Click(*dialog, IDC_APPLY_MORE);
    ASSERT_EQ(dialog->m_nPct, 50);
    Pick(*dialog, IDC_MORE_EFFECTS, kEmboss);
    EXPECT_EQ(Text(*dialog, IDC_PCT), "20");
    ClickSpin(*dialog, IDC_SPIN_PCT, true);
    EXPECT_EQ(Text(*dialog, IDC_PCT), "20");
    control.m_nEffectCode = 99;
    Type(*dialog, IDC_PCT, "30");
    Click(*dialog, IDC_APPLY_MORE);
    EXPECT_EQ(prompts.TakeOne(), "Maximum Pct is 20 for this effect");
    EXPECT_EQ(control.m_nEffectCode, 99u);
    // Back to an entry without the cap: the spin reaches 100 again.
    Pick(*dialog, IDC_MORE_EFFECTS, kBlur);
    Type(*dialog, IDC_PCT, "99");
    ClickSpin(*dialog, IDC_SPIN_PCT, true, 2);
    EXPECT_EQ(Text(*dialog, IDC_PCT), "100");
    // Bevel too: 21 is refused, 20 runs.
    Pick(*dialog, IDC_MORE_EFFECTS, kBevel);
    Type(*dialog, IDC_PCT, "21");
    Click(*dialog, IDC_APPLY_MORE);
    EXPECT_EQ(prompts.TakeOne(), "Maximum Pct is 20 for this effect");
    Type(*dialog, IDC_PCT, "20");
    Click(*dialog, IDC_APPLY_MORE);
    EXPECT_EQ(control.m_nEffectCode, uint32_t(EFFECT_BEVEL));
    EXPECT_EQ(control.m_dPct, 20.0);
    // Only the capped entries bring the edit down, even a Pct read past its range.
    Type(*dialog, IDC_PCT, "150");
    Click(*dialog, IDC_APPLY_MORE);
    EXPECT_EQ(prompts.TakeOne(), "Please enter an integer between 0 and 100.");
    Pick(*dialog, IDC_MORE_EFFECTS, kBlur);
    EXPECT_EQ(Text(*dialog, IDC_PCT), "150");
}

TEST_F(ToolsDialogTest, ApplyRefusesAnOffsetOutsideItsRangeThenStopsAtAValueFailingTheExchange) {
    auto dialog = Open();
    Type(*dialog, IDC_PCT, "7");
    Type(*dialog, IDC_BORDER_SIZE, "9");
    Type(*dialog, IDC_OFFSET_X, "150");
    Click(*dialog, IDC_APPLY_OFFSET);
    EXPECT_EQ(std::tuple(prompts.TakeOne(), control.m_nEffectCode),
              std::tuple(kOffsetMessage, 99u));
    // The offsets are checked before the exchange, which would fail here.
    Type(*dialog, IDC_FOCUS_SIZE, "0");
    Type(*dialog, IDC_OFFSET_X, "0");
    Type(*dialog, IDC_OFFSET_Y, "-101");
    Click(*dialog, IDC_APPLY_OFFSET);
    EXPECT_EQ(prompts.TakeOne(), kOffsetMessage);
    Click(*dialog, IDC_APPLY_BORDER);
    EXPECT_EQ(prompts.TakeOne(), "Please enter an integer between 1 and 50.");
    EXPECT_EQ(dialog->GetFocusedId(), IDC_FOCUS_SIZE);
    EXPECT_EQ(std::tuple(control.m_nEffectCode, dialog->m_nPct), std::tuple(99u, 7));
    EXPECT_EQ(std::tuple(dialog->m_nFocusSize, dialog->m_nBorderSize), std::tuple(0u, 0u));
}

TEST_F(ToolsDialogTest, SpinsStepWithinTheirRanges) {
    // One spin of each range, and the focus size, whose edit takes only 1 to 50.
    // clang-format off
    const struct { int edit, spin, low, high; } spins[] = {
        {IDC_DIR, IDC_SPIN_DIR, 0, 359},             {IDC_FOCUS_SIZE, IDC_SPIN_FOCUS_SIZE, 0, 100},
        {IDC_OFFSET_X, IDC_SPIN_OFFSET_X, -100, 100}, {IDC_OFFSET_Y, IDC_SPIN_OFFSET_Y, -100, 100}};
    // clang-format on
    auto dialog = Open();
    for (const auto& s : spins) {
        SCOPED_TRACE(s.edit);
        Type(*dialog, s.edit, std::to_string(s.high - 1));
        ClickSpin(*dialog, s.spin, true, 3);
        EXPECT_EQ(Text(*dialog, s.edit), std::to_string(s.high));
        Type(*dialog, s.edit, std::to_string(s.low + 1));
        ClickSpin(*dialog, s.spin, false, 3);
        EXPECT_EQ(Text(*dialog, s.edit), std::to_string(s.low));
        ClickSpin(*dialog, s.spin, true);
        EXPECT_EQ(Text(*dialog, s.edit), std::to_string(s.low + 1));
    }
    EXPECT_EQ(dialog->m_nOffsetY, -99);
    // A typed offset beyond the range is brought back by the first step; text
    // that is no number counts as 0.
    Type(*dialog, IDC_OFFSET_X, "150");
    ClickSpin(*dialog, IDC_SPIN_OFFSET_X, true);
    EXPECT_EQ(std::tuple(Text(*dialog, IDC_OFFSET_X), dialog->m_nOffsetX), std::tuple("100", 100));
    Type(*dialog, IDC_OFFSET_X, "abc");
    EXPECT_EQ(dialog->m_nOffsetX, 0);
    ClickSpin(*dialog, IDC_SPIN_OFFSET_X, false);
    EXPECT_EQ(Text(*dialog, IDC_OFFSET_X), "-1");
}

TEST_F(ToolsDialogTest, TheApplyButtonsPassTheirValuesAndTranspAsOpacity) {
    auto dialog = Open();
    for (const auto& [id, text] : {std::pair{IDC_TRANSP, "30"}, std::pair{IDC_OFFSET_BLUR, "4"},
                                   std::pair{IDC_BORDER_SIZE, "7"}, std::pair{IDC_BORDER_BLUR, "3"},
                                   std::pair{IDC_FOCUS_SIZE, "2"}, std::pair{IDC_MOTION_X, "5"},
                                   std::pair{IDC_MOTION_Y, "6"}}) {
        Type(*dialog, id, text);
    }
    auto apply = [&](int button) {
        control.m_nOpacity = 55;
        Click(*dialog, button);
        return control.m_nEffectCode;
    };
    dialog->m_crColor = 0x000000FF;
    // Offset 0, 0 still runs the shadow.
    EXPECT_EQ(apply(IDC_APPLY_OFFSET), uint32_t(EFFECT_SHADOW));
    EXPECT_EQ(std::tuple(control.m_nShadowX, control.m_nShadowY, control.m_crEffect,
                         control.m_nOpacity, control.m_nBlur),
              std::tuple(0, 0, 0x000000FFu, 70, 4));
    Type(*dialog, IDC_OFFSET_X, "-7");
    Type(*dialog, IDC_OFFSET_Y, "12");
    apply(IDC_APPLY_OFFSET);
    EXPECT_EQ(std::pair(control.m_nShadowX, control.m_nShadowY), std::pair(-7, 12));
    dialog->m_crColor = 0x00FF0000;
    EXPECT_EQ(apply(IDC_APPLY_BORDER), uint32_t(EFFECT_BORDER));
    EXPECT_EQ(std::tuple(control.m_nSize, control.m_nBlur, control.m_crEffect, control.m_nOpacity),
              std::tuple(7u, 3, 0x00FF0000u, 70));
    EXPECT_EQ(apply(IDC_APPLY_FOCUS), uint32_t(EFFECT_FOCUS));
    EXPECT_EQ(std::pair(control.m_nSize, control.m_nOpacity), std::pair(2u, 70));
    // Motion blur leaves the opacity alone.
    EXPECT_EQ(apply(IDC_APPLY_MOTION), uint32_t(EFFECT_MOTION_BLUR));
    EXPECT_EQ(std::tuple(control.m_nBlurX, control.m_nBlurY, control.m_nOpacity),
              std::tuple(5, 6, 55));
    EXPECT_EQ(prompts.waitCursorCount, 5);
}

TEST_F(ToolsDialogTest, RestoreAndColorShiftShowTheOriginal) {
    auto dialog = Open();
    Type(*dialog, IDC_FOCUS_SIZE, "2");
    Click(*dialog, IDC_APPLY_FOCUS);
    EXPECT_NE(HostPixels(), Original());
    Click(*dialog, IDC_RESTORE);
    EXPECT_EQ(HostPixels(), Original());

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

    // Past a value that fails the exchange the flag stays as it was, but the
    // original still goes back to the host.
    Click(*dialog, IDC_APPLY_FOCUS);
    Type(*dialog, IDC_FOCUS_SIZE, "0");
    Click(*dialog, IDC_COLOR_SHIFT);
    EXPECT_EQ(prompts.Take().size(), 1u);
    EXPECT_FALSE(control.m_bSwapRedBlue);
    EXPECT_EQ(HostPixels(), Original());
}

TEST_F(ToolsDialogTest, ExportOffersUntitledTgaAndWritesThePathChosen) {
    auto dialog = Open();
    prompts.fileAnswers = {data.File("untitled.tga"), std::nullopt};
    Click(*dialog, IDC_EXPORT);
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    const FileDialogRequest& r = prompts.fileRequests[0];
    EXPECT_EQ(
        std::tuple(r.openFileDialog, r.defaultExt, r.fileName, r.flags, r.filter, r.owner),
        std::tuple(false, ".tga", "untitled.tga", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                   "TGA Files (*.tga) | *.tga| All Files (*.*)|*.*||", dialog->GetSafeHwnd()));
    EXPECT_EQ(control.m_strExportPath, data.File("untitled.tga"));
    EXPECT_GE(std::filesystem::file_size(data.File("untitled.tga")), 18u + kWidth * kHeight * 4);
    // A cancelled export does nothing.
    control.m_strExportPath = "unchanged";
    Click(*dialog, IDC_EXPORT);
    EXPECT_EQ(control.m_strExportPath, "unchanged");
}

TEST_F(ToolsDialogTest, CropRunsTheInstalledCropDialogMinimisedAroundIt) {
    auto dialog = Open();
    Click(*dialog, IDC_CROP);  // none installed: nothing happens
    EXPECT_TRUE(prompts.placements.empty());
    EXPECT_EQ(HostPixels(), Original());

    std::vector<std::vector<UINT>> placementsWhileOpen;
    {
        ScopedCropDialog crop([&](CWnd* parent, CRastelCtrl* ctrl, const std::string& folder) {
            EXPECT_EQ((std::tuple{folder, ctrl}), (std::tuple{data.Path().string(), &control}));
            EXPECT_TRUE(parent && parent->GetWidget());
            placementsWhileOpen.push_back(prompts.placements);
        });
        Click(*dialog, IDC_CROP);
        // Without a window placement the crop dialog still runs.
        prompts.placementAvailable = false;
        Click(*dialog, IDC_CROP);
    }
    EXPECT_EQ(placementsWhileOpen,
              (std::vector<std::vector<UINT>>{{SW_MINIMIZE}, {SW_MINIMIZE, SW_RESTORE}}));
    EXPECT_EQ(prompts.placements, (std::vector<UINT>{SW_MINIMIZE, SW_RESTORE}));
}

TEST(DataFolder, IsTintoraBesideTheFolderOfTheModule) {
    EXPECT_EQ(DataFolderFromModulePath("/opt/Apps/Plugins/VOKSLETRASTEL.OCX"), "/opt/Apps/tintora");
    EXPECT_EQ(DataFolderFromModulePath("/Plugins/x.ocx"), "/tintora");
    // A module in the root: the second cut has no separator left and is skipped.
    EXPECT_EQ(DataFolderFromModulePath("/x.ocx"), "tintora");
}

TEST(DataFolder, ComesFromTheFileThatHoldsTheCode) {
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(ModuleDataFolder(), (self.parent_path().parent_path() / "tintora").string());
}

TEST_F(ToolsDialogTest, TheDialogComputesItsDataFolderAndNeverCreatesIt) {
    ModalScript script;
    script.Then([](CDialog& d) { Click(d, IDOK); });
    TintoraDlg dialog(&control);
    const std::string folder = ModuleDataFolder();
    EXPECT_EQ(dialog.m_strDataFolder, folder);
    ASSERT_FALSE(std::filesystem::exists(folder)) << "a data folder beside the test programs";
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(std::filesystem::exists(folder));
}

}  // namespace
}  // namespace dialog_test
