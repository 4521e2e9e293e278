// The crop dialog on a stand-in host picture, its view drawn in with the
// mouse on the offscreen screen. What its crops make of the picture is held to
// the command line's crops through the module file (EndToEndCropTest).

#include <gtest/gtest.h>

#include <QDialog>
#include <QSlider>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "crop/CCropImageNew.h"
#include "platform/imageview/ImageEnXClass.h"
#include "platform/imageview/ImageEnXControl.h"
#include "platform/imageview/ImageViewWidget.h"
#include "platform/imageview/SelectionFile.h"
#include "platform/ui/COleControlSite.h"
#include "tests/support/BlockPicture.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/HostFixture.h"
#include "tests/support/PilScript.h"
#include "tests/support/ScriptedPrompts.h"

namespace {

using namespace ui_test;
using Bytes = std::vector<uint8_t>;

constexpr int32_t kWidth = kBlockPictureWidth;
constexpr int32_t kHeight = kBlockPictureHeight;

Bytes Picture() { return BlockPicture(true); }

class CropDialogTest : public ::testing::Test {
protected:
    CropDialogTest() : host(kWidth, kHeight, Picture()) {
        host.Target(control);
        control.SnapshotImage(SLOT_ORIGINAL);
    }

    std::unique_ptr<CCropImageNew> Open() {
        auto dialog = std::make_unique<CCropImageNew>();
        dialog->m_pCtrl = &control, dialog->m_strDataFolder = data.Path().string();
        EXPECT_TRUE(dialog->Create());
        dialog->Window()->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog->Window()));
        return dialog;
    }
    static imageview::ImageViewWidget* View(CDialog& dialog) {
        return dynamic_cast<imageview::ImageViewWidget*>(
            dialog.GetDlgItem(IDC_CROP_VIEW)->GetWidget());
    }
    // Mouse actions at points of the picture.
    static QPoint At(CDialog& dialog, double x, double y) {
        return View(dialog)->ToViewport({x, y}).toPoint();
    }
    static void Drag(CDialog& dialog, QPointF from, QPointF to) {
        QWidget* port = View(dialog)->viewport();
        QTest::mousePress(port, Qt::LeftButton, {}, At(dialog, from.x(), from.y()));
        QTest::mouseMove(port, At(dialog, to.x(), to.y()));
        QTest::mouseRelease(port, Qt::LeftButton, {}, At(dialog, to.x(), to.y()));
    }
    static const imageview::SelectionMask& Selection(CDialog& dialog) {
        auto* site = dialog.GetDlgItemAs<COleControlSite>(IDC_CROP_VIEW);
        return dynamic_cast<imageview::ImageEnXControl*>(site->GetControlDispatch())
            ->Document()
            .Selection();
    }

    const Bytes& HostPixels() const { return host.element->Image()->Pixels(); }

    TempDir data;
    ScriptedPrompts prompts;
    imageview::ImageEnXClassRegistration viewClass;
    HostFixture host;
    CRastelCtrl control;
};

TEST_F(CropDialogTest, OpensOnTheHostPictureWithACheckpointAndTheSlidersSet) {
    auto dialog = Open();
    EXPECT_EQ(Bytes(control.m_pCheckpoint.get(), control.m_pCheckpoint.get() + HostPixels().size()),
              Picture());
    // The view's file is upright: the transparent corner is at the top left,
    // where the picture has it, at the end of the host's rows.
    EXPECT_EQ(PilScript(data,
                        "im = Image.open('tintora.tga')\n"
                        "print(im.getpixel((0, 0)), im.getpixel((0, 17)))\n"),
              "(200, 180, 0, 0) (200, 205, 39, 255)\n");
    auto* zoom = dialog->GetDlgItemAs<CSliderCtrl>(IDC_CROP_ZOOM);
    auto* tolerance = dialog->GetDlgItemAs<CSliderCtrl>(IDC_CROP_TOLERANCE);
    EXPECT_EQ(std::tuple(zoom->GetRangeMin(), zoom->GetRangeMax(), zoom->GetPos()),
              std::tuple(-1000, 1000, 0));
    EXPECT_EQ(std::tuple(tolerance->GetRangeMin(), tolerance->GetRangeMax(), tolerance->GetPos()),
              std::tuple(0, 100, 15));
    EXPECT_FALSE(tolerance->IsWindowVisible());
    EXPECT_TRUE(Checked(*dialog, IDC_CROP_RECTANGLE));
    EXPECT_EQ(Text(*dialog, IDC_CROP_SOFTNESS), "0");
    EXPECT_EQ(Text(*dialog, IDC_CROP_HINT), "");
    // 24 x 18 fits the view ten times over, held to 1000 %.
    EXPECT_EQ(dialog->m_dFitZoom, 1000);
}

