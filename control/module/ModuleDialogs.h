#pragma once
// The dialogs the module's effect control opens: the tools dialog on the
// control for a tool run, and the about box.

#include "control/ControlDialogs.h"
#include "platform/olectl/COleControl.h"

class ModuleDialogs : public ControlDialogs {
public:
    void RunToolsDialog(CRastelCtrl& control) override;
    void RunAboutBox() override;
};

ModuleDialogs& TheModuleDialogs();

// The module's property frame: each page of the control, made by its class
// object in this module, shown in its window in turn.
void ShowPropertyFrame(COleControl& control, const CLSID* pages, ULONG count);
