#include <gtest/gtest.h>

#include <QDialog>

#include "dialogs/CMatteFile.h"
#include "tests/dialogs/DialogFixture.h"

namespace dialog_test {
namespace {

using namespace ui_test;

// An uncompressed 32-bit TGA, rows bottom first, every pixel grey with the
// given value and alpha.
void WriteMatte(const std::string& path, int width, int height) {
    std::vector<uint8_t> bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                  uint8_t(width), uint8_t(width >> 8), uint8_t(height),
                                  uint8_t(height >> 8), 32, 8};
    for (int i = 0; i < width * height; ++i) {
        const uint8_t grey = uint8_t(60 + 3 * i);
        bytes.insert(bytes.end(), {grey, grey, grey, uint8_t(255 - grey)});
    }
    WriteBytes(path, bytes);
}

class MatteDialogTest : public ToolsDialogTest {
protected:
    MatteDialogTest() { WriteMatte(MattePath(), kWidth, kHeight); }
    std::string MattePath() const { return data.File("matte.tga"); }

    // What a single matte at x, y over the given picture gives.
    std::vector<uint8_t> MatteOnce(const std::vector<uint8_t>& picture, int x, int y) {
        HostFixture other(kWidth, kHeight, picture);
        CRastelCtrl ctrl;
        other.Target(ctrl);
        ctrl.m_bMatteAlpha = FALSE;
        ctrl.m_strMattePath = MattePath();
        ctrl.m_nEffectCode = EFFECT_MATTE;
        ctrl.m_nMatteX = x;
        ctrl.m_nMatteY = y;
        ctrl.m_nBlurX = 0;
        ctrl.m_nBlurY = 0;
        ctrl.m_bInverseMatte = FALSE;
        ctrl.ApplyEffect();
        return other.element->Image()->Pixels();
    }
};

TEST_F(MatteDialogTest, OpensOnTheRememberedPathWithRgbOnAndTakesACheckpoint) {
    auto tools = Open();
    tools->m_strMatteFile = "/remembered.tga";
    ModalScript script;
    script.Then([&](CDialog& matte) {
        EXPECT_EQ(matte.Template().id, IDD_MATTE_FILE);
        EXPECT_EQ(matte.GetParent(), tools.get());
        EXPECT_EQ(Text(matte, IDC_MATTE_PATH), "/remembered.tga");
        EXPECT_EQ(Text(matte, IDC_MATTE_X), "0");
        EXPECT_EQ(Text(matte, IDC_MATTE_Y), "0");
        EXPECT_TRUE(Checked(matte, IDC_MATTE_USE_RGB));
        EXPECT_FALSE(Checked(matte, IDC_MATTE_USE_ALPHA));
        EXPECT_FALSE(Checked(matte, IDC_MATTE_INVERSE));
        EXPECT_EQ(prompts.placements, std::vector<UINT>{SW_MINIMIZE});
        ASSERT_TRUE(control.m_pCheckpoint);
        EXPECT_EQ(std::vector<uint8_t>(control.m_pCheckpoint,
                                       control.m_pCheckpoint + HostPixels().size()),
                  HostPixels());
        Click(matte, IDCANCEL);
    });
    Click(*tools, IDC_MATTE);
    EXPECT_EQ(prompts.placements, (std::vector<UINT>{SW_MINIMIZE, SW_RESTORE}));
}

TEST_F(MatteDialogTest, AMissingFileIsReportedAndNothingChanges) {
    auto tools = Open();
    ModalScript script;
    script.Then([&](CDialog& matte) {
        Type(matte, IDC_MATTE_PATH, data.File("no such file.tga"));
        Click(matte, IDC_MATTE_CREATE);
        EXPECT_EQ(prompts.messages, std::vector<std::string>{"Matte file does not exist"});
        EXPECT_EQ(control.m_nEffectCode, 99u);
        EXPECT_EQ(HostPixels(), Original());
        Click(matte, IDOK);
    });
    Click(*tools, IDC_MATTE);
}

TEST_F(MatteDialogTest, CreateTwiceMattesTheCheckpointNotTheFirstResult) {
    auto tools = Open();
    std::vector<uint8_t> first;
    std::vector<uint8_t> second;
    ModalScript script;
    script.Then([&](CDialog& matte) {
        Type(matte, IDC_MATTE_PATH, MattePath());
        Type(matte, IDC_MATTE_X, "1");
        Type(matte, IDC_MATTE_Y, "1");
        Click(matte, IDC_MATTE_CREATE);
        first = HostPixels();
        Type(matte, IDC_MATTE_X, "2");
        Click(matte, IDC_MATTE_CREATE);
        second = HostPixels();
        Click(matte, IDOK);
    });
    Click(*tools, IDC_MATTE);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front();
    EXPECT_EQ(first, MatteOnce(Original(), 1, 1));
    EXPECT_NE(first, Original());
    EXPECT_EQ(second, MatteOnce(Original(), 2, 1));
    EXPECT_NE(second, MatteOnce(first, 2, 1));
}

TEST_F(MatteDialogTest, CreateSetsTheMatteParameters) {
    auto tools = Open();
    control.m_nBlurX = 7;
    control.m_nBlurY = 7;
    ModalScript script;
    script.Then([&](CDialog& matte) {
        Type(matte, IDC_MATTE_PATH, MattePath());
        Type(matte, IDC_MATTE_X, "3");
        Type(matte, IDC_MATTE_Y, "4");
        Click(matte, IDC_MATTE_USE_ALPHA);
        Click(matte, IDC_MATTE_INVERSE);
        EXPECT_FALSE(Checked(matte, IDC_MATTE_USE_RGB));
        Click(matte, IDC_MATTE_CREATE);
        EXPECT_EQ(control.m_nEffectCode, uint32_t(EFFECT_MATTE));
        EXPECT_EQ(control.m_strMattePath, MattePath());
        EXPECT_EQ(control.m_nMatteX, 3);
        EXPECT_EQ(control.m_nMatteY, 4);
        EXPECT_EQ(control.m_bMatteAlpha, TRUE);
        EXPECT_EQ(control.m_bInverseMatte, TRUE);
        EXPECT_EQ(control.m_nBlurX, 0);
        EXPECT_EQ(control.m_nBlurY, 0);
        Click(matte, IDC_MATTE_USE_RGB);
        Click(matte, IDC_MATTE_CREATE);
        EXPECT_EQ(control.m_bMatteAlpha, FALSE);
        Click(matte, IDCANCEL);
    });
    Click(*tools, IDC_MATTE);
}

TEST_F(MatteDialogTest, OkMakesTheResultTheNewOriginalForRestore) {
    auto tools = Open();
    std::vector<uint8_t> matted;
    ModalScript script;
    script.Then([&](CDialog& matte) {
        Type(matte, IDC_MATTE_PATH, MattePath());
        Click(matte, IDC_MATTE_CREATE);
        matted = HostPixels();
        PressKey(matte, Qt::Key_Return);
        EXPECT_TRUE(matte.HasEnded());
    });
    Click(*tools, IDC_MATTE);
    Type(*tools, IDC_FOCUS_SIZE, "2");
    Click(*tools, IDC_APPLY_FOCUS);
    Click(*tools, IDC_RESTORE);
    EXPECT_EQ(HostPixels(), matted);
    EXPECT_NE(matted, Original());
}

TEST_F(MatteDialogTest, OkWithoutCreateMakesTheToolsOutputTheNewOriginal) {
    auto tools = Open();
    Type(*tools, IDC_FOCUS_SIZE, "2");
    Click(*tools, IDC_APPLY_FOCUS);
    const std::vector<uint8_t> focused = HostPixels();
    ModalScript script;
    script.Then([](CDialog& matte) { Click(matte, IDOK); });
    Click(*tools, IDC_MATTE);
    Click(*tools, IDC_COLOR_SHIFT);
    Click(*tools, IDC_COLOR_SHIFT);
    EXPECT_EQ(HostPixels(), focused);
}

TEST_F(MatteDialogTest, CancelEscapeAndTheCloseBoxPutTheCheckpointBack) {
    auto tools = Open();
    Type(*tools, IDC_FOCUS_SIZE, "2");
    Click(*tools, IDC_APPLY_FOCUS);
    const std::vector<uint8_t> atOpen = HostPixels();
    const std::function<void(CDialog&)> endings[] = {
        [](CDialog& matte) { Click(matte, IDCANCEL); },
        [](CDialog& matte) { PressKey(matte, Qt::Key_Escape); },
        [](CDialog& matte) { ClickCloseBox(matte); },
    };
    for (const auto& end : endings) {
        ModalScript script;
        script.Then([&](CDialog& matte) {
            Type(matte, IDC_MATTE_PATH, MattePath());
            Click(matte, IDC_MATTE_CREATE);
            ASSERT_NE(HostPixels(), atOpen);
            end(matte);
            EXPECT_EQ(matte.ModalResult(), IDCANCEL);
        });
        Click(*tools, IDC_MATTE);
        EXPECT_EQ(HostPixels(), atOpen);
        // The path is kept for the next opening whatever the ending.
        EXPECT_EQ(tools->m_strMatteFile, MattePath());
    }
    // The tools dialog's original is still the picture of the tool run's start.
    Click(*tools, IDC_RESTORE);
    EXPECT_EQ(HostPixels(), Original());
}

TEST_F(MatteDialogTest, ReopeningShowsTheLastPathWithTheOtherSettingsReset) {
    auto tools = Open();
    ModalScript script;
    script
        .Then([&](CDialog& matte) {
            Type(matte, IDC_MATTE_PATH, MattePath());
            Type(matte, IDC_MATTE_X, "4");
            Click(matte, IDC_MATTE_USE_ALPHA);
            Click(matte, IDC_MATTE_INVERSE);
            Click(matte, IDC_MATTE_CREATE);
            Click(matte, IDOK);
        })
        .Then([&](CDialog& matte) {
            EXPECT_EQ(Text(matte, IDC_MATTE_PATH), MattePath());
            EXPECT_EQ(Text(matte, IDC_MATTE_X), "0");
            EXPECT_TRUE(Checked(matte, IDC_MATTE_USE_RGB));
            EXPECT_FALSE(Checked(matte, IDC_MATTE_INVERSE));
            Click(matte, IDCANCEL);
        });
    Click(*tools, IDC_MATTE);
    Click(*tools, IDC_MATTE);
}

TEST_F(MatteDialogTest, BrowseSetsThePathAndShowsTheMembersAgain) {
    auto tools = Open();
    prompts.fileAnswers = {std::string("/chosen/matte.tga"), std::nullopt};
    ModalScript script;
    script.Then([&](CDialog& matte) {
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
    Click(*tools, IDC_MATTE);
    ASSERT_EQ(prompts.fileRequests.size(), 2u);
    const FileDialogRequest& request = prompts.fileRequests[0];
    EXPECT_TRUE(request.openFileDialog);
    EXPECT_EQ(request.defaultExt, ".tga");
    EXPECT_EQ(request.fileName, "");
    EXPECT_EQ(request.flags, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT);
    EXPECT_EQ(request.filter, "TGA Files (*.tga) | *.tga| All Files (*.*)|*.*||");
    EXPECT_EQ(request.owner, nullptr);
    // Cancel runs no exchange: the dialog's file is the one Browse set.
    EXPECT_EQ(tools->m_strMatteFile, "/chosen/matte.tga");
}

TEST_F(MatteDialogTest, AnOffsetBeyond1000IsReportedAndCreateGoesOnWithIt) {
    auto tools = Open();
    ModalScript script;
    script.Then([&](CDialog& matte) {
        Type(matte, IDC_MATTE_PATH, MattePath());
        Type(matte, IDC_MATTE_X, "1500");
        Type(matte, IDC_MATTE_Y, "3");
        Click(matte, IDC_MATTE_CREATE);
        EXPECT_EQ(prompts.messages,
                  std::vector<std::string>{"Please enter an integer between 0 and 1000."});
        EXPECT_EQ(control.m_nEffectCode, uint32_t(EFFECT_MATTE));
        EXPECT_EQ(control.m_nMatteX, 1500);
        EXPECT_EQ(control.m_nMatteY, 0);  // never read
        Click(matte, IDCANCEL);
    });
    Click(*tools, IDC_MATTE);
}

TEST_F(MatteDialogTest, TheSpinsStopAt100ThoughTypedOffsetsUpTo1000AreAccepted) {
    auto tools = Open();
    ModalScript script;
    script.Then([&](CDialog& matte) {
        Type(matte, IDC_MATTE_X, "99");
        ClickSpin(matte, IDC_SPIN_MATTE_X, true, 3);
        EXPECT_EQ(Text(matte, IDC_MATTE_X), "100");
        ClickSpin(matte, IDC_SPIN_MATTE_Y, true, 2);
        EXPECT_EQ(Text(matte, IDC_MATTE_Y), "2");
        ClickSpin(matte, IDC_SPIN_MATTE_Y, false, 5);
        EXPECT_EQ(Text(matte, IDC_MATTE_Y), "0");
        Type(matte, IDC_MATTE_PATH, MattePath());
        Type(matte, IDC_MATTE_X, "500");
        Click(matte, IDC_MATTE_CREATE);
        EXPECT_TRUE(prompts.messages.empty());
        EXPECT_EQ(control.m_nMatteX, 500);
        Click(matte, IDCANCEL);
    });
    Click(*tools, IDC_MATTE);
}

}  // namespace
}  // namespace dialog_test
