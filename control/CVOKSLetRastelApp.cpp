#include "control/CVOKSLetRastelApp.h"

#include "control/ModuleDialogs.h"
#include "control/ModuleResources.h"
#include "crop/CCropImageNew.h"
#include "dialogs/TintoraDlg.h"

CVOKSLetRastelApp theApp;

CVOKSLetRastelApp::CVOKSLetRastelApp() { AfxSetResources(&VOKSLetRastelResources()); }

BOOL CVOKSLetRastelApp::InitInstance() {
    const BOOL bInit = COleControlModule::InitInstance();
    // The crop dialog hosts the ImageEnX view.
    AfxEnableControlContainer();
    InstallControlDialogs(&TheModuleDialogs());
    AfxGetModuleState()->m_pfnPropertyFrame = &ShowPropertyFrame;
    m_pImageViewClass = std::make_unique<imageview::ImageEnXClassRegistration>();
    TintoraDlg::InstallCropDialog(&CCropImageNew::Open);
    return bInit;
}

int CVOKSLetRastelApp::ExitInstance() {
    TintoraDlg::InstallCropDialog(nullptr);
    m_pImageViewClass.reset();
    return COleControlModule::ExitInstance();
}
