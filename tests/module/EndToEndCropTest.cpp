// The crop dialog from the module file: a tool run's Crop button opens it,
// the operator draws in its view with the mouse, and the host's picture ends
// up as the command line's crop with a mask drawn by PIL, and as its crop
// with the selection file and the mask file the dialog left behind.

#include <QAbstractScrollArea>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <filesystem>

#include "platform/automation/ComPtr.h"
#include "tests/module/ModalRobot.h"
#include "tests/module/ModuleProcess.h"
#include "tests/support/BlockPicture.h"
#include "tests/support/DispatchCalls.h"
#include "tests/support/PilScript.h"
#include "tests/support/StandInHost.h"

namespace {

constexpr int kWidth = kBlockPictureWidth;
constexpr int kHeight = kBlockPictureHeight;
// The view fits so small a picture at its largest zoom: 10 screen pixels a pixel.
constexpr int kScale = 10;

// Where a point of the picture is in the view: the fitted picture sits in its middle.
QPoint At(QAbstractScrollArea& view, double x, double y) {
    const QSize port = view.viewport()->size();
    return QPointF((port.width() - kWidth * kScale) / 2 + x * kScale,
                   (port.height() - kHeight * kScale) / 2 + y * kScale)
        .toPoint();
}

// The module's data folder is the test's own (see ModuleProcessTest).
class EndToEndCropTest : public ModuleProcessTest {
protected:
    void SetUp() override {
        ModuleProcessTest::SetUp();
        std::filesystem::create_directories(m_module.dataFolder);
        Register();
        control = CreateByProgId<IDispatch>(u"Pellux.VOKSlet.RastelCtrl.1", IID_IDispatch);
        ASSERT_TRUE(control);
        VARIANT_BOOL status = VARIANT_FALSE;
        CallResult(control.Get(), "OnInitialize",
                   {DispatchArg(host.application.Get()), BoolOut(&status)});
        WriteFileBytes(work.File("in.bgra"), BlockPicture());
    }
    void TearDown() override {
        control.Reset();
        ModuleProcessTest::TearDown();
    }
    std::string DataFile(const char* name) const { return (m_module.dataFolder / name).string(); }

    // A tool run whose tools dialog opens the crop dialog, works it and ends both with OK.
    void CropRun(const std::function<void(QWidget& crop)>& work) {
        ModalRobot robot;
        robot.Then([](QWidget& tools) {
            ModalRobot::Click(tools, "Crop");
            ModalRobot::Click(tools, "OK");
        });
        robot.Then([&](QWidget& crop) {
            work(crop);
            ModalRobot::Click(crop, "OK");
        });
        CallResult(control.Get(), "Tintora", {Empty()});
        EXPECT_EQ(robot.titles, (std::vector<std::string>{"Tintora", "Tintora - Crop Image"}));
    }

    // What the command line makes of the picture with these options.
    std::vector<uint8_t> CommandLineCrop(const std::string& options, int softness) {
        std::filesystem::remove(work.File("out.bgra"));
        const ProgramRun run =
            RunProgram(Quoted(TINTORA_CLI) + " apply crop " + options + " --softness " +
                       std::to_string(softness) + " --input-size 24x18 " + work.File("in.bgra") +
                       " " + work.File("out.bgra"));
        EXPECT_EQ(run.status, 0) << options << ": " << run.output;
        return ReadFileBytes(work.File("out.bgra"));
    }

    static void SetSoftness(QWidget& crop, int softness) {
        for (QToolButton* arrow : crop.findChildren<QToolButton*>()) {
            if (arrow->arrowType() != Qt::UpArrow) continue;
            for (int i = 0; i < softness; ++i) arrow->click();
        }
    }