TEST_F(CropDialogTest, CropsStartFromTheOpeningPictureCancelTakesThemBackAndOkKeepsTheLast) {
    auto dialog = Open();
    Click(*dialog, IDC_CROP_APPLY);  // no selection: nothing happens
    EXPECT_FALSE(std::filesystem::exists(data.File("tintoraOut.tga")));
    EXPECT_EQ(HostPixels(), Picture());

    Drag(*dialog, {0, 0}, {10, 10});
    Click(*dialog, IDC_CROP_APPLY);
    Drag(*dialog, {4, 4}, {20, 15});
    Click(*dialog, IDC_CROP_APPLY);
    const Bytes second = HostPixels();
    Click(*dialog, IDCANCEL);
    EXPECT_TRUE(dialog->HasEnded());
    EXPECT_EQ(HostPixels(), Picture());
    EXPECT_FALSE(std::filesystem::exists(data.File("TintoraPresetCrop")));

    // The same selection on a fresh opening crops the picture alike.
    dialog = Open();
    Drag(*dialog, {4, 4}, {20, 15});
    Click(*dialog, IDC_CROP_APPLY);
    EXPECT_EQ(HostPixels(), second);
    Click(*dialog, IDOK);
    EXPECT_EQ(Bytes(control.m_pOriginal.get(), control.m_pOriginal.get() + second.size()), second);
    // The kept selection comes back at the next opening, with its status.
    dialog = Open();
    EXPECT_EQ(Text(*dialog, IDC_CROP_POSITION), "X: 4\t\tY: 4");
    EXPECT_EQ(Text(*dialog, IDC_CROP_SIZE), "Width: 16\tHeight: 11");
}

TEST_F(CropDialogTest, OnlyArrowKeysGetThroughAndShiftMovesByTen) {
    auto dialog = Open();
    Drag(*dialog, {5, 5}, {8, 9});
    QTest::mouseMove(View(*dialog)->viewport(), At(*dialog, 12, 12));
    EXPECT_EQ(Text(*dialog, IDC_CROP_POSITION), "X: 5\t\tY: 5");
    // clang-format off
    const struct { Qt::Key key; Qt::KeyboardModifiers modifiers; const char* position; } moves[] = {
        {Qt::Key_Right, {}, "X: 6\t\tY: 5"}, {Qt::Key_Down, Qt::ShiftModifier, "X: 6\t\tY: 15"},
        {Qt::Key_Up, Qt::ShiftModifier, "X: 6\t\tY: 5"}, {Qt::Key_Left, {}, "X: 5\t\tY: 5"},
        {Qt::Key_A, {}, "X: 5\t\tY: 5"}};
    // clang-format on
    for (const auto& move : moves) {
        QTest::keyClick(View(*dialog), move.key, move.modifiers);
        EXPECT_EQ(Text(*dialog, IDC_CROP_POSITION), move.position) << move.key;
    }
    // The row that went past the bottom edge is lost.
    EXPECT_EQ(Text(*dialog, IDC_CROP_SIZE), "Width: 3\tHeight: 3");
    PressKey(*dialog, Qt::Key_Return);
    PressKey(*dialog, Qt::Key_Escape);
    PressKeyIn(*dialog, IDC_CROP_SOFTNESS, Qt::Key_7);
    EXPECT_FALSE(dialog->HasEnded());
    EXPECT_EQ(Text(*dialog, IDC_CROP_SOFTNESS), "0");
}

