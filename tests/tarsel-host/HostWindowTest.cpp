// The host's window, scene and dialog driving on the offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <fstream>

#include "apps/tarsel-host/CanvasView.h"
#include "apps/tarsel-host/DialogActions.h"
#include "apps/tarsel-host/HostWindow.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CustomControls.h"
#include "tests/support/DispatchCalls.h"
#include "tests/support/TempDir.h"

using namespace tarsel_host;

namespace {

// A picture whose bottom row (first in memory) is red and every other row blue.
Picture RedBottom(int32_t width, int32_t height) {
    Picture picture{width, height, std::vector<uint8_t>(size_t(width) * height * 4)};
    for (size_t i = 0; i < picture.bgra.size(); i += 4) {
        const bool bottom = i < size_t(width) * 4;
        picture.bgra[i] = bottom ? 0 : 255;
        picture.bgra[i + 2] = bottom ? 255 : 0;
        picture.bgra[i + 3] = 255;
    }
    return picture;
}

}  // namespace

TEST(HostScene, TheSelectionIsTheActiveObjectAndAnAssignedPictureStaysCentred) {
    HostScene scene;
    int changes = 0;
    scene.onChanged = [&] { ++changes; };
    SceneItem& item = scene.Add("badge", {100, 50}, RedBottom(4, 2));
    EXPECT_EQ(scene.Add("badge", {0, 0}, RedBottom(1, 1)).Name(), "badge 2");
    scene.Select(&item);

    // Read and assigned through IDispatch, as a plug-in does.
    constexpr WORD kGet = DISPATCH_PROPERTYGET, kPut = DISPATCH_PROPERTYPUT;
    const CallResult canvas(scene.Application(), "ActiveCanvas", {}, kGet);
    const CallResult plugScene(canvas.value.pdispVal, "Scene", {}, kGet);
    EXPECT_EQ(CallResult(plugScene.value.pdispVal, "ActiveObject", {}, kGet).value.pdispVal,
              item.Object());

    auto* grown = tarsel::TarselImage::Create(10, 6, RedBottom(10, 6).bgra);
    changes = 0;
    EXPECT_EQ(CallResult(item.Element(), "RGBAImage", {DispatchArg(grown)}, kPut).hr, S_OK);
    grown->Release();
    EXPECT_EQ((std::tuple{changes, item.Rect()}), (std::tuple{1, QRect(97, 48, 10, 6)}));
    // Drawn upright: the red bottom row of memory is the image's last row.
    EXPECT_EQ(item.Image().pixelColor(0, 5), QColor(255, 0, 0));
    EXPECT_EQ(item.Image().pixelColor(0, 0), QColor(0, 0, 255));
    EXPECT_EQ(scene.ItemAt({97, 48}), &item);
    EXPECT_EQ(scene.ItemAt({96, 48}), nullptr);
}

TEST(HostWindow, TheExportedFrameHoldsEachPictureWhereItSits) {
    HostWindow window;
    window.Scene().Add("a", {10, 20}, RedBottom(3, 2));
    const QImage frame = window.RenderFrame();
    EXPECT_EQ(frame.size(), QSize(1920, 1080));
    EXPECT_EQ(frame.pixelColor(10, 21), QColor(255, 0, 0));
    EXPECT_EQ(frame.pixelColor(12, 20), QColor(0, 0, 255));
    EXPECT_EQ(frame.pixelColor(13, 20).alpha(), 0);
    EXPECT_EQ(window.ExportFrame("frame.tga"),
              "Cannot export the frame: it is exported as PNG, not as frame.tga.");
    EXPECT_EQ(window.PickMenu("Tools|Nothing"), "There is no menu item Tools|Nothing.");
    EXPECT_EQ(window.PickMenu("Tools|(no plug-ins)"),
              "The menu item Tools|(no plug-ins) is disabled.");
}

