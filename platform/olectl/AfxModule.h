#pragma once
// The framework's module layer: the module state (instance handle, resources,
// application object, class factories, lock count) and the application
// classes. Every binary that links this library has exactly one module state
// of its own, which its exported entry points make current.

#include <map>
#include <string>
#include <vector>

#include "platform/com/Module.h"
#include "platform/com/TypeLib.h"

class COleControl;
class COleObjectFactory;
class CWinApp;

// Shows a control's property pages, given by CLSID, in the module's windows.
using AfxPropertyFrame = void (*)(COleControl& control, const CLSID* pages, ULONG count);

// What a module carries besides code: its string table and its type library
// (resource "TYPELIB" 1).
struct AFX_MODULE_RESOURCES {
    std::map<UINT, std::string> strings;
    const typelib::Library* typeLibrary = nullptr;
};

struct AFX_MODULE_STATE {
    HINSTANCE m_hCurrentInstanceHandle = nullptr;
    CWinApp* m_pCurrentWinApp = nullptr;
    const AFX_MODULE_RESOURCES* m_pResources = nullptr;
    std::vector<COleObjectFactory*> m_factoryList;
    long m_nObjectCount = 0;
    bool m_bInitialized = false;
    bool m_bControlContainer = false;
    AfxPropertyFrame m_pfnPropertyFrame = nullptr;
};

// The state of the module whose code is running now.
AFX_MODULE_STATE* AfxGetModuleState();
// The state of the module that holds this copy of the framework.
AFX_MODULE_STATE* AfxGetStaticModuleState();

// Makes a module state current for one scope.
class AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* state);
    ~AFX_MAINTAIN_STATE2();
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

private:
    AFX_MODULE_STATE* m_previous;
};
#define AFX_MANAGE_STATE(state) AFX_MAINTAIN_STATE2 _ctlState(state)

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
CWinApp* AfxGetApp();
void AfxSetResources(const AFX_MODULE_RESOURCES* resources);
// A string of the current module's string table; empty when it has none by that id.
std::string AfxLoadString(UINT id);
// Lets dialogs of the module contain ActiveX controls.
void AfxEnableControlContainer();

// Objects and server locks keep the module loaded.
void AfxOleLockApp();
void AfxOleUnlockApp();
BOOL AfxOleCanExitApp();

class CWinApp {
public:
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    std::string m_pszAppName;
};

// The application object of a control module; created once as a static object.
class COleControlModule : public CWinApp {
public:
    using CWinApp::CWinApp;
    BOOL InitInstance() override;
    int ExitInstance() override;
};

// Runs the current module's InitInstance once, before its first entry point
// does anything; the module's unload runs ExitInstance.
void AfxEnsureModuleInitialized();
