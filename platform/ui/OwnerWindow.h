#pragma once
// The window that owns dialogs opened without a parent window. A host that
// loads plug-ins names its main window here, so that their dialogs sit on it,
// centred, and are minimised and restored with it. The name is kept on the
// application object, which every module in the process shares, since a
// module may carry its own copy of this framework.

class QWidget;

// Null clears it; the name is also cleared when the window is destroyed.
void SetApplicationOwnerWindow(QWidget* window);
QWidget* ApplicationOwnerWindow();

// The owner of a dialog opened without a parent: the modal dialog open now,
// else the application's owner window, else none.
QWidget* DefaultDialogOwner();
