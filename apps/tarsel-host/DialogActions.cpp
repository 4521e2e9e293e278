#include "apps/tarsel-host/DialogActions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSlider>

#include "platform/ui/DialogControlIds.h"

namespace tarsel_host {

namespace {

// The control, or null with the reason in error.
QWidget* Control(QWidget* dialog, int id, std::string& error) {
    QWidget* control = FindDialogControl(dialog, id);
    if (!control) {
        error = "the dialog \"" + dialog->windowTitle().toStdString() + "\" has no control " +
                std::to_string(id);
    } else if (!control->isEnabled()) {
        error = "control " + std::to_string(id) + " is disabled";
        control = nullptr;
    }
    return control;
}

std::string NotA(int id, const char* kind) {
    return "control " + std::to_string(id) + " is not " + kind;
}

Qt::MouseButton ButtonNamed(const std::string& name) {
    if (name == "right") return Qt::RightButton;
    if (name == "middle") return Qt::MiddleButton;
    return Qt::LeftButton;
}

void SendMouse(QWidget* control, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    // The event goes to the innermost widget at the point, as the window system's would.
    QWidget* target = control->childAt(at);
    if (!target) target = control;
    const QPointF local = target->mapFrom(control, at);
    QMouseEvent event(type, local, target->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

}  // namespace

std::string SetControlText(QWidget* dialog, int id, const std::string& text) {
    std::string error;
    QWidget* control = Control(dialog, id, error);
    if (!control) return error;
    auto* edit = qobject_cast<QLineEdit*>(control);
    if (!edit) return NotA(id, "an edit");
    if (edit->isReadOnly()) return "edit " + std::to_string(id) + " is read-only";
    edit->setFocus(Qt::OtherFocusReason);
    edit->setText(QString::fromStdString(text));
    return {};
}

std::string ClickControl(QWidget* dialog, int id) {
    std::string error;
    QWidget* control = Control(dialog, id, error);
    if (!control) return error;
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (!button) return NotA(id, "a button");
    button->click();
    return {};
}

std::string PickEntry(QWidget* dialog, int id, const std::string& entry) {
    std::string error;
    QWidget* control = Control(dialog, id, error);
    if (!control) return error;
    auto* list = qobject_cast<QComboBox*>(control);
    if (!list) return NotA(id, "a list");
    const int index = list->findText(QString::fromStdString(entry), Qt::MatchExactly);
    if (index < 0) return "list " + std::to_string(id) + " has no entry \"" + entry + "\"";
    list->setCurrentIndex(index);
    emit list->activated(index);
    return {};
}

std::string MoveSlider(QWidget* dialog, int id, int value) {
    std::string error;
    QWidget* control = Control(dialog, id, error);
    if (!control) return error;
    auto* slider = qobject_cast<QSlider*>(control);
    if (!slider) return NotA(id, "a slider");
    if (value < slider->minimum() || value > slider->maximum()) {
        return "slider " + std::to_string(id) + " runs from " + std::to_string(slider->minimum()) +
               " to " + std::to_string(slider->maximum());
    }
    slider->setValue(value);
    return {};
}

std::string UseMouse(QWidget* dialog, int id, MouseAction action, QPoint from, QPoint to,
                     const std::string& buttonName) {
    std::string error;
    QWidget* control = Control(dialog, id, error);
    if (!control) return error;
    for (QPoint point : {from, to}) {
        if (!control->rect().contains(point)) {
            return "point " + std::to_string(point.x()) + "," + std::to_string(point.y()) +
                   " lies outside control " + std::to_string(id) + " (" +
                   std::to_string(control->width()) + "x" + std::to_string(control->height()) + ")";
        }
    }
    const Qt::MouseButton button = ButtonNamed(buttonName);
    switch (action) {
        case MouseAction::Press:
            SendMouse(control, QEvent::MouseButtonPress, from, button, button);
            break;
        case MouseAction::Release:
            SendMouse(control, QEvent::MouseButtonRelease, from, button, Qt::NoButton);
            break;
        case MouseAction::Drag: {
            constexpr int kSteps = 8;
            SendMouse(control, QEvent::MouseButtonPress, from, button, button);
            for (int step = 1; step <= kSteps; ++step) {
                const QPoint at = from + (to - from) * step / kSteps;
                SendMouse(control, QEvent::MouseMove, at, Qt::NoButton, button);
            }
            SendMouse(control, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
            break;
        }
    }
    return {};
}

}  // namespace tarsel_host
