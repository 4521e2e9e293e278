#include "platform/olectl/AfxModule.h"

#include <atomic>

namespace {

AFX_MODULE_STATE& StaticState() {
    static AFX_MODULE_STATE state;
    return state;
}

thread_local AFX_MODULE_STATE* t_current = nullptr;

// Gives the module its ExitInstance when it is unloaded (or the program ends).
struct ModuleExit {
    ~ModuleExit() {
        AFX_MODULE_STATE& state = StaticState();
        if (state.m_bInitialized && state.m_pCurrentWinApp) {
            AFX_MANAGE_STATE(&state);
            state.m_pCurrentWinApp->ExitInstance();
        }
        state.m_bInitialized = false;
    }
};

}  // namespace

AFX_MODULE_STATE* AfxGetStaticModuleState() {
    AFX_MODULE_STATE& state = StaticState();
    if (!state.m_hCurrentInstanceHandle) {
        state.m_hCurrentInstanceHandle =
            ModuleFromAddress(reinterpret_cast<const void*>(&StaticState));
    }
    return &state;
}

AFX_MODULE_STATE* AfxGetModuleState() { return t_current ? t_current : AfxGetStaticModuleState(); }

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* state) : m_previous(t_current) {
    t_current = state;
}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2() { t_current = m_previous; }

HINSTANCE AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }

HINSTANCE AfxGetResourceHandle() { return AfxGetInstanceHandle(); }

CWinApp* AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }

void AfxSetResources(const AFX_MODULE_RESOURCES* resources) {
    AfxGetModuleState()->m_pResources = resources;
}

std::string AfxLoadString(UINT id) {
    const AFX_MODULE_RESOURCES* resources = AfxGetModuleState()->m_pResources;
    if (!resources) return {};
    auto it = resources->strings.find(id);
    return it == resources->strings.end() ? std::string() : it->second;
}

void AfxEnableControlContainer() { AfxGetModuleState()->m_bControlContainer = true; }

void AfxOleLockApp() { ++AfxGetModuleState()->m_nObjectCount; }

void AfxOleUnlockApp() { --AfxGetModuleState()->m_nObjectCount; }

BOOL AfxOleCanExitApp() { return AfxGetModuleState()->m_nObjectCount == 0; }

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName ? appName : "") {
    AfxGetStaticModuleState()->m_pCurrentWinApp = this;
}

CWinApp::~CWinApp() {
    AFX_MODULE_STATE* state = AfxGetStaticModuleState();
    if (state->m_pCurrentWinApp == this) state->m_pCurrentWinApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

BOOL COleControlModule::InitInstance() { return CWinApp::InitInstance(); }

int COleControlModule::ExitInstance() { return CWinApp::ExitInstance(); }

void AfxEnsureModuleInitialized() {
    static ModuleExit exit;
    AFX_MODULE_STATE* state = AfxGetModuleState();
    if (state->m_bInitialized) return;
    state->m_bInitialized = true;
    if (state->m_pCurrentWinApp) state->m_pCurrentWinApp->InitInstance();
}
