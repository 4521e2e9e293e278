// The host in a real X11 window on an Xvfb server of the test's own: the
// screen's pixels, read back from the server, show the effect's pixels where
// the object sits, while the tools dialog is still open.

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <optional>

#include "tests/support/RandomPictures.h"
#include "tests/tarsel-host/HostProcess.h"

namespace {

// An Xvfb server on a display number it finds free itself.
class XvfbServer {
public:
    XvfbServer() {
        int fds[2];
        if (pipe(fds) != 0) return;
        m_pid = fork();
        if (m_pid == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x900x24",
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        pollfd ready{fds[0], POLLIN, 0};
        std::string number;
        char c;
        while (poll(&ready, 1, 20000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
        close(fds[0]);
        if (!number.empty()) display = ":" + number;
    }
    ~XvfbServer() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
    }
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    std::string display;  // empty when the server did not start

private:
    pid_t m_pid = -1;
};

// Where the picture's opaque pixels appear unchanged in the screen's picture,
// if anywhere. Both are bottom row first.
std::optional<std::pair<int, int>> Find(const Picture& screen, const Picture& picture) {
    auto same = [&](int sx, int sy, int x, int y) {
        const uint8_t* s = &screen.bgra[(size_t(sy + y) * screen.width + sx + x) * 4];
        const uint8_t* p = &picture.bgra[(size_t(y) * picture.width + x) * 4];
        return p[3] != 255 || (s[0] == p[0] && s[1] == p[1] && s[2] == p[2]);
    };
    for (int sy = 0; sy + picture.height <= screen.height; ++sy) {
        for (int sx = 0; sx + picture.width <= screen.width; ++sx) {
            bool all = true;
            for (int y = 0; y < picture.height && all; ++y) {
                for (int x = 0; x < picture.width && all; ++x) all = same(sx, sy, x, y);
            }
            if (all) return std::make_pair(sx, sy);
        }
    }
    return std::nullopt;
}

}  // namespace

TEST_F(HostProcessTest, OnARealX11ScreenTheCanvasShowsTheEffectWhereTheObjectSits) {
    XvfbServer server;
    ASSERT_FALSE(server.display.empty())
        << "Xvfb did not start; scripts/setup.sh installs it (Debian package xvfb)";
    // An opaque picture of random colours.
    std::mt19937 rng(7);
    Picture opaque{64, 48, RandomPicture(rng, 64, 48)};
    for (size_t i = 3; i < opaque.bgra.size(); i += 4) opaque.bgra[i] = 255;
    ASSERT_TRUE(WritePicture(dir.File("opaque.png"), opaque));

    const ProgramRun run = Host(
        "add opaque.png 40 40 p\nzoom 1:1\nguides off\nselect p\nwait 500\n"
        "screenshot screen before.png\n"
        "menu Tools|Tintora\ndialog Tintora\nset 209 6\nclick 206\nwait 500\n"
        "screenshot screen during.png\nclick 1\nsave p result.png\n",
        "--plugin " + kTintoraCtrl, "QT_QPA_PLATFORM=xcb DISPLAY=" + server.display);
    ASSERT_EQ(run.status, 0) << run.output;

    const Picture result = Read("result.png");
    ASSERT_EQ(result.width, 64 + 2 * 6);
    const Picture before = Read("before.png");
    const Picture during = Read("during.png");
    ASSERT_EQ(during.width, 1280);
    EXPECT_TRUE(Find(before, Read("opaque.png"))) << "the picture is on screen before the run";
    EXPECT_FALSE(Find(before, result));
    const auto seen = Find(during, result);
    ASSERT_TRUE(seen) << "the bordered picture is on screen behind the dialog";
    // The picture grew around its centre and stayed where it was.
    const auto original = Find(before, Read("opaque.png"));
    EXPECT_EQ(seen->first, original->first - 6);
    EXPECT_EQ(seen->second, original->second - 6);
}
