#include "apps/tarsel-host/ScriptRunner.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "apps/tarsel-host/CanvasView.h"
#include "apps/tarsel-host/DialogActions.h"
#include "apps/tarsel-host/HostPictures.h"
#include "apps/tarsel-host/HostWindow.h"
#include "apps/tarsel-host/Screenshots.h"

namespace tarsel_host {

namespace {

constexpr int kTickMs = 10;

QMessageBox* OpenMessageBox() {
    return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
}

QWidget* OpenDialog() {
    QWidget* modal = QApplication::activeModalWidget();
    return modal && !qobject_cast<QMessageBox*>(modal) ? modal : nullptr;
}

std::string Quoted(const QString& text) { return "\"" + text.toStdString() + "\""; }

// What is open now, for a step that waited in vain.
std::string OpenWindows() {
    if (QMessageBox* box = OpenMessageBox())
        return "a message box " + Quoted(box->text()) + " is open";
    if (QWidget* dialog = OpenDialog())
        return "the dialog " + Quoted(dialog->windowTitle()) + " is open";
    return "no dialog is open";
}

}  // namespace

ScriptRunner::ScriptRunner(HostWindow& window, std::string scriptName,
                           std::vector<ScriptCommand> commands)
    : m_window(window), m_scriptName(std::move(scriptName)), m_commands(std::move(commands)) {}

void ScriptRunner::Start() {
    m_waiting.start();
    ScheduleTick();
}

void ScriptRunner::ScheduleTick() {
    QTimer::singleShot(kTickMs, &m_ticks, [this] { Tick(); });
}

bool ScriptRunner::Ready(const ScriptCommand& command, std::string& waitingFor) {
    switch (command.context) {
        case ScriptContext::Host:
            waitingFor = "the host to be free";
            return m_running == 0 && m_window.Started() && !QApplication::activeModalWidget();
        case ScriptContext::Dialog:
            if (command.name == "dialog") {
                waitingFor = "the dialog " + Quoted(QString::fromStdString(command.args[0]));
                QWidget* dialog = OpenDialog();
                return dialog && dialog->windowTitle().toStdString() == command.args[0];
            }
            waitingFor = "a dialog";
            return OpenDialog() != nullptr;
        case ScriptContext::MessageBox:
            waitingFor = "a message box";
            return OpenMessageBox() != nullptr;
        case ScriptContext::Any:
            if (command.name != "wait") return true;
            waitingFor = "the wait to pass";
            if (m_waitUntil < 0) m_waitUntil = m_waiting.elapsed() + command.Int(0);
            if (m_waiting.elapsed() < m_waitUntil) return false;
            m_waitUntil = -1;
            return true;
    }
    return false;
}

void ScriptRunner::Tick() {
    if (m_ended) return;
    // The next tick is due also while this one waits in a dialog's loop.
    ScheduleTick();
    if (m_next >= m_commands.size()) {
        if (QApplication::activeModalWidget()) {
            ScriptCommand last = m_commands.empty() ? ScriptCommand{} : m_commands.back();
            Fail(last, "the script ended while " + OpenWindows());
        } else if (m_running == 0) {
            End(0);
        }
        return;
    }
    const ScriptCommand& command = m_commands[m_next];
    std::string waitingFor;
    if (!Ready(command, waitingFor)) {
        if (command.name != "wait" && m_waiting.elapsed() > m_timeoutMs) {
            Fail(command, "waited " + std::to_string(m_timeoutMs / 1000) + " s for " + waitingFor +
                              "; " + OpenWindows());
        }
        return;
    }
    ++m_next;
    ++m_running;
    const std::string error = Run(command);
    --m_running;
    if (!error.empty() && !m_ended) Fail(command, error);
    // The next step's wait starts now, also when this step returns from a dialog's loop.
    m_waiting.restart();
}

std::string ScriptRunner::Run(const ScriptCommand& command) {
    switch (command.context) {
        case ScriptContext::Host: return RunHost(command);
        case ScriptContext::Dialog: return RunDialog(command, OpenDialog());
        case ScriptContext::MessageBox: return RunMessage(command, OpenMessageBox());
        case ScriptContext::Any: return RunAny(command);
    }
    return {};
}

std::string ScriptRunner::RunHost(const ScriptCommand& c) {
    HostScene& scene = m_window.Scene();
    const std::string& name = c.args[0];
    if (c.name == "add")
        return m_window.AddPicture(name, {c.Int(1), c.Int(2)}, c.Has(3) ? c.args[3] : "");
    if (c.name == "menu") return m_window.PickMenu(name);
    if (c.name == "open") return m_window.OpenScene(name);
    if (c.name == "save-scene") return m_window.SaveScene(name);
    if (c.name == "zoom") {
        m_window.Canvas().SetZoom(name == "fit" ? CanvasView::Zoom::Fit : CanvasView::Zoom::Actual);
        return {};
    }
    if (c.name == "guides") {
        m_window.Canvas().ShowGuides(name == "on");
        return {};
    }
    SceneItem* item = scene.Find(name);
    if (c.name == "select" && name == "none" && !item) {
        scene.Select(nullptr);
        return {};
    }
    if (!item) return "there is no object " + Quoted(QString::fromStdString(name));
    if (c.name == "select") {
        scene.Select(item);
    } else if (c.name == "move") {
        scene.Move(*item, {c.Int(1), c.Int(2)});
    } else if (c.name == "editor") {
        std::string plugin = c.Has(1) ? c.args[1] : std::string();
        for (const PluginProperty& p : m_window.Plugins().PropertiesFor(kClass2DObject)) {
            if (plugin.empty() && m_window.Plugins().EditorFor(p.pluginName, kClass2DObject)) {
                plugin = p.pluginName;
            }
        }
        if (plugin.empty()) return "no plug-in registered a property editor for 2D objects";
        return m_window.OpenEditor(*item, plugin);
    }
    return {};
}

std::string ScriptRunner::RunDialog(const ScriptCommand& c, QWidget* dialog) {
    if (!dialog) return "no dialog is open";
    if (c.name == "dialog") return {};
    if (c.name == "close") {
        dialog->close();
        return {};
    }
    const int id = c.Int(0);
    if (c.name == "set") return SetControlText(dialog, id, c.args[1]);
    if (c.name == "click") return ClickControl(dialog, id);
    if (c.name == "pick") return PickEntry(dialog, id, c.args[1]);
    if (c.name == "slide") return MoveSlider(dialog, id, c.Int(1));
    const QPoint from(c.Int(1), c.Int(2));
    if (c.name == "drag") {
        return UseMouse(dialog, id, MouseAction::Drag, from, {c.Int(3), c.Int(4)},
                        c.Has(5) ? c.args[5] : "left");
    }
    return UseMouse(dialog, id, c.name == "press" ? MouseAction::Press : MouseAction::Release, from,
                    from, c.Has(3) ? c.args[3] : "left");
}

std::string ScriptRunner::RunMessage(const ScriptCommand& c, QWidget* window) {
    auto* box = qobject_cast<QMessageBox*>(window);
    if (!box) return "no message box is open";
    if (box->text().toStdString() != c.args[0]) {
        return "the message box says " + Quoted(box->text());
    }
    QAbstractButton* chosen = box->defaultButton();
    for (QAbstractButton* button : box->buttons()) {
        if (!chosen) chosen = button;
        if (c.Has(1) && QString(button->text()).remove('&').toStdString() == c.args[1]) {
            chosen = button;
        }
    }
    if (c.Has(1) && (!chosen || QString(chosen->text()).remove('&').toStdString() != c.args[1])) {
        return "the message box has no button " + Quoted(QString::fromStdString(c.args[1]));
    }
    if (!chosen) return "the message box has no button";
    chosen->click();
    return {};
}

std::string ScriptRunner::RunAny(const ScriptCommand& c) {
    if (c.name == "wait") return {};
    if (c.name == "timeout") {
        m_timeoutMs = std::max(1, c.Int(0)) * 1000;
        return {};
    }
    if (c.name == "export") return m_window.ExportFrame(c.args[0]);
    if (c.name == "screenshot") return Screenshot(c.args[0], c.args[1]);
    // save NAME FILE
    const SceneItem* item = m_window.Scene().Find(c.args[0]);
    if (!item) return "there is no object " + Quoted(QString::fromStdString(c.args[0]));
    return m_window.SavePicture(*item, c.args[1]);
}

std::string ScriptRunner::Screenshot(const std::string& what, const std::string& path) {
    QImage picture;
    if (what == "main") {
        picture = m_window.grab().toImage();
    } else if (what == "all") {
        picture = GrabWithDialogs(&m_window);
    } else if (what == "screen") {
        picture = GrabScreen(&m_window);
    } else {
        QWidget* open = QApplication::activeModalWidget();
        if (!open) return "no dialog is open";
        picture = open->grab().toImage();
    }
    return WriteImagePng(picture, path);
}

void ScriptRunner::Fail(const ScriptCommand& command, const std::string& reason) {
    std::string text = m_scriptName;
    if (command.line > 0) text += ":" + std::to_string(command.line) + ": " + command.name;
    std::fprintf(stderr, "%s: %s\n", text.c_str(), reason.c_str());
    End(1);
}

void ScriptRunner::End(int status) {
    if (m_ended) return;
    m_ended = true;
    m_status = status;
    if (status == 0) std::printf("%s: %zu steps passed\n", m_scriptName.c_str(), m_commands.size());
    std::fflush(stdout);
    // Ends every loop, a dialog's under way included; dialogs opened after
    // this end at once.
    QCoreApplication::exit(status);
}

}  // namespace tarsel_host
