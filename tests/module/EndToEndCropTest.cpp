// The crop dialog from the module file: a tool run's Crop button opens it,
// the operator draws in its view with the mouse, and the host's picture ends
// up as the command line's crop with the same mask.

#include <QAbstractScrollArea>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "platform/automation/ComPtr.h"
#include "tests/module/ModalRobot.h"
#include "tests/module/ModuleProcess.h"
#include "tests/module/StandInHost.h"
#include "tests/support/DispatchCalls.h"
#include "tests/support/PilScript.h"

namespace {

constexpr int kWidth = 24;
constexpr int kHeight = 18;
// The view fits so small a picture at its largest zoom: 10 screen pixels a pixel.
constexpr int kScale = 10;

// Noise with a flat blue block at columns 5..11, rows 4..9 from the top.
std::vector<uint8_t> Picture() {
    std::vector<uint8_t> bytes(size_t(kWidth) * kHeight * 4);
    for (int row = 0; row < kHeight; ++row) {
        const int y = kHeight - 1 - row;
        for (int x = 0; x < kWidth; ++x) {
            uint8_t* p = &bytes[(size_t(row) * kWidth + x) * 4];
            const bool block = x >= 5 && x < 12 && y >= 4 && y < 10;
            p[0] = block ? 220 : uint8_t((x * 13 + y * 7) % 40);
            p[1] = block ? 40 : uint8_t(180 + (y * 5) % 60);
            p[2] = block ? 20 : uint8_t(200 + (x * 7) % 50);
            p[3] = 255;
        }
    }
    return bytes;
}

// The module's data folder is the test's own (see ModuleProcessTest).
class EndToEndCropTest : public ModuleProcessTest {
protected:
    void SetUp() override {
        ModuleProcessTest::SetUp();
        std::filesystem::create_directories(DataFolder());
        Register();
        control = CreateByProgId<IDispatch>(u"Pellux.VOKSlet.RastelCtrl.1", IID_IDispatch);
        ASSERT_TRUE(control);
        host.activeImage->SetPicture(kWidth, kHeight, Picture());
        VARIANT_BOOL status = VARIANT_FALSE;
        CallResult(control.Get(), "OnInitialize",
                   {DispatchArg(host.application.Get()), BoolOut(&status)});
    }
    void TearDown() override {
        control.Reset();
        ModuleProcessTest::TearDown();
    }
    const std::filesystem::path& DataFolder() const { return m_module.dataFolder; }

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
        EXPECT_EQ(robot.messageBoxes, std::vector<std::string>{});
    }

    // What the command line makes of the picture with a mask drawn by PIL.
    std::vector<uint8_t> CommandLineCrop(const std::string& pilDrawing, int softness) {
        TempDir work;
        std::ofstream(work.File("in.bgra"), std::ios::binary)
            .write(reinterpret_cast<const char*>(Picture().data()), kWidth * kHeight * 4);
        PilScript(work, "from PIL import ImageDraw\nmask = Image.new('L', (24, 18))\n" +
                            pilDrawing + "\nmask.save('mask.png')\n");
        const ProgramRun run =
            RunProgram(Quoted(TINTORA_CLI) + " apply crop --mask " + work.File("mask.png") +
                       " --softness " + std::to_string(softness) + " --input-size 24x18 " +
                       work.File("in.bgra") + " " + work.File("out.bgra"));
        EXPECT_EQ(run.status, 0) << run.output;
        std::ifstream in(work.File("out.bgra"), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Where a point of the picture is in the view: the fitted picture sits in its middle.
    static QPoint At(QAbstractScrollArea& view, int x, int y) {
        const QSize port = view.viewport()->size();
        return {(port.width() - kWidth * kScale) / 2 + x * kScale,
                (port.height() - kHeight * kScale) / 2 + y * kScale};
    }
    static void SetSoftness(QWidget& crop, int softness) {
        for (QToolButton* arrow : crop.findChildren<QToolButton*>()) {
            if (arrow->arrowType() != Qt::UpArrow) continue;
            for (int i = 0; i < softness; ++i) arrow->click();
        }
    }

    StandInHost host;
    ComPtr<IDispatch> control;
};

TEST_F(EndToEndCropTest, ARectangleDrawnWithTheMouseCropsAsTheCommandLineDoesWithItsMask) {
    for (int softness : {0, 30}) {
        host.activeImage->SetPicture(kWidth, kHeight, Picture());
        CropRun([&](QWidget& crop) {
            auto* view = crop.findChild<QAbstractScrollArea*>();
            ASSERT_NE(view, nullptr);
            QTest::mousePress(view->viewport(), Qt::LeftButton, {}, At(*view, 3, 2));
            QTest::mouseMove(view->viewport(), At(*view, 15, 11));
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, At(*view, 15, 11));
            SetSoftness(crop, softness);
            ModalRobot::Click(crop, "Crop");
        });
        // Columns 3..14 and rows 2..10 from the top, both ends included.
        EXPECT_EQ(
            host.activeImage->Pixels(),
            CommandLineCrop("ImageDraw.Draw(mask).rectangle([3, 2, 14, 10], fill=255)", softness))
            << "softness " << softness;
    }
    // OK kept the selection, and the tools dialog's OK stored it with slot 0.
    EXPECT_TRUE(std::filesystem::exists(DataFolder() / "TintoraPresetCrop"));
    EXPECT_TRUE(std::filesystem::exists(DataFolder() / "TintoraPresetCrop.0"));
}

}  // namespace