TEST_F(CropDialogTest, ModesSetHintsKeepOrClearTheSelectionAndShowTheToleranceAtTheFittedZoom) {
    auto dialog = Open();
    Drag(*dialog, {1, 1}, {4, 4});
    Click(*dialog, IDC_CROP_RECTANGLE);
    EXPECT_FALSE(Selection(*dialog).IsEmpty()) << "the same mode keeps the selection";
    EXPECT_EQ(Text(*dialog, IDC_CROP_HINT), "Use Arrow Keys to Move Mask Region");
    Click(*dialog, IDC_CROP_POLYGON);
    EXPECT_TRUE(Selection(*dialog).IsEmpty());
    EXPECT_EQ(Text(*dialog, IDC_CROP_HINT), "Double Click to Close Outline");
    // An outline of three corners, closed by a double click on the last.
    for (const auto& [x, y] : {std::pair{2, 2}, {9, 2}, {9, 7}}) {
        QTest::mouseClick(View(*dialog)->viewport(), Qt::LeftButton, {}, At(*dialog, x, y));
    }
    QTest::mouseDClick(View(*dialog)->viewport(), Qt::LeftButton, {}, At(*dialog, 9, 7));
    QTest::mouseMove(View(*dialog)->viewport(), At(*dialog, 0, 0));
    EXPECT_EQ(Text(*dialog, IDC_CROP_SIZE), " ");

    auto* tolerance = dialog->GetDlgItemAs<CSliderCtrl>(IDC_CROP_TOLERANCE);
    Click(*dialog, IDC_CROP_MAGIC_WAND);
    EXPECT_TRUE(tolerance->IsWindowVisible());
    // A press on the block, then a tolerance so wide that the wand takes everything.
    QTest::mouseClick(View(*dialog)->viewport(), Qt::LeftButton, {}, At(*dialog, 6.5, 5.5));
    EXPECT_EQ(Selection(*dialog).Bounds(), (imageview::SelectionBounds{5, 4, 12, 10}));
    static_cast<QSlider*>(tolerance->GetWidget())->setValue(100);
    EXPECT_EQ(Selection(*dialog).Bounds(), (imageview::SelectionBounds{0, 0, 24, 18}));
    static_cast<QSlider*>(dialog->GetDlgItemAs<CSliderCtrl>(IDC_CROP_ZOOM)->GetWidget())
        ->setValue(300);
    EXPECT_FALSE(tolerance->IsWindowVisible());
    EXPECT_EQ(View(*dialog)->Scale(), 3);
    Click(*dialog, IDC_CROP_RESET_ZOOM);
    EXPECT_TRUE(tolerance->IsWindowVisible());
    Click(*dialog, IDC_CROP_RECTANGLE);
    EXPECT_FALSE(tolerance->IsWindowVisible());
}

TEST_F(CropDialogTest, SaveAndRecallUseSelectionFilesAndABrokenOneChangesNothing) {
    auto dialog = Open();
    Drag(*dialog, {2, 2}, {6, 5});
    const std::string saved = data.File("mine.sel");
    std::ofstream(data.File("broken.sel")) << "not a selection";
    prompts.fileAnswers = {saved, std::nullopt, data.File("broken.sel"), saved};
    Click(*dialog, IDC_CROP_SAVE);
    Click(*dialog, IDC_CROP_CLEAR);
    Click(*dialog, IDC_CROP_RECALL);  // cancelled
    EXPECT_TRUE(Selection(*dialog).IsEmpty());
    Click(*dialog, IDC_CROP_RECALL);
    EXPECT_EQ(prompts.TakeOne(), "The selection file " + data.File("broken.sel") +
                                     " is not a selection file. The selection is left as it was.");
    EXPECT_TRUE(Selection(*dialog).IsEmpty());
    Click(*dialog, IDC_CROP_RECALL);
    EXPECT_EQ(Selection(*dialog).Bounds(), (imageview::SelectionBounds{2, 2, 6, 5}));
    EXPECT_EQ(Text(*dialog, IDC_CROP_SIZE), "Width: 4\tHeight: 3");
    ASSERT_EQ(prompts.fileRequests.size(), 4u);
    const FileDialogRequest& save = prompts.fileRequests[0];
    EXPECT_EQ(std::tuple(save.openFileDialog, save.defaultExt, save.fileName, save.flags,
                         save.filter, prompts.fileRequests[3].openFileDialog),
              std::tuple(false, "sel", "*.sel", DWORD(OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT),
                         "*.sel | All Files (*.*)|*.*||", true));
}

TEST_F(CropDialogTest, ASoftnessOutOfRangeIsReportedAndNoCropIsMade) {
    auto dialog = Open();
    Drag(*dialog, {2, 2}, {6, 5});
    ClickSpin(*dialog, IDC_CROP_SPIN_SOFTNESS, true, 31);
    ASSERT_EQ(Text(*dialog, IDC_CROP_SOFTNESS), "31");
    Click(*dialog, IDC_CROP_APPLY);
    EXPECT_EQ(prompts.TakeOne(), "Please enter an integer between 0 and 30.");
    EXPECT_EQ(HostPixels(), Picture());
}

TEST(CropDialogWithoutItsView, DoesNotRunAndSaysWhy) {
    ScriptedPrompts prompts;
    CCropImageNew dialog;
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(prompts.TakeOne(),
              "The dialog cannot be shown: its control {1C612D86-A0F5-48AC-A03E-B2CF137F646C} "
              "cannot be created.");
}

}  // namespace
