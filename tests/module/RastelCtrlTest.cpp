// The effect control's automation methods, called through its IDispatch as the
// host calls them, with scripted dialog runs.

#include <gtest/gtest.h>

#include <algorithm>

#include "control/CRastelCtrl.h"
#include "control/ModuleIds.h"
#include "tests/module/DispatchCalls.h"
#include "tests/module/ScriptedDialogs.h"
#include "tests/module/StandInHost.h"
#include "tests/support/RecordingPrompts.h"

namespace {

class RastelCtrlTest : public ::testing::Test {
protected:
    RastelCtrlTest() : control(new CRastelCtrl()) {}
    ~RastelCtrlTest() override { control->Release(); }

    IDispatch* Dispatch() { return control; }

    CallResult OnInitialize(IDispatch* application, VARIANT_BOOL* status) {
        CallResult result;
        InvokeMethod(Dispatch(), DispIdOf(Dispatch(), "OnInitialize"),
                     {DispatchArg(application), BoolOut(status)}, result);
        return result;
    }

    CallResult Tintora(VARIANT menuItem) {
        CallResult result;
        InvokeMethod(Dispatch(), DispIdOf(Dispatch(), "Tintora"), {menuItem}, result);
        return result;
    }

    CallResult Execute(IDispatch* application, IDispatch* property) {
        CallResult result;
        InvokeMethod(Dispatch(), DispIdOf(Dispatch(), "Execute"),
                     {DispatchArg(application), DispatchArg(property)}, result);
        return result;
    }

    size_t Count(const std::string& call) const {
        return size_t(std::count(host.calls.begin(), host.calls.end(), call));
    }

    CRastelCtrl* control;
    StandInHost host;
    ScriptedDialogs dialogs;
    RecordingPrompts prompts;
};

void ExpectClassList(const tarsel::ClassNameList& list) {
    EXPECT_EQ(list.vt, VT_ARRAY | VT_BSTR);
    EXPECT_EQ(list.lowerBound, 0);
    EXPECT_EQ(list.names, std::vector<std::string>{"Tarsel2DObject"});
}

}  // namespace

TEST_F(RastelCtrlTest, NamesResolveToTheirDispatchIdentifiers) {
    EXPECT_EQ(DispIdOf(Dispatch(), "OnInitialize"), 1);
    EXPECT_EQ(DispIdOf(Dispatch(), "tintora"), 2);
    EXPECT_EQ(DispIdOf(Dispatch(), "Execute"), 3);
    EXPECT_EQ(DispIdOf(Dispatch(), "AboutBox"), DISPID_ABOUTBOX);
    EXPECT_EQ(DispIdOf(Dispatch(), "Apply"), DISPID_UNKNOWN);
}

TEST_F(RastelCtrlTest, OnInitializeRegistersMenuItemPropertyAndEditor) {
    VARIANT_BOOL status = VARIANT_FALSE;
    CallResult result = OnInitialize(host.application, &status);
    ASSERT_EQ(result.hr, S_OK);
    EXPECT_EQ(result.value.vt, VT_I4);
    EXPECT_EQ(result.value.lVal, 0);
    EXPECT_EQ(status, VARIANT_TRUE);

    ASSERT_EQ(host.application->MenuItems().size(), 1u);
    const auto& menu = host.application->MenuItems()[0];
    EXPECT_EQ(menu.pluginName, "Tintora");
    EXPECT_EQ(menu.menuPath, "Tools|");
    EXPECT_EQ(menu.methodName, "Tintora");

    ASSERT_EQ(host.application->Properties().size(), 1u);
    const auto& property = host.application->Properties()[0];
    EXPECT_EQ(property.pluginName, "Tintora");
    EXPECT_EQ(property.propertyName, "Empty");
    EXPECT_EQ(property.flags, 0);
    EXPECT_EQ(property.text1, "");
    ExpectClassList(property.classes);
    EXPECT_EQ(property.text2, "");

    ASSERT_EQ(host.application->Editors().size(), 1u);
    const auto& editor = host.application->Editors()[0];
    EXPECT_EQ(editor.pluginName, "Tintora");
    EXPECT_EQ(editor.progId, "Pellux.VOKSlet.RastelCtrl.1");
    ExpectClassList(editor.classes);

    EXPECT_EQ(host.calls, (std::vector<std::string>{"Application.RegisterMenuItem",
                                                    "Application.RegisterObjectProperty",
                                                    "Application.RegisterObjectPropertyEditor"}));
}

