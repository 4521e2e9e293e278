#pragma once
// Pictures of the host's windows for scripts: the main window, the dialog
// open on it, both as the operator sees them, or the whole screen as the
// window system holds it.

#include <QImage>

class QWidget;

namespace tarsel_host {

// The main window with every dialog open on it painted where it sits, owners below owned.
QImage GrabWithDialogs(QWidget* mainWindow);
// The screen's own pixels (the window system's, not a rendering of the widgets).
QImage GrabScreen(QWidget* mainWindow);

}  // namespace tarsel_host
