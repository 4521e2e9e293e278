// The module's objects linked into the test: class objects, identity of both
// controls and both pages, property exchange, the type library.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "control/CRastelCtrl.h"
#include "control/CRastelCtrlPropPage.h"
#include "control/CRastelEditor.h"
#include "control/CRastelEditorPropPage.h"
#include "control/CVOKSLetRastelApp.h"
#include "control/ControlDialogs.h"
#include "control/ModuleIds.h"
#include "control/ModuleResources.h"
#include "platform/automation/Bstr.h"
#include "platform/olectl/COleObjectFactory.h"
#include "platform/olectl/OleRegistration.h"
#include "tests/module/DispatchCalls.h"
#include "tests/support/TempDir.h"

namespace {

std::string UserType(IUnknown* object) {
    IOleObject* ole = nullptr;
    if (FAILED(object->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole)))) return "?";
    LPOLESTR name = nullptr;
    ole->GetUserType(USERCLASSTYPE_FULL, &name);
    std::string text = NarrowFromWide(name ? name : u"");
    CoTaskMemFree(name);
    ole->Release();
    return text;
}

DWORD MiscStatus(IUnknown* object) {
    IOleObject* ole = nullptr;
    object->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole));
    DWORD status = 0;
    ole->GetMiscStatus(DVASPECT_CONTENT, &status);
    ole->Release();
    return status;
}

std::vector<CLSID> Pages(IUnknown* object) {
    ISpecifyPropertyPages* specify = nullptr;
    object->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&specify));
    CAUUID pages{};
    specify->GetPages(&pages);
    std::vector<CLSID> ids(pages.pElems, pages.pElems + pages.cElems);
    CoTaskMemFree(pages.pElems);
    specify->Release();
    return ids;
}

CLSID ClassId(IUnknown* object) {
    IPersist* persist = nullptr;
    object->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&persist));
    CLSID clsid{};
    persist->GetClassID(&clsid);
    persist->Release();
    return clsid;
}

template <class T>
T* Create(REFCLSID clsid, REFIID iid) {
    void* object = nullptr;
    IClassFactory* factory = nullptr;
    EXPECT_EQ(AfxDllGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    if (!factory) return nullptr;
    EXPECT_EQ(factory->CreateInstance(nullptr, iid, &object), S_OK);
    factory->Release();
    return static_cast<T*>(object);
}

std::string PageTitle(REFCLSID clsid) {
    IPropertyPage* page = Create<IPropertyPage>(clsid, IID_IPropertyPage);
    if (!page) return "?";
    PROPPAGEINFO info{};
    page->GetPageInfo(&info);
    std::string title = NarrowFromWide(info.pszTitle);
    CoTaskMemFree(info.pszTitle);
    page->Release();
    return title;
}

}  // namespace

TEST(ModuleObjectsTest, TheModuleObjectEnablesControlContainment) {
    EXPECT_EQ(AfxGetApp(), &theApp);
    AfxGetModuleState()->m_bControlContainer = false;
    EXPECT_TRUE(theApp.InitInstance());
    EXPECT_TRUE(AfxGetModuleState()->m_bControlContainer);
    // It also puts the module's dialogs and property frame in place.
    EXPECT_NE(CurrentControlDialogs(), nullptr);
    EXPECT_NE(AfxGetModuleState()->m_pfnPropertyFrame, nullptr);
    EXPECT_EQ(theApp.ExitInstance(), 0);
    InstallControlDialogs(nullptr);
    AfxGetModuleState()->m_pfnPropertyFrame = nullptr;
}

TEST(ModuleObjectsTest, FourClassObjectsWithTheirProgIds) {
    std::vector<std::pair<std::string, std::string>> found;
    for (COleObjectFactory* factory : AfxGetModuleState()->m_factoryList) {
        found.emplace_back(GuidToString(factory->GetClassID()), factory->m_lpszProgID);
    }
    std::sort(found.begin(), found.end());
    const std::vector<std::pair<std::string, std::string>> expected{
        {"{607FBF69-CC03-4D2B-BDF6-AE116AD0A315}", "Pellux.VOKSlet.RastelCtrlPropPage.1"},
        {"{C3C28C39-565E-4EAC-8546-834026E615EA}", "Pellux.VOKSlet.RastelEditorPropPge.1"},
        {"{C824BAD4-CE45-47A2-AC17-773E8D5178C8}", "Pellux.VOKSlet.RastelEditor.1"},
        {"{F8950808-4E78-4D90-8BDF-193286F143C5}", "Pellux.VOKSlet.RastelCtrl.1"},
    };
    EXPECT_EQ(found, expected);
    EXPECT_EQ(&CRastelCtrl::factory.GetClassID(), &CRastelCtrl::factory.m_clsid);
}

