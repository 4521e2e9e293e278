#pragma once
// The modal dialogs that the effect control's automation methods open. The
// module installs the real ones when it starts; a control used without them
// (the command line, tests of the engine half) opens none, and tests of the
// automation methods install scripted runs.

#include "platform/prompts/ScopedInstall.h"

class CRastelCtrl;

class ControlDialogs {
public:
    virtual ~ControlDialogs() = default;
    // Runs the tools dialog on the control; returns when it has closed.
    virtual void RunToolsDialog(CRastelCtrl& control) = 0;
    virtual void RunAboutBox() = 0;
};

// Installs an implementation and returns the previous one; null: no dialogs.
ControlDialogs* InstallControlDialogs(ControlDialogs* dialogs);
ControlDialogs* CurrentControlDialogs();

using ScopedControlDialogs = ScopedInstall<ControlDialogs*, InstallControlDialogs>;
