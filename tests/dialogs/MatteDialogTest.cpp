#include <gtest/gtest.h>

#include <QDialog>

#include "dialogs/CMatteFile.h"
#include "engine/PictureFile.h"
#include "tests/dialogs/DialogFixture.h"

namespace dialog_test {
namespace {

using namespace ui_test;

class MatteDialogTest : public ToolsDialogTest {
protected:
    // The test picture as the matte: each pixel a different matte value.
    MatteDialogTest() {
        const std::vector<uint8_t> matte = Original();
        EXPECT_TRUE(engine::WritePictureFile(MattePath(), {matte.data(), kWidth, kHeight}, "tga"));
    }
    std::string MattePath() const { return data.File("matte.tga"); }

    // Opens the matte dialog from the tools dialog, the step working it.
    static void RunMatte(CDialog& tools, ModalScript::Step step) {
        ModalScript script;
        script.Then(std::move(step));
        Click(tools, IDC_MATTE);
    }
    // The test's matte file typed in and Create clicked.
    void Create(CDialog& matte) const {
        Type(matte, IDC_MATTE_PATH, MattePath());
        Click(matte, IDC_MATTE_CREATE);
    }
};

TEST_F(MatteDialogTest, OpensOnTheRememberedPathWithTheOtherSettingsResetAndTakesACheckpoint) {
    auto tools = Open();
    tools->m_strMatteFile = "/remembered.tga";
    auto expectOpening = [&](CDialog& matte, const std::string& path) {
        EXPECT_EQ(matte.GetParent(), tools.get());
        EXPECT_EQ(Text(matte, IDC_MATTE_PATH), path);
        EXPECT_EQ(Text(matte, IDC_MATTE_X) + Text(matte, IDC_MATTE_Y), "00");
        EXPECT_TRUE(Checked(matte, IDC_MATTE_USE_RGB));
        EXPECT_FALSE(Checked(matte, IDC_MATTE_USE_ALPHA) || Checked(matte, IDC_MATTE_INVERSE));
        ASSERT_TRUE(control.m_pCheckpoint);
        EXPECT_TRUE(
            std::equal(HostPixels().begin(), HostPixels().end(), control.m_pCheckpoint.get()));
    };
    RunMatte(*tools, [&](CDialog& matte) {
        expectOpening(matte, "/remembered.tga");
        EXPECT_EQ(prompts.placements, std::vector<UINT>{SW_MINIMIZE});
        Type(matte, IDC_MATTE_PATH, MattePath());
        Type(matte, IDC_MATTE_X, "4");
        Type(matte, IDC_MATTE_Y, "5");
        Click(matte, IDC_MATTE_USE_ALPHA);
        Click(matte, IDC_MATTE_INVERSE);
        Click(matte, IDC_MATTE_CREATE);
        Click(matte, IDOK);
    });
    EXPECT_EQ(prompts.placements, (std::vector<UINT>{SW_MINIMIZE, SW_RESTORE}));
    // Reopened in the same run: the last path, everything else as at first.
    RunMatte(*tools, [&](CDialog& matte) {
        expectOpening(matte, MattePath());
        Click(matte, IDCANCEL);
    });
}

TEST_F(MatteDialogTest, CreateTwiceMattesTheCheckpointNotTheFirstResult) {
    auto tools = Open();
    tools->m_strMatteFile = MattePath();
    auto create = [&](CDialog& matte, const char* x) {
        Type(matte, IDC_MATTE_X, x);
        Click(matte, IDC_MATTE_CREATE);
        return HostPixels();
    };
    std::vector<uint8_t> first, second, once;
    RunMatte(*tools, [&](CDialog& matte) {
        first = create(matte, "1");
        second = create(matte, "2");
        Click(matte, IDCANCEL);
    });
    RunMatte(*tools, [&](CDialog& matte) {
        once = create(matte, "2");
        Click(matte, IDOK);
    });
    EXPECT_NE(first, Original());
    EXPECT_NE(first, second);
    EXPECT_EQ(second, once);
}

TEST_F(MatteDialogTest, CreateReportsAMissingFileOrSetsTheMatteParameters) {
    auto tools = Open();
    control.m_nBlurX = control.m_nBlurY = 7;
    RunMatte(*tools, [&](CDialog& matte) {
        Type(matte, IDC_MATTE_PATH, data.File("no such file.tga"));
        Click(matte, IDC_MATTE_CREATE);
        EXPECT_EQ(prompts.TakeOne(), "Matte file does not exist");
        EXPECT_EQ(std::pair(control.m_nEffectCode, HostPixels()), std::pair(99u, Original()));
        Type(matte, IDC_MATTE_PATH, MattePath());
        Type(matte, IDC_MATTE_X, "3");
        Type(matte, IDC_MATTE_Y, "4");
        Click(matte, IDC_MATTE_USE_ALPHA);
        Click(matte, IDC_MATTE_INVERSE);
        EXPECT_FALSE(Checked(matte, IDC_MATTE_USE_RGB));
        Click(matte, IDC_MATTE_CREATE);
        EXPECT_EQ(std::tuple(control.m_nEffectCode, control.m_strMattePath, control.m_nMatteX,
                             control.m_nMatteY, control.m_bMatteAlpha, control.m_bInverseMatte,
                             control.m_nBlurX, control.m_nBlurY),
                  std::tuple(uint32_t(EFFECT_MATTE), MattePath(), 3, 4, TRUE, TRUE, 0, 0));
        Click(matte, IDC_MATTE_USE_RGB);
        Click(matte, IDC_MATTE_CREATE);
        EXPECT_EQ(control.m_bMatteAlpha, FALSE);
        Click(matte, IDCANCEL);
    });
}

TEST_F(MatteDialogTest, TheSpinsStopAt100ThoughTypedOffsetsUpTo1000AreAccepted) {
    auto tools = Open();
    RunMatte(*tools, [&](CDialog& matte) {
        Type(matte, IDC_MATTE_X, "99");
        ClickSpin(matte, IDC_SPIN_MATTE_X, true, 3);
        EXPECT_EQ(Text(matte, IDC_MATTE_X), "100");
        ClickSpin(matte, IDC_SPIN_MATTE_Y, true, 2);
        EXPECT_EQ(Text(matte, IDC_MATTE_Y), "2");
        ClickSpin(matte, IDC_SPIN_MATTE_Y, false, 5);
        EXPECT_EQ(Text(matte, IDC_MATTE_Y), "0");
        Type(matte, IDC_MATTE_X, "500");
        Create(matte);
        EXPECT_EQ(control.m_nMatteX, 500);
        // Beyond 1000: reported, and Create goes on with what was read.
        Type(matte, IDC_MATTE_X, "1500");
        Type(matte, IDC_MATTE_Y, "3");
        Click(matte, IDC_MATTE_CREATE);
        EXPECT_EQ(prompts.TakeOne(), "Please enter an integer between 0 and 1000.");
        EXPECT_EQ(std::pair(control.m_nMatteX, control.m_nMatteY),
                  std::pair(1500, 0));  // Y never read
        Click(matte, IDCANCEL);
    });
}

TEST_F(MatteDialogTest, CancelEscapeAndTheCloseBoxPutTheCheckpointBackOkKeepsThePictureShown) {
    // The matte dialog starts from the tools dialog's focus of size 2.
    auto tools = Open();
    Type(*tools, IDC_FOCUS_SIZE, "2");
    Click(*tools, IDC_APPLY_FOCUS);
    const std::vector<uint8_t> focused = HostPixels();
    // clang-format off
    const ModalScript::Step endings[] = {[](CDialog& matte) { Click(matte, IDCANCEL); },
                                         [](CDialog& matte) { PressKey(matte, Qt::Key_Escape); },
                                         [](CDialog& matte) { ClickCloseBox(matte); }};
    // clang-format on
    for (const auto& end : endings) {
        RunMatte(*tools, [&](CDialog& matte) {
            Create(matte);
            ASSERT_NE(HostPixels(), focused);
            end(matte);
            EXPECT_EQ(matte.ModalResult(), IDCANCEL);
        });
        EXPECT_EQ(HostPixels(), focused);
        // The path is kept for the next opening whatever the ending.
        EXPECT_EQ(tools->m_strMatteFile, MattePath());
    }
    // The tools dialog's original is still the picture of the tool run's start.
    Click(*tools, IDC_RESTORE);
    EXPECT_EQ(HostPixels(), Original());

    // OK makes the picture shown the new original for Restore: without Create,
    // the tools dialog's last output.
    Click(*tools, IDC_APPLY_FOCUS);
    RunMatte(*tools, [](CDialog& matte) { Click(matte, IDOK); });
    Click(*tools, IDC_RESTORE);
    EXPECT_EQ(HostPixels(), focused);
    // With Create, ended by Enter: the matte's result.
    std::vector<uint8_t> matted;
    RunMatte(*tools, [&](CDialog& matte) {
        Create(matte);
        matted = HostPixels();
        PressKey(matte, Qt::Key_Return);
        EXPECT_TRUE(matte.HasEnded());
    });
    Click(*tools, IDC_APPLY_FOCUS);
    Click(*tools, IDC_RESTORE);
    EXPECT_EQ(HostPixels(), matted);
    EXPECT_NE(matted, focused);
}

TEST_F(MatteDialogTest, BrowseSetsThePathAndShowsTheMembersAgain) {
    auto tools = Open();
    prompts.fileAnswers = {std::string("/chosen/matte.tga"), std::nullopt};
    RunMatte(*tools, [&](CDialog& matte) {
        Type(matte, IDC_MATTE_X, "50");
        Click(matte, IDC_MATTE_BROWSE);
        EXPECT_EQ(Text(matte, IDC_MATTE_PATH), "/chosen/matte.tga");
        // The exchange after Browse writes the member's offset back.
        EXPECT_EQ(Text(matte, IDC_MATTE_X), "0");
        // A cancelled Browse changes nothing, not even the member from the edit.
        Type(matte, IDC_MATTE_PATH, "/typed.tga");
        Click(matte, IDC_MATTE_BROWSE);
        EXPECT_EQ(Text(matte, IDC_MATTE_PATH), "/typed.tga");
        Click(matte, IDCANCEL);
    });
    ASSERT_EQ(prompts.fileRequests.size(), 2u);
    const FileDialogRequest& r = prompts.fileRequests[0];
    EXPECT_EQ(std::tuple(r.openFileDialog, r.defaultExt, r.fileName, r.flags, r.filter, r.owner),
              std::tuple(true, ".tga", "", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         "TGA Files (*.tga) | *.tga| All Files (*.*)|*.*||", nullptr));
    // Cancel runs no exchange: the dialog's file is the one Browse set.
    EXPECT_EQ(tools->m_strMatteFile, "/chosen/matte.tga");
}

}  // namespace
}  // namespace dialog_test
