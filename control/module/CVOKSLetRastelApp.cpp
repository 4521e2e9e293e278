#include "control/module/CVOKSLetRastelApp.h"

#include "control/module/ModuleDialogs.h"
#include "control/module/ModuleResources.h"
#include "crop/CCropImageNew.h"
#include "engine/ImageLibrary.h"

CVOKSLetRastelApp theApp;

CVOKSLetRastelApp::CVOKSLetRastelApp() { AfxSetResources(&VOKSLetRastelResources()); }

BOOL CVOKSLetRastelApp::InitInstance() {
    const BOOL bInit = COleControlModule::InitInstance();
    // The crop dialog hosts the ImageEnX view.
    AfxEnableControlContainer();
    InstallControlDialogs(&TheModuleDialogs());
    AfxGetModuleState()->m_pfnPropertyFrame = &ShowPropertyFrame;
    m_pImageViewClass = std::make_unique<imageview::ImageEnXClassRegistration>();
    m_cropDialog.emplace(&CCropImageNew::Open);
    // The module's limits and coder policy hold in whatever host loads it.
    engine::SetUpImageLibrary();
    return bInit;
}

int CVOKSLetRastelApp::ExitInstance() {
    m_cropDialog.reset();
    m_pImageViewClass.reset();
    return COleControlModule::ExitInstance();
}
