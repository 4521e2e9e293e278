// The module's objects linked into the test: what the module file does not
// show from outside (a failing class registration, property exchange, an
// initialised editor, the type library's contents). The module object's setup
// shows in the module file's windows (EndToEndToolRunTest, EndToEndCropTest).

#include <gtest/gtest.h>

#include "control/CRastelCtrl.h"
#include "control/ModuleIds.h"
#include "control/module/CRastelEditor.h"
#include "control/module/ModuleResources.h"
#include "platform/olectl/COleObjectFactory.h"
#include "platform/olectl/OleRegistration.h"
#include "tests/support/DispatchCalls.h"
#include "tests/support/OwnRegistry.h"

TEST(ModuleObjectsTest, AClassWithoutItsTypeNameFailsToRegister) {
    OwnRegistry registry;
    const AFX_MODULE_RESOURCES noStrings{{}, &VOKSLetRastelTypeLibrary()};
    const AFX_MODULE_RESOURCES* previous = AfxGetModuleState()->m_pResources;
    AfxSetResources(&noStrings);
    EXPECT_TRUE(AfxOleRegisterTypeLib(AfxGetInstanceHandle(), LIBID_VOKSLETRASTELLib));
    EXPECT_FALSE(COleObjectFactory::UpdateRegistryAll(TRUE));
    AfxSetResources(previous);
    EXPECT_TRUE(COleObjectFactory::UpdateRegistryAll(TRUE));
    EXPECT_TRUE(COleObjectFactory::UpdateRegistryAll(FALSE));
    EXPECT_TRUE(AfxOleUnregisterTypeLib(LIBID_VOKSLETRASTELLib, 1, 0));
}

TEST(ModuleObjectsTest, BothControlsPersistTheVersionWordAndTheirExtent) {
    for (const auto& held : {ComPtr<COleControl>::Adopt(new CRastelCtrl()),
                             ComPtr<COleControl>::Adopt(new CRastelEditor())}) {
        COleControl* control = held.Get();
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
    }
}

// Even once it may be called, the editor has no method, not even the about box.
TEST(ModuleObjectsTest, TheEditorAnswersNoMethods) {
    const auto editor = ComPtr<CRastelEditor>::Adopt(new CRastelEditor());
    editor->InitNew();
    for (const char* name : {"AboutBox", "OnInitialize", "Tintora", "Execute"}) {
        EXPECT_EQ(DispIdOf(editor.Get(), name), DISPID_UNKNOWN) << name;
    }
    EXPECT_EQ(CallResult(editor.Get(), DISPID_ABOUTBOX, {}).hr, DISP_E_MEMBERNOTFOUND);
}

TEST(ModuleObjectsTest, TheControlsMethodsHaveTheSameIdsInItsTypeInformation) {
    const auto control = ComPtr<IDispatch>::Adopt(new CRastelCtrl());
    UINT count = 0;
    ASSERT_EQ(control->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> info;
    ASSERT_EQ(control->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.Receive()), S_OK);
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    EXPECT_EQ(std::tuple(attr->guid, attr->cFuncs), std::tuple(IID_DRastelCtrl, 4));
    info->ReleaseTypeAttr(attr);
    const std::pair<const char*, DISPID> methods[] = {{"OnInitialize", 1},
                                                      {"tintora", 2},
                                                      {"Execute", 3},
                                                      {"AboutBox", DISPID_ABOUTBOX},
                                                      {"Apply", DISPID_UNKNOWN}};
    for (const auto& [name, id] : methods) {
        SCOPED_TRACE(name);
        EXPECT_EQ(DispIdOf(control.Get(), name), id);
        std::u16string wide = WideFromNarrow(name);
        LPOLESTR names[] = {wide.data()};
        MEMBERID described = 0;
        EXPECT_EQ(info->GetIDsOfNames(names, 1, &described),
                  id == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK);
        EXPECT_EQ(described, id);
    }
    EXPECT_EQ(control->GetTypeInfo(1, LOCALE_USER_DEFAULT, info.Receive()), DISP_E_BADINDEX);
}
