#include "control/module/CVOKSLetRastelApp.h"

#include "control/module/ModuleDialogs.h"
#include "control/module/ModuleResources.h"

CVOKSLetRastelApp theApp;

CVOKSLetRastelApp::CVOKSLetRastelApp() { AfxSetResources(&VOKSLetRastelResources()); }

BOOL CVOKSLetRastelApp::InitInstance() {
    const BOOL bInit = COleControlModule::InitInstance();
    // The crop dialog hosts the ImageEnX view.
    AfxEnableControlContainer();
    InstallControlDialogs(&TheModuleDialogs());
    AfxGetModuleState()->m_pfnPropertyFrame = &ShowPropertyFrame;
    return bInit;
}

int CVOKSLetRastelApp::ExitInstance() { return COleControlModule::ExitInstance(); }
