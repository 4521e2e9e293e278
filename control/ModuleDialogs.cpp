#include "control/ModuleDialogs.h"

#include "control/CAboutBox.h"
#include "control/PropertyPageWindows.h"
#include "dialogs/TintoraDlg.h"
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
        IDispatch* created = nullptr;
        IClassFactory* factory = nullptr;
        if (FAILED(AfxDllGetClassObject(pages[i], IID_IClassFactory,
                                        reinterpret_cast<void**>(&factory)))) {
            continue;
        }
        factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&created));
        factory->Release();
        if (auto* page = dynamic_cast<COlePropertyPage*>(created)) {
            CreatePropertyPageWindow(*page)->DoModal();
        }
        if (created) created->Release();
    }
}

ModuleDialogs& TheModuleDialogs() {
    static ModuleDialogs dialogs;
    return dialogs;
}
