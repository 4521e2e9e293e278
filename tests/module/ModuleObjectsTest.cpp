// The module's objects linked into the test: what the module file does not
// show from outside (the module object, a failing class registration, property
// exchange, an initialised editor, the type library's contents).

#include <gtest/gtest.h>

#include <cstdlib>

#include "control/CRastelCtrl.h"
#include "control/ControlDialogs.h"
#include "control/ModuleIds.h"
#include "control/module/CRastelEditor.h"
#include "control/module/CVOKSLetRastelApp.h"
#include "control/module/ModuleResources.h"
#include "platform/olectl/COleObjectFactory.h"
#include "platform/olectl/OleRegistration.h"
#include "tests/module/DispatchCalls.h"
#include "tests/support/TempDir.h"

TEST(ModuleObjectsTest, TheModuleObjectEnablesControlContainment) {
    EXPECT_EQ(AfxGetApp(), &theApp);
    ScopedControlDialogs none(nullptr);
    AfxGetModuleState()->m_bControlContainer = false;
    EXPECT_TRUE(theApp.InitInstance());
    EXPECT_TRUE(AfxGetModuleState()->m_bControlContainer);
    // It also puts the module's dialogs and property frame in place.
    EXPECT_NE(CurrentControlDialogs(), nullptr);
    EXPECT_NE(AfxGetModuleState()->m_pfnPropertyFrame, nullptr);
    EXPECT_EQ(theApp.ExitInstance(), 0);
    AfxGetModuleState()->m_pfnPropertyFrame = nullptr;
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

TEST(ModuleObjectsTest, BothControlsPersistTheVersionWordAndTheirExtent) {
    for (COleControl* control :
         std::initializer_list<COleControl*>{new CRastelCtrl(), new CRastelEditor()}) {
        SCOPED_TRACE(GuidToString(control->PrimaryIID()));
        CPropExchange saving(false);
        control->DoPropExchange(&saving);
        EXPECT_EQ(saving.m_values.at("_Version"), 0x00010000);
        EXPECT_EQ(saving.GetVersion(), 0x00010000u);

        CPropExchange loading(true);
        loading.m_values = {{"_Version", 0x00010000}, {"_ExtentX", 500}};
        control->DoPropExchange(&loading);
        EXPECT_EQ(loading.GetVersion(), 0x00010000u);
        CPropExchange again(false);
        control->DoPropExchange(&again);
        EXPECT_EQ(again.m_values.at("_ExtentX"), 500);
        control->Release();
    }
}

// Even once it may be called, the editor has no method, not even the about box.
TEST(ModuleObjectsTest, TheEditorAnswersNoMethods) {
    CRastelEditor* editor = new CRastelEditor();
    editor->InitNew();
    for (const char* name : {"AboutBox", "OnInitialize", "Tintora", "Execute"}) {
        EXPECT_EQ(DispIdOf(editor, name), DISPID_UNKNOWN) << name;
    }
    EXPECT_EQ(CallResult(editor, DISPID_ABOUTBOX, {}).hr, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(editor->Release(), 0u);
}

TEST(ModuleObjectsTest, TheControlsMethodsHaveTheSameIdsInItsTypeInformation) {
    IDispatch* control = new CRastelCtrl();
    UINT count = 0;
    ASSERT_EQ(control->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ITypeInfo* info = nullptr;
    ASSERT_EQ(control->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info), S_OK);
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    EXPECT_EQ(attr->guid, IID_DRastelCtrl);
    EXPECT_EQ(attr->cFuncs, 4);
    info->ReleaseTypeAttr(attr);
    const std::pair<const char*, DISPID> methods[] = {{"OnInitialize", 1},
                                                      {"tintora", 2},
                                                      {"Execute", 3},
                                                      {"AboutBox", DISPID_ABOUTBOX},
                                                      {"Apply", DISPID_UNKNOWN}};
    for (const auto& [name, id] : methods) {
        SCOPED_TRACE(name);
        EXPECT_EQ(DispIdOf(control, name), id);
        std::u16string wide = WideFromNarrow(name);
        LPOLESTR names[] = {wide.data()};
        MEMBERID described = 0;
        EXPECT_EQ(info->GetIDsOfNames(names, 1, &described),
                  id == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK);
        EXPECT_EQ(described, id);
    }
    info->Release();
    EXPECT_EQ(control->GetTypeInfo(1, LOCALE_USER_DEFAULT, &info), DISP_E_BADINDEX);
    EXPECT_EQ(control->Release(), 0u);
}

// The library's identity, version, locale and flags show in its registration.
TEST(ModuleObjectsTest, TheTypeLibraryDescribesSixTypes) {
    const typelib::Library& lib = VOKSLetRastelTypeLibrary();
    EXPECT_EQ(lib.name, "VOKSLETRASTELLib");
    EXPECT_EQ(lib.helpFile, "VOKSLetRastel.hlp");
    EXPECT_EQ(lib.imports, std::vector<std::string>{"stdole2.tlb"});

    constexpr WORD kDispatch = TYPEFLAG_FHIDDEN | TYPEFLAG_FDISPATCHABLE;
    constexpr WORD kControl = TYPEFLAG_FCANCREATE | TYPEFLAG_FCONTROL;
    struct Expected {
        const char* name;
        TYPEKIND kind;
        const char* guid;
        WORD flags;
        const char* doc;
        size_t members;
    };
    const Expected expected[] = {
        {"_DRastelCtrl", TKIND_DISPATCH, "{147FC628-B289-4252-9ADA-551EBD31BBF4}", kDispatch,
         "Dispatch interface for Rastel Control", 4},
        {"_DRastelCtrlEvents", TKIND_DISPATCH, "{B27BA00C-29B9-4FF6-9866-4F51CB1F4526}",
         TYPEFLAG_FHIDDEN, "Event interface for Rastel Control", 0},
        {"RastelCtrl", TKIND_COCLASS, "{F8950808-4E78-4D90-8BDF-193286F143C5}", kControl,
         "Rastel Control", 0},
        {"_DRastelEditor", TKIND_DISPATCH, "{AF753F1D-4164-4F02-B1AA-519393FF69A7}", kDispatch,
         "Dispatch interface for RastelEditor", 0},
        {"_DRastelEditorEvents", TKIND_DISPATCH, "{577B082B-E065-4C3B-AE44-E2DDE62A5346}",
         TYPEFLAG_FHIDDEN, "Event interface for RastelEditor", 0},
        {"RastelEditor", TKIND_COCLASS, "{C824BAD4-CE45-47A2-AC17-773E8D5178C8}", kControl,
         "RastelEditor", 0},
    };
    ASSERT_EQ(lib.types.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        const auto& type = lib.types[i];
        SCOPED_TRACE(type.name);
        EXPECT_EQ(type.name, expected[i].name);
        EXPECT_EQ(type.kind, expected[i].kind);
        EXPECT_EQ(GuidToString(type.guid), expected[i].guid);
        EXPECT_EQ(type.flags, expected[i].flags);
        EXPECT_EQ(type.doc, expected[i].doc);
        EXPECT_EQ(type.members.size(), expected[i].members);
        // Each coclass: its dispinterface as default, its event interface as default source.
        if (type.kind != TKIND_COCLASS) continue;
        ASSERT_EQ(type.implemented.size(), 2u);
        EXPECT_EQ(type.implemented[0].iid, lib.types[i - 2].guid);
        EXPECT_EQ(type.implemented[0].flags, IMPLTYPEFLAG_FDEFAULT);
        EXPECT_EQ(type.implemented[1].iid, lib.types[i - 1].guid);
        EXPECT_EQ(type.implemented[1].flags, IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
    }
    const auto& members = lib.types[0].members;
    EXPECT_EQ(members[0].params.size(), 2u);
    EXPECT_EQ(members[0].params[1].vt, VT_BYREF | VT_BOOL);
    EXPECT_EQ(members[2].params[0].vt, VT_DISPATCH);
    EXPECT_EQ(members[3].id, -552);
    EXPECT_EQ(members[3].result, VT_EMPTY);
}
