// The host program with the real module file, worked by scripts through the
// tools dialog on the offscreen platform.

#include "tests/tarsel-host/HostProcess.h"

namespace {

// Picks Tools > Tintora on the selected object; the lines after it run in the tools dialog.
const std::string kOpenTools = "add sample.png 100 100 badge\nselect badge\nmenu Tools|Tintora\n";

}  // namespace

// The property editor edits its own object, not the selected one; then border
// and shadow through the menu on the selected object.
TEST_F(HostProcessTest, ToolRunsByMenuAndPropertyEditorGiveTheCommandLinesBytesOnTheirObject) {
    const ProgramRun run = Host(
        "add sample.png 100 100 badge\nadd sample.png 600 100 owner\nselect badge\n"
        "editor owner\ndialog Tintora\nset 209 3\nclick 206\nclick 1\n"
        "save badge untouched.png\nsave owner owner.png\nmenu Tools|Tintora\n"
        "set 209 5\nset 247 2\nset 212 30\nclick 206\nset 207 7\nset 211 -4\nset 236 3\n"
        "click 205\nclick 1\nsave badge host.png\n");
    ASSERT_EQ(run.status, 0) << run.output;
    for (const char* apply : {"border --size 3 sample.png owner-border.png",
                              "border --size 5 --blur 2 --transp 30 sample.png border.png",
                              "shadow --x 7 --y -4 --blur 3 --transp 30 border.png both.png"}) {
        ASSERT_EQ(Tintora(std::string("apply ") + apply).status, 0) << apply;
    }
    EXPECT_TRUE(SamePicture(Read("untouched.png"), Read("sample.png")));
    EXPECT_TRUE(SamePicture(Read("owner.png"), Read("owner-border.png")));
    const Picture host = Read("host.png");
    EXPECT_TRUE(SamePicture(host, Read("both.png")))
        << host.width << "x" << host.height << " from the host";
}

TEST_F(HostProcessTest, APluginThatCannotLoadGivesOneMessageAndTheHostRunsOn) {
    const ProgramRun run = Host(
        "message \"The plug-in No.Such.Plugin.1 could not be loaded: it is not registered. "
        "Tarsel runs on without it.\"\n" +
            kOpenTools + "click 1\n",
        "--plugin No.Such.Plugin.1 --plugin " + kTintoraCtrl);
    EXPECT_EQ(run.status, 0) << run.output;

    // The list kept the plug-in that loaded and not the other: no message this time.
    const ProgramRun again = Host("timeout 5\n" + kOpenTools + "click 1\n", "");
    EXPECT_EQ(again.status, 0) << again.output;
}

TEST_F(HostProcessTest, AFailingStepEndsTheRunWith1AndNamesItsLine) {
    // Every script starts with "timeout 5" on line 1.
    const struct {
        const char* name;
        std::string script, message;
    } cases[] = {
        {"unknown command", "add sample.png 0 0\nclikc 1\n",
         "test.tscript:3: unknown command \"clikc\""},
        {"no such control", kOpenTools + "click 999\n",
         "test.tscript:5: click: the dialog \"Tintora\" has no control 999"},
        {"other message", kOpenTools + "set 207 150\nclick 205\nmessage \"Out of Memory\"\n",
         "test.tscript:7: message: the message box says \"Please enter an integer betoween -100 "
         "and 100.\""},
        {"dialog left open", kOpenTools + "set 209 2\n",
         "the script ended while the dialog \"Tintora\" is open"},
        {"no such object", "select ghost\n",
         "test.tscript:2: select: there is no object \"ghost\""},
        {"no such file", "add missing.png 0 0\n",
         "test.tscript:2: add: Cannot add the picture: missing.png: the file does not exist."}};
    for (const auto& c : cases) {
        const ProgramRun run = Host("timeout 5\n" + c.script);
        EXPECT_EQ(run.status, 1) << c.name;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << c.name << ":\n" << run.output;
    }
}

TEST_F(HostProcessTest, ASavedSceneOpensAsItWasSaved) {
    const ProgramRun first = Host(
        "add sample.png 10 20 a\nadd sample.png 300 -40 b\nmove a 15 25\n"
        "save-scene scene.tscene\nexport saved.png\n");
    ASSERT_EQ(first.status, 0) << first.output;
    const ProgramRun run = Host("export opened.png\nsave b b.png\n", "scene.tscene");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(SamePicture(Read("opened.png"), Read("saved.png")));
    EXPECT_TRUE(SamePicture(Read("b.png"), Read("sample.png")));
    const Picture frame = Read("saved.png");
    EXPECT_EQ(std::tuple(frame.width, frame.height), std::tuple(1920, 1080));
}
