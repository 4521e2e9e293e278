#include "control/module/ModuleDialogs.h"

#include "control/module/CAboutBox.h"
#include "control/module/PropertyPageWindows.h"
#include "dialogs/TintoraDlg.h"
#include "platform/automation/ComPtr.h"
#include "platform/olectl/COleObjectFactory.h"

void ModuleDialogs::RunToolsDialog(CRastelCtrl& control) {
    TintoraDlg dialog(&control);
    dialog.DoModal();
}

// Shown without an owner window.
void ModuleDialogs::RunAboutBox() {
    CAboutBox dialog;
    dialog.DoModal();
}

void ShowPropertyFrame(COleControl&, const CLSID* pages, ULONG count) {
    for (ULONG i = 0; i < count; ++i) {
        ComPtr<IClassFactory> factory;
        if (FAILED(AfxDllGetClassObject(pages[i], IID_IClassFactory, factory.ReceiveVoid()))) {
            continue;
        }
        ComPtr<IDispatch> created;
        factory->CreateInstance(nullptr, IID_IDispatch, created.ReceiveVoid());
        if (auto* page = dynamic_cast<COlePropertyPage*>(created.Get())) {
            CreatePropertyPageWindow(*page)->DoModal();
        }
    }
}

ModuleDialogs& TheModuleDialogs() {
    static ModuleDialogs dialogs;
    return dialogs;
}