TEST(ModuleObjectsTest, AClassWithoutItsTypeNameFailsToRegister) {
    TempDir folder;
    setenv("TARSEL_REGISTRY", folder.Path().c_str(), 1);
    const AFX_MODULE_RESOURCES noStrings{{}, &VOKSLetRastelTypeLibrary()};
    const AFX_MODULE_RESOURCES* previous = AfxGetModuleState()->m_pResources;
    AfxSetResources(&noStrings);
    EXPECT_TRUE(AfxOleRegisterTypeLib(AfxGetInstanceHandle(), LIBID_VOKSLETRASTELLib));
    EXPECT_FALSE(COleObjectFactory::UpdateRegistryAll(TRUE));
    AfxSetResources(previous);
    EXPECT_TRUE(COleObjectFactory::UpdateRegistryAll(TRUE));
    EXPECT_TRUE(COleObjectFactory::UpdateRegistryAll(FALSE));
    EXPECT_TRUE(AfxOleUnregisterTypeLib(LIBID_VOKSLETRASTELLib, 1, 0));
    unsetenv("TARSEL_REGISTRY");
}

TEST(ModuleObjectsTest, TheStringTable) {
    EXPECT_EQ(AfxLoadString(1), "Rastel Control");
    EXPECT_EQ(AfxLoadString(2), "RastelCtrl Property Page");
    EXPECT_EQ(AfxLoadString(3), "RastelEditor");
    EXPECT_EQ(AfxLoadString(4), "RastelEditor Property Page");
    EXPECT_EQ(AfxLoadString(200), "General");
    EXPECT_EQ(AfxLoadString(201), "General");
    EXPECT_EQ(AfxLoadString(5), "");
}

TEST(ModuleObjectsTest, TheEffectControlReportsItsIdentity) {
    IDispatch* control = Create<IDispatch>(CLSID_RastelCtrl, IID_IDispatch);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ClassId(control), CLSID_RastelCtrl);
    EXPECT_EQ(UserType(control), "Rastel Control");
    EXPECT_EQ(MiscStatus(control), 0x20091u);
    EXPECT_EQ(MiscStatus(control) & OLEMISC_ACTIVATEWHENVISIBLE, 0u);
    EXPECT_EQ(Pages(control), std::vector<CLSID>{CLSID_RastelCtrlPropPage});
    void* primary = nullptr;
    ASSERT_EQ(control->QueryInterface(IID_DRastelCtrl, &primary), S_OK);
    EXPECT_EQ(primary, control);
    control->Release();
    EXPECT_EQ(control->Release(), 0u);
}

TEST(ModuleObjectsTest, TheEditorReportsItsIdentityAndAnswersNoMethods) {
    IDispatch* editor = Create<IDispatch>(CLSID_RastelEditor, IID_IDispatch);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ClassId(editor), CLSID_RastelEditor);
    EXPECT_EQ(UserType(editor), "RastelEditor");
    EXPECT_EQ(MiscStatus(editor), 0x20091u);
    EXPECT_EQ(Pages(editor), std::vector<CLSID>{CLSID_RastelEditorPropPage});
    EXPECT_EQ(DispIdOf(editor, "AboutBox"), DISPID_UNKNOWN);
    EXPECT_EQ(DispIdOf(editor, "Tintora"), DISPID_UNKNOWN);
    static_cast<CRastelEditor*>(editor)->InitNew();
    CallResult result;
    InvokeMethod(editor, DISPID_ABOUTBOX, {}, result);
    EXPECT_EQ(result.hr, DISP_E_MEMBERNOTFOUND);
    void* primary = nullptr;
    ASSERT_EQ(editor->QueryInterface(IID_DRastelEditor, &primary), S_OK);
    static_cast<IDispatch*>(primary)->Release();
    EXPECT_EQ(editor->Release(), 0u);
}

TEST(ModuleObjectsTest, BothPagesAreTitledGeneral) {
    EXPECT_EQ(PageTitle(CLSID_RastelCtrlPropPage), "General");
    EXPECT_EQ(PageTitle(CLSID_RastelEditorPropPage), "General");
}

TEST(ModuleObjectsTest, BothControlsPersistTheVersionWordFirst) {
    CRastelCtrl control;
    CPropExchange saving(false);
    control.DoPropExchange(&saving);
    EXPECT_EQ(saving.m_values.at("_Version"), 0x00010000);
    EXPECT_EQ(saving.GetVersion(), 0x00010000u);
    EXPECT_EQ(saving.m_values.count("_ExtentX"), 1u);

    CPropExchange loading(true);
    loading.m_values["_Version"] = 0x00010000;
    loading.m_values["_ExtentX"] = 500;
    control.DoPropExchange(&loading);
    EXPECT_EQ(loading.GetVersion(), 0x00010000u);
    CPropExchange again(false);
    control.DoPropExchange(&again);
    EXPECT_EQ(again.m_values.at("_ExtentX"), 500);

    IDispatch* editor = Create<IDispatch>(CLSID_RastelEditor, IID_IDispatch);
    CPropExchange editorSaving(false);
    static_cast<CRastelEditor*>(editor)->DoPropExchange(&editorSaving);
    EXPECT_EQ(editorSaving.m_values.at("_Version"), 0x00010000);
    editor->Release();
}

