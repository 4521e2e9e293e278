#pragma once
// The dialogs the module's effect control opens: the tools dialog on the
// control for a tool run, and the about box.

#include "control/ControlDialogs.h"

class ModuleDialogs : public ControlDialogs {
public:
    void RunToolsDialog(CRastelCtrl& control) override;
    void RunAboutBox() override;
};

ModuleDialogs& TheModuleDialogs();
