#pragma once
// Runs a script in the host, step by step from the event loop. A step that
// opens a modal dialog (a menu item, a property editor, a button) runs the
// dialog's loop inside it; the steps after it then run from inside that
// loop, so they can work the dialog, until one of them ends it. When the
// script ends, or a step fails or waits longer than the time-out, the
// application's loops all end: with 0 when every step passed, else 1 after
// printing the failing line and the reason.

#include <QElapsedTimer>
#include <QObject>
#include <string>
#include <vector>

#include "apps/tarsel-host/ScriptParser.h"

namespace tarsel_host {

class HostWindow;

class ScriptRunner {
public:
    ScriptRunner(HostWindow& window, std::string scriptName, std::vector<ScriptCommand> commands);
    void Start();
    // 0 when every step passed, else 1.
    int Status() const { return m_status; }

private:
    void Tick();
    void ScheduleTick();
    // Whether the step can run now; otherwise what it waits for.
    bool Ready(const ScriptCommand& command, std::string& waitingFor);
    std::string Run(const ScriptCommand& command);
    std::string RunHost(const ScriptCommand& command);
    std::string RunDialog(const ScriptCommand& command, QWidget* dialog);
    std::string RunMessage(const ScriptCommand& command, QWidget* box);
    std::string RunAny(const ScriptCommand& command);
    std::string Screenshot(const std::string& what, const std::string& path);
    void Fail(const ScriptCommand& command, const std::string& reason);
    void End(int status);

    HostWindow& m_window;
    std::string m_scriptName;
    std::vector<ScriptCommand> m_commands;
    // Owns the pending tick. Each tick is a timer of its own, since a timer
    // does not fire again in a dialog's loop that its own handler started.
    QObject m_ticks;
    size_t m_next = 0;
    // Steps under way; a step waiting in a dialog's loop counts.
    int m_running = 0;
    QElapsedTimer m_waiting;
    qint64 m_waitUntil = -1;
    int m_timeoutMs = 30000;
    bool m_ended = false;
    int m_status = 1;
};

}  // namespace tarsel_host