    StandInHost host;
    ComPtr<IDispatch> control;
    TempDir work;  // the command line's files
};

using Mouse = std::function<void(QWidget& port, QAbstractScrollArea& view)>;

// Each selection as the operator makes it, and the same region as PIL draws
// it into the 24 x 18 mask 'mask' (top row first).
const struct {
    const char* name;
    const char* mode;
    Mouse draw;
    const char* pilDrawing;
} kSelections[] = {
    {"rectangle", "Rectangle",
     [](QWidget& port, QAbstractScrollArea& view) {
         QTest::mousePress(&port, Qt::LeftButton, {}, At(view, 3, 2));
         QTest::mouseMove(&port, At(view, 15, 11));
         QTest::mouseRelease(&port, Qt::LeftButton, {}, At(view, 15, 11));
     },
     // Columns 3..14 and rows 2..10, both ends included.
     "ImageDraw.Draw(mask).rectangle([3, 2, 14, 10], fill=255)"},
    {"concave polygon", "Polygon",
     [](QWidget& port, QAbstractScrollArea& view) {
         for (auto [x, y] : {std::pair{2, 1}, {21, 5}, {11, 8}, {18, 16}, {2, 13}}) {
             QTest::mouseClick(&port, Qt::LeftButton, {}, At(view, x, y));
         }
         QTest::mouseDClick(&port, Qt::LeftButton, {}, At(view, 2, 13));
     },
     // The pixels whose centres the outline holds (no centre lies on an edge).
     "corners = [(2, 1), (21, 5), (11, 8), (18, 16), (2, 13)]\n"
     "def inside(px, py):\n"
     "    result = False\n"
     "    for (ax, ay), (bx, by) in zip(corners, corners[1:] + corners[:1]):\n"
     "        if (ay <= py) != (by <= py) and px < ax + (py - ay) * (bx - ax) / (by - ay):\n"
     "            result = not result\n"
     "    return result\n"
     "mask.putdata([255 if inside(x + 0.5, y + 0.5) else 0 for y in range(18) for x in "
     "range(24)])"},
    {"magic wand", "Magic Wand",
     [](QWidget& port, QAbstractScrollArea& view) {
         QTest::mouseClick(&port, Qt::LeftButton, {}, At(view, 8.5, 6.5));
     },
     // The flat blue block around the click.
     "ImageDraw.Draw(mask).rectangle([5, 4, 11, 9], fill=255)"}};

TEST_F(EndToEndCropTest, EachSelectionDrawnWithTheMouseCropsAsTheCommandLineDoes) {
    for (const auto& selection : kSelections) {
        PilScript(work,
                  std::string("from PIL import ImageDraw\nmask = Image.new('L', (24, 18))\n") +
                      selection.pilDrawing + "\nmask.save('mask.png')\n");
        for (int softness : {0, 30}) {
            SCOPED_TRACE(std::string(selection.name) + ", softness " + std::to_string(softness));
            host.activeImage->SetPicture(kWidth, kHeight, BlockPicture());
            CropRun([&](QWidget& crop) {
                for (QRadioButton* mode : crop.findChildren<QRadioButton*>()) {
                    if (mode->text() == selection.mode) mode->click();
                }
                auto* view = crop.findChild<QAbstractScrollArea*>();
                ASSERT_NE(view, nullptr);
                selection.draw(*view->viewport(), *view);
                SetSoftness(crop, softness);
                ModalRobot::Click(crop, "Crop");
            });
            const std::vector<uint8_t>& cropped = host.activeImage->Pixels();
            EXPECT_EQ(cropped, CommandLineCrop("--mask " + work.File("mask.png"), softness));
            // The mask the dialog wrote, and the selection its OK kept, crop alike.
            EXPECT_EQ(cropped, CommandLineCrop("--mask " + DataFile("tintoraOut.tga"), softness));
            EXPECT_EQ(cropped,
                      CommandLineCrop("--selection " + DataFile("TintoraPresetCrop"), softness));
        }
    }
    // The tools dialog's OK stored the kept selection with slot 0.
    EXPECT_TRUE(std::filesystem::exists(DataFile("TintoraPresetCrop.0")));
}

}  // namespace
