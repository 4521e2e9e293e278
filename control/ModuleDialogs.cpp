#include "control/ModuleDialogs.h"

#include "control/CAboutBox.h"
#include "dialogs/TintoraDlg.h"

void ModuleDialogs::RunToolsDialog(CRastelCtrl& control) {
    TintoraDlg dialog(&control);
    dialog.DoModal();
}

// Shown without an owner window.
void ModuleDialogs::RunAboutBox() {
    CAboutBox dialog;
    dialog.DoModal();
}

ModuleDialogs& TheModuleDialogs() {
    static ModuleDialogs dialogs;
    return dialogs;
}
