#pragma once
// Window classes that templates name for custom items (such as an embedded
// image view); each makes the widget for one item.

#include <functional>
#include <string>

class QWidget;

using CustomControlFactory = std::function<QWidget*(QWidget* parent)>;

void RegisterCustomControl(const std::string& className, CustomControlFactory factory);
// Null when no such class is registered.
QWidget* CreateCustomControl(const std::string& className, QWidget* parent);