TEST_F(RastelCtrlTest, OnInitializeWithoutAnApplicationRegistersNothing) {
    VARIANT_BOOL status = VARIANT_TRUE;
    CallResult result;
    VARIANT text = MakeVariantBstr("Tarsel");
    InvokeMethod(Dispatch(), dispidOnInitialize, {text, BoolOut(&status)}, result);
    VariantClear(&text);
    EXPECT_EQ(result.hr, S_OK);
    EXPECT_EQ(result.value.lVal, 0);
    EXPECT_EQ(status, VARIANT_FALSE);

    status = VARIANT_TRUE;
    CallResult nullObject = OnInitialize(nullptr, &status);
    EXPECT_EQ(nullObject.hr, S_OK);
    EXPECT_EQ(status, VARIANT_FALSE);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(control->m_hostApp.m_lpDispatch, nullptr);
}

TEST_F(RastelCtrlTest, TheStatusMayComeAsAVariantByReference) {
    VARIANT status;
    VariantInit(&status);
    VARIANT byRef;
    VariantInit(&byRef);
    byRef.vt = VT_BYREF | VT_VARIANT;
    byRef.pvarVal = &status;
    CallResult result;
    InvokeMethod(Dispatch(), dispidOnInitialize, {DispatchArg(host.application), byRef}, result);
    EXPECT_EQ(result.hr, S_OK);
    EXPECT_EQ(status.vt, VT_BOOL);
    EXPECT_EQ(status.boolVal, VARIANT_TRUE);

    // A status that cannot be written is a type mismatch; nothing is called.
    host.calls.clear();
    InvokeMethod(Dispatch(), dispidOnInitialize, {DispatchArg(host.application), Empty()}, result);
    EXPECT_EQ(result.hr, DISP_E_TYPEMISMATCH);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(RastelCtrlTest, OnInitializeTwiceKeepsOneReferenceToTheLatestApplication) {
    const ULONG before = host.application->RefCount();
    VARIANT_BOOL status = VARIANT_FALSE;
    OnInitialize(host.application, &status);
    OnInitialize(host.application, &status);
    EXPECT_EQ(host.application->RefCount(), before + 1);
    EXPECT_EQ(host.application->MenuItems().size(), 2u);
    EXPECT_EQ(host.application->Properties().size(), 2u);
    EXPECT_EQ(host.application->Editors().size(), 2u);

    tarsel::TarselApplication* latest = tarsel::TarselApplication::Create();
    OnInitialize(latest, &status);
    EXPECT_EQ(host.application->RefCount(), before);
    EXPECT_EQ(latest->RefCount(), 2u);
    EXPECT_EQ(control->m_hostApp.m_lpDispatch, latest);
    latest->Release();
}

TEST_F(RastelCtrlTest, AFailingHostCallComesBackAsADispatchException) {
    host.application->RemoveMember("RegisterObjectProperty");
    VARIANT_BOOL status = VARIANT_TRUE;
    CallResult result = OnInitialize(host.application, &status);
    EXPECT_EQ(result.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(result.exception.scode, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(status, VARIANT_FALSE);
    EXPECT_EQ(host.application->MenuItems().size(), 1u);
    EXPECT_TRUE(host.application->Editors().empty());
}

TEST_F(RastelCtrlTest, TintoraWithAnElementEditsThatElement) {
    VARIANT_BOOL status;
    OnInitialize(host.application, &status);
    host.calls.clear();
    const auto counts = host.RefCounts();
    const auto activePixels = host.activeImage->Pixels();
    dialogs.script = ApplyFocus;

    CallResult result = Tintora(DispatchArg(host.otherElement));
    ASSERT_EQ(result.hr, S_OK);
    EXPECT_EQ(result.value.lVal, 0);
    EXPECT_EQ(dialogs.targets, std::vector<LPDISPATCH>{host.otherElement});
    EXPECT_EQ(Count("Application.ActiveCanvas"), 0u);
    EXPECT_NE(host.otherImage->Pixels(), StandInHost::Picture(90));
    EXPECT_EQ(host.activeImage->Pixels(), activePixels);
    EXPECT_EQ(host.otherElement->Redraws(), 1);
    EXPECT_EQ(host.RefCounts(), counts);
    EXPECT_EQ(control->m_target.m_lpDispatch, nullptr);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(RastelCtrlTest, TintoraByReferenceTakesTheElementToo) {
    IDispatch* element = host.otherElement;
    VARIANT byRef;
    VariantInit(&byRef);
    byRef.vt = VT_BYREF | VT_DISPATCH;
    byRef.ppdispVal = &element;
    Tintora(byRef);
    EXPECT_EQ(dialogs.targets, std::vector<LPDISPATCH>{host.otherElement});
}

TEST_F(RastelCtrlTest, TintoraWithoutAnElementFindsTheActiveObjectsFirstElement) {
    VARIANT_BOOL status;
    OnInitialize(host.application, &status);
    host.calls.clear();
    const auto counts = host.RefCounts();
    dialogs.script = ApplyFocus;

    Tintora(Empty());
    EXPECT_EQ(dialogs.targets, std::vector<LPDISPATCH>{host.activeElement});
    const std::vector<std::string> search{
        "Application.ActiveCanvas", "Canvas.Scene",      "Scene.ActiveObject", "SceneObject.Type",
        "SceneObject.Element",      "Element.RGBAImage", "Image.GetImageData"};
    ASSERT_GE(host.calls.size(), search.size());
    EXPECT_EQ(std::vector<std::string>(host.calls.begin(), host.calls.begin() + 7), search);
    EXPECT_NE(host.activeImage->Pixels(), StandInHost::Picture(10));
    // Every driver on the way, and the target, let go of their objects.
    EXPECT_EQ(host.RefCounts(), counts);
}

TEST_F(RastelCtrlTest, AnActiveObjectOfAnotherTypeOpensTheDialogWithoutATarget) {
    StandInHost other(3);
    VARIANT_BOOL status;
    OnInitialize(other.application, &status);
    other.calls.clear();
    const auto counts = other.RefCounts();
    dialogs.script = ApplyFocus;

    Tintora(Empty());
    EXPECT_EQ(dialogs.targets, std::vector<LPDISPATCH>{nullptr});
    EXPECT_EQ(other.calls, (std::vector<std::string>{"Application.ActiveCanvas", "Canvas.Scene",
                                                     "Scene.ActiveObject", "SceneObject.Type"}));
    EXPECT_EQ(other.activeImage->Pixels(), StandInHost::Picture(10));
    EXPECT_EQ(other.activeImage->FromRGBACalls(), 0);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(other.RefCounts(), counts);
}

TEST_F(RastelCtrlTest, NoActiveObjectEndsTheSearchAtOnce) {
    VARIANT_BOOL status;
    OnInitialize(host.application, &status);
    host.scene->SetActiveObject(nullptr);
    host.calls.clear();
    Tintora(Empty());
    EXPECT_EQ(dialogs.targets, std::vector<LPDISPATCH>{nullptr});
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Application.ActiveCanvas", "Canvas.Scene",
                                                    "Scene.ActiveObject"}));
}

TEST_F(RastelCtrlTest, WithoutAnApplicationTheDialogOpensWithoutATarget) {
    Tintora(Empty());
    EXPECT_EQ(dialogs.targets, std::vector<LPDISPATCH>{nullptr});
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(RastelCtrlTest, TheTargetIsReleasedAfterCancel) {
    const auto counts = host.RefCounts();
    dialogs.script = ApplyThenCancel;
    Tintora(DispatchArg(host.activeElement));
    EXPECT_EQ(dialogs.targets, std::vector<LPDISPATCH>{host.activeElement});
    EXPECT_EQ(host.activeImage->Pixels(), StandInHost::Picture(10));
    EXPECT_EQ(host.RefCounts(), counts);
    EXPECT_EQ(control->m_target.m_lpDispatch, nullptr);
    // The snapshot of the run stays with the control until the next one.
    ASSERT_NE(control->m_pOriginal, nullptr);
    EXPECT_EQ(control->m_nOriginalWidth, 4);
    EXPECT_EQ(control->m_nOriginalHeight, 3);
}

TEST_F(RastelCtrlTest, ExecuteRunsOnThePropertysOwnerAndLeavesItsCountAlone) {
    tarsel::TarselPropertyObject* property =
        tarsel::TarselPropertyObject::Create(host.otherElement);
    const ULONG propertyRefs = property->RefCount();
    const auto counts = host.RefCounts();
    const ULONG applicationRefs = host.application->RefCount();
    dialogs.script = ApplyFocus;

    CallResult result = Execute(host.application, property);
    EXPECT_EQ(result.hr, S_OK);
    EXPECT_EQ(result.value.lVal, 0);
    EXPECT_EQ(property->RefCount(), propertyRefs);
    EXPECT_EQ(dialogs.targets, std::vector<LPDISPATCH>{host.otherElement});
    EXPECT_NE(host.otherImage->Pixels(), StandInHost::Picture(90));
    // The application is kept, like after OnInitialize; nothing else is.
    EXPECT_EQ(host.application->RefCount(), applicationRefs + 1);
    EXPECT_EQ(control->m_hostApp.m_lpDispatch, host.application);
    auto after = host.RefCounts();
    after[0] = counts[0];
    EXPECT_EQ(after, counts);
    property->Release();
}

TEST_F(RastelCtrlTest, ExecuteWithoutAnOwnerElementOpensNothing) {
    tarsel::TarselPropertyObject* property = tarsel::TarselPropertyObject::Create(nullptr);
    const ULONG propertyRefs = property->RefCount();
    CallResult result = Execute(host.application, property);
    EXPECT_EQ(result.hr, S_OK);
    EXPECT_TRUE(dialogs.targets.empty());
    EXPECT_EQ(property->RefCount(), propertyRefs);
    EXPECT_EQ(Count("Application.ActiveCanvas"), 0u);
    property->Release();
}

TEST_F(RastelCtrlTest, ExecuteWantsTwoObjects) {
    CallResult result;
    InvokeMethod(Dispatch(), dispidExecute, {DispatchArg(host.application), Empty()}, result);
    EXPECT_EQ(result.hr, DISP_E_TYPEMISMATCH);
    InvokeMethod(Dispatch(), dispidExecute, {DispatchArg(host.application)}, result);
    EXPECT_EQ(result.hr, DISP_E_BADPARAMCOUNT);
    EXPECT_TRUE(dialogs.targets.empty());
}

TEST_F(RastelCtrlTest, AboutBoxShowsTheAboutBox) {
    CallResult result;
    InvokeMethod(Dispatch(), DISPID_ABOUTBOX, {}, result);
    EXPECT_EQ(result.hr, S_OK);
    EXPECT_EQ(result.value.vt, VT_EMPTY);
    EXPECT_EQ(dialogs.aboutBoxes, 1);
}
