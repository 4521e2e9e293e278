// tarsel-host: a stand-in for the Tarsel broadcast graphics host. A canvas with
// a scene of 2D objects, and the plug-ins of its plug-in list, created through
// the class registry and driven only through late-bound dispatch calls.
// With --script it runs a script and exits with its result.

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "apps/tarsel-host/HostOptions.h"
#include "apps/tarsel-host/HostWindow.h"
#include "apps/tarsel-host/ScriptParser.h"
#include "apps/tarsel-host/ScriptRunner.h"
#include "engine/ImageLibrary.h"
#include "platform/files/WholeFile.h"

namespace {

constexpr int kUsageError = 2;

// Warnings of the window system that say nothing about the host (the
// offscreen platform's missing size hints, a missing runtime folder) would
// bury a script's own output.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    for (const char* noise : {"This plugin does not support", "QStandardPaths:"}) {
        if (message.startsWith(noise)) return;
    }
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

bool HasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tarsel_host;
    const HostOptions options = ParseHostOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (options.help) {
        std::fputs(HostUsage().c_str(), stdout);
        return 0;
    }
    if (!options.error.empty()) {
        std::fprintf(stderr, "tarsel-host: %s\n%s", options.error.c_str(), HostUsage().c_str());
        return kUsageError;
    }

    engine::SetUpImageLibrary();
    ParsedScript script;
    if (!options.script.empty()) {
        constexpr uint64_t kMaxScriptBytes = 16 << 20;
        const files::WholeFile file = files::ReadWholeFile(options.script, kMaxScriptBytes);
        if (!file) {
            std::fprintf(stderr, "tarsel-host: cannot read the script %s\n",
                         options.script.c_str());
            return kUsageError;
        }
        script = ParseScript(file.bytes);
        if (!script.error.empty()) {
            std::fprintf(stderr, "%s:%d: %s\n", options.script.c_str(), script.errorLine,
                         script.error.c_str());
            return 1;
        }
        // A script needs no one to look at it.
        if (!HasDisplay()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        qInstallMessageHandler(QuietMessages);
    } else if (!HasDisplay()) {
        std::fprintf(stderr,
                     "tarsel-host: there is no display; run a script with --script FILE to work "
                     "without one\n");
        return kUsageError;
    }

    // Qt reads options of its own (-plugin among them); the host's are its own.
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    QApplication::setApplicationName("Tarsel");
    HostWindow window;
    window.show();

    std::unique_ptr<ScriptRunner> runner;
    if (!options.script.empty()) {
        runner = std::make_unique<ScriptRunner>(window, options.script, script.commands);
        runner->Start();
    }
    // Plug-ins load from the event loop, so that a script can answer their messages.
    QTimer::singleShot(0, &window, [&] { window.Start(options); });
    const int status = application.exec();
    return runner ? runner->Status() : status;
}