TEST(HostWindow, ADroppedPictureLandsWhereItFellAndTheMouseSelectsAndMovesIt) {
    TempDir dir;
    ASSERT_TRUE(WritePicture(dir.File("drop.png"), RedBottom(20, 10)));
    std::ofstream(dir.File("notes.txt")) << "not a picture";
    HostWindow window;
    window.show();
    CanvasView& canvas = window.Canvas();
    canvas.SetZoom(CanvasView::Zoom::Actual);  // a view pixel is a frame pixel
    QWidget* view = canvas.viewport();

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir.File("notes.txt"))),
                   QUrl::fromLocalFile(QString::fromStdString(dir.File("drop.png")))});
    QDropEvent drop(QPointF(200, 150), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    // The window system delivers a drop only after the drag entered.
    QDragEnterEvent enter(QPoint(200, 150), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QApplication::sendEvent(view, &drop);
    ASSERT_EQ(window.Scene().Items().size(), 1u);
    SceneItem* item = window.Scene().Items()[0].get();
    EXPECT_EQ(item->Rect(), QRect(190, 145, 20, 10));
    EXPECT_EQ(window.Scene().Selected(), item);

    auto mouse = [&](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, view->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(view, &event);
    };
    mouse(QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton);
    EXPECT_EQ(window.Scene().Selected(), nullptr);
    mouse(QEvent::MouseButtonRelease, {5, 5}, Qt::NoButton);
    mouse(QEvent::MouseButtonPress, {195, 150}, Qt::LeftButton);
    mouse(QEvent::MouseMove, {215, 160}, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {215, 160}, Qt::NoButton);
    EXPECT_EQ(window.Scene().Selected(), item);
    EXPECT_EQ(item->Position(), QPoint(210, 155));
}

TEST(HostWindow, ASceneThatCannotBeReadLeavesTheOpenOneAsItWas) {
    TempDir dir;
    HostWindow window;
    window.Scene().Add("kept", {1, 2}, RedBottom(2, 2));
    ASSERT_EQ(window.SaveScene(dir.File("good.tscene")), "");
    std::ofstream(dir.File("bad.tscene")) << "{\"format\": \"tarsel-scene\", \"version\": 1}";
    EXPECT_EQ(window.OpenScene(dir.File("bad.tscene")),
              "Cannot open the scene " + dir.File("bad.tscene") +
                  ": its frame size is missing or out of range.");
    EXPECT_EQ(window.OpenScene(dir.File("none.tscene")),
              "Cannot open the scene " + dir.File("none.tscene") + ": there is no such file.");
    ASSERT_EQ(window.Scene().Items().size(), 1u);
    EXPECT_EQ(window.Scene().Items()[0]->Name(), "kept");

    window.Scene().Add("later", {0, 0}, RedBottom(1, 1));
    ASSERT_EQ(window.OpenScene(dir.File("good.tscene")), "");
    ASSERT_EQ(window.Scene().Items().size(), 1u);
    EXPECT_EQ(window.Scene().Items()[0]->Rect(), QRect(1, 2, 2, 2));
}

namespace {

// A control that records the mouse as a crop view would see it.
class MouseRecorder : public QWidget {
public:
    using QWidget::QWidget;
    std::vector<std::string> events;

protected:
    void mousePressEvent(QMouseEvent* e) override { Record("press", e); }
    void mouseMoveEvent(QMouseEvent* e) override { Record("move", e); }
    void mouseReleaseEvent(QMouseEvent* e) override { Record("release", e); }

private:
    void Record(const char* what, QMouseEvent* e) {
        events.push_back(std::string(what) + " " + std::to_string(e->position().toPoint().x()) +
                         "," + std::to_string(e->position().toPoint().y()) +
                         (e->buttons() & Qt::RightButton ? " right" : ""));
    }
};

class ProbeDialog : public CDialog {
public:
    ProbeDialog() : CDialog(Template()) {
        MapCommand(12, CBN_SELCHANGE, [this] { picked = GetDlgItemText(12); });
        MapHScroll([this](UINT, int position, CWnd*) { slid = position; });
    }
    static DialogTemplate Template() {
        DialogTemplate t;
        t.caption = "Probe", t.cx = 200, t.cy = 120;
        t.items = {rc::EditText(10, 5, 5, 60, 14),
                   rc::ComboBox(12, 5, 25, 60, 60, CBS_DROPDOWNLIST, {"One", "Two"}),
                   rc::Trackbar(13, 5, 45, 100, 14, 0),
                   rc::Custom("MouseRecorder", 14, 5, 65, 80, 40),
                   rc::EditText(15, 120, 5, 60, 14, WS_DISABLED)};
        return t;
    }
    std::string picked;
    int slid = -1;
};

}  // namespace

TEST(DialogActions, ADialogIsCentredOnTheMainWindowAndEachActionReachesItAsTheOperatorsWould) {
    RegisterCustomControl("MouseRecorder",
                          [](QWidget* parent) { return new MouseRecorder(parent); });
    HostWindow main;
    main.move(40, 30);
    main.show();
    ProbeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    QWidget* window = dialog.Window();
    // Without a parent of its own it belongs to the main window.
    EXPECT_EQ(window->parentWidget(), &main);
    window->show();
    const QPoint offset = window->geometry().center() - main.geometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();

    // Typing and clicking are worked through the real host by its script tests.
    EXPECT_EQ((std::tuple{PickEntry(window, 12, "Two"), dialog.picked}), (std::tuple{"", "Two"}));
    EXPECT_EQ((std::tuple{MoveSlider(window, 13, 30), dialog.slid}), (std::tuple{"", 30}));
    EXPECT_EQ(UseMouse(window, 14, MouseAction::Drag, {2, 3}, {18, 35}, "right"), "");
    auto* recorder = static_cast<MouseRecorder*>(dialog.GetDlgItem(14)->GetWidget());
    ASSERT_EQ(recorder->events.size(), 10u);
    EXPECT_EQ(recorder->events.front(), "press 2,3 right");
    EXPECT_EQ(recorder->events.back(), "release 18,35");

    // clang-format off
    const struct { const char* name; std::string error; std::string expected; } refusals[] = {
        {"disabled", SetControlText(window, 15, "x"), "control 15 is disabled"},
        {"not a button", ClickControl(window, 10), "control 10 is not a button"},
        {"no such entry", PickEntry(window, 12, "Three"), "list 12 has no entry \"Three\""},
        {"out of range", MoveSlider(window, 13, 100), "slider 13 runs from 0 to 99"},
        {"outside", UseMouse(window, 14, MouseAction::Press, {500, 1}, {500, 1}, "left"),
         "point 500,1 lies outside control 14 (" + std::to_string(recorder->width()) + "x" +
             std::to_string(recorder->height()) + ")"}
    };
    // clang-format on
    for (const auto& r : refusals) EXPECT_EQ(r.error, r.expected) << r.name;
}
