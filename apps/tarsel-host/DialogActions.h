#pragma once
// Works the controls of an open dialog by control id, as the operator would:
// each action goes through the widget, so the dialog gets the notifications
// it gets from a person. Each returns "" or why it could not be done.

#include <QPoint>
#include <string>

class QWidget;

namespace tarsel_host {

std::string SetControlText(QWidget* dialog, int id, const std::string& text);
// A push button, check box or radio button.
std::string ClickControl(QWidget* dialog, int id);
// The list entry with this text.
std::string PickEntry(QWidget* dialog, int id, const std::string& entry);
std::string MoveSlider(QWidget* dialog, int id, int value);

enum class MouseAction { Press, Release, Drag };
// Mouse buttons in a control at its own pixel coordinates ("left", "right",
// "middle"); a drag presses at from, moves to to in steps and releases there.
std::string UseMouse(QWidget* dialog, int id, MouseAction action, QPoint from, QPoint to,
                     const std::string& button);

}  // namespace tarsel_host