TEST(ModuleObjectsTest, TheControlsTypeInformationMatchesItsDispatch) {
    CRastelCtrl* control = new CRastelCtrl();
    IDispatch* dispatch = control;
    UINT count = 0;
    ASSERT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ITypeInfo* info = nullptr;
    ASSERT_EQ(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), S_OK);
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    EXPECT_EQ(attr->guid, IID_DRastelCtrl);
    EXPECT_EQ(attr->cFuncs, 4);
    info->ReleaseTypeAttr(attr);
    for (const char* name : {"OnInitialize", "Tintora", "Execute", "AboutBox"}) {
        std::u16string wide = WideFromNarrow(name);
        LPOLESTR names[] = {wide.data()};
        MEMBERID described = 0;
        ASSERT_EQ(info->GetIDsOfNames(names, 1, &described), S_OK);
        EXPECT_EQ(described, DispIdOf(dispatch, name)) << name;
    }
    info->Release();
    EXPECT_EQ(dispatch->GetTypeInfo(1, LOCALE_USER_DEFAULT, &info), DISP_E_BADINDEX);
    dispatch->Release();
}

TEST(ModuleObjectsTest, TheTypeLibraryDescribesSixTypes) {
    const typelib::Library& lib = VOKSLetRastelTypeLibrary();
    EXPECT_EQ(lib.name, "VOKSLETRASTELLib");
    EXPECT_EQ(GuidToString(lib.libid), "{0AA2BBBA-E774-4D4C-8F18-3082F0E53D45}");
    EXPECT_EQ(lib.major, 1);
    EXPECT_EQ(lib.minor, 0);
    EXPECT_EQ(lib.lcid, 0x409u);
    EXPECT_EQ(lib.flags, LIBFLAG_FCONTROL);
    EXPECT_EQ(lib.helpString, "VOKSLetRastel ActiveX Control module");
    EXPECT_EQ(lib.helpFile, "VOKSLetRastel.hlp");
    EXPECT_EQ(lib.imports, std::vector<std::string>{"stdole2.tlb"});

    struct Expected {
        const char* name;
        TYPEKIND kind;
        const char* guid;
        WORD flags;
        const char* doc;
        size_t members;
    };
    const Expected expected[] = {
        {"_DRastelCtrl", TKIND_DISPATCH, "{147FC628-B289-4252-9ADA-551EBD31BBF4}",
         TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE, "Dispatch interface for Rastel Control", 4},
        {"_DRastelCtrlEvents", TKIND_DISPATCH, "{B27BA00C-29B9-4FF6-9866-4F51CB1F4526}",
         TYPEFLAG_FHIDDEN, "Event interface for Rastel Control", 0},
        {"RastelCtrl", TKIND_COCLASS, "{F8950808-4E78-4D90-8BDF-193286F143C5}",
         TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL, "Rastel Control", 0},
        {"_DRastelEditor", TKIND_DISPATCH, "{AF753F1D-4164-4F02-B1AA-519393FF69A7}",
         TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE, "Dispatch interface for RastelEditor", 0},
        {"_DRastelEditorEvents", TKIND_DISPATCH, "{577B082B-E065-4C3B-AE44-E2DDE62A5346}",
         TYPEFLAG_FHIDDEN, "Event interface for RastelEditor", 0},
        {"RastelEditor", TKIND_COCLASS, "{C824BAD4-CE45-47A2-AC17-773E8D5178C8}",
         TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL, "RastelEditor", 0},
    };
    ASSERT_EQ(lib.types.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        const auto& type = lib.types[i];
        EXPECT_EQ(type.name, expected[i].name);
        EXPECT_EQ(type.kind, expected[i].kind) << type.name;
        EXPECT_EQ(GuidToString(type.guid), expected[i].guid) << type.name;
        EXPECT_EQ(type.flags, expected[i].flags) << type.name;
        EXPECT_EQ(type.doc, expected[i].doc) << type.name;
        EXPECT_EQ(type.members.size(), expected[i].members) << type.name;
    }
    // Each coclass: its dispinterface as default, its event interface as default source.
    for (size_t coclass : {size_t(2), size_t(5)}) {
        const auto& implemented = lib.types[coclass].implemented;
        ASSERT_EQ(implemented.size(), 2u);
        EXPECT_EQ(implemented[0].iid, lib.types[coclass - 2].guid);
        EXPECT_EQ(implemented[0].flags, IMPLTYPEFLAG_FDEFAULT);
        EXPECT_EQ(implemented[1].iid, lib.types[coclass - 1].guid);
        EXPECT_EQ(implemented[1].flags, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
    }
    const auto& members = lib.types[0].members;
    EXPECT_EQ(members[0].params.size(), 2u);
    EXPECT_EQ(members[0].params[1].vt, VT_BYREF | VT_BOOL);
    EXPECT_EQ(members[2].params[0].vt, VT_DISPATCH);
    EXPECT_EQ(members[3].id, -552);
    EXPECT_EQ(members[3].result, VT_EMPTY);
}
