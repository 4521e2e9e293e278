// The effect control's automation methods, called through its IDispatch as the
// host calls them, with scripted dialog runs: the argument forms, failures and
// searches that the end-to-end runs through the module file do not reach.

#include <gtest/gtest.h>

#include <algorithm>

#include "control/CRastelCtrl.h"
#include "control/ModuleIds.h"
#include "tests/module/ScriptedDialogs.h"
#include "tests/support/DispatchCalls.h"
#include "tests/support/RecordingPrompts.h"
#include "tests/support/StandInHost.h"

namespace {

class RastelCtrlTest : public ::testing::Test {
protected:
    HRESULT Call(DISPID id, std::vector<VARIANT> args) {
        return CallResult(control, id, std::move(args)).hr;
    }

    // A tool run without an element; returns what it asked of the host.
    std::vector<std::string> SearchingRun() {
        host.calls.clear();
        const auto counts = host.RefCounts();
        EXPECT_EQ(Call(dispidTintora, {Empty()}), S_OK);
        // Every driver on the way, and the target, let go of their objects.
        EXPECT_EQ(host.RefCounts(), counts);
        return host.calls;
    }

    const ComPtr<CRastelCtrl> held = ComPtr<CRastelCtrl>::Adopt(new CRastelCtrl());
    CRastelCtrl* control = held.Get();
    StandInHost host;
    ScriptedDialogs dialogs;
    RecordingPrompts prompts;
};

}  // namespace

TEST_F(RastelCtrlTest, OnInitializeWithoutAnApplicationRegistersNothing) {
    VARIANT text = MakeVariantBstr("Tarsel");
    for (const VARIANT& application : {text, DispatchArg(nullptr)}) {
        SCOPED_TRACE(application.vt);
        VARIANT_BOOL status = VARIANT_TRUE;
        const CallResult result(control, dispidOnInitialize, {application, BoolOut(&status)});
        EXPECT_EQ(std::tuple(result.hr, result.value.lVal), std::tuple(S_OK, 0));
        EXPECT_EQ(status, VARIANT_FALSE);
    }
    VariantClear(&text);
    EXPECT_EQ(control->m_hostApp.m_lpDispatch, nullptr);
}

TEST_F(RastelCtrlTest, TheStatusMayComeAsAVariantByReference) {
    VARIANT status{};
    VARIANT byRef{};
    byRef.vt = VT_BYREF | VT_VARIANT, byRef.pvarVal = &status;
    EXPECT_EQ(Call(dispidOnInitialize, {DispatchArg(host.application.Get()), byRef}), S_OK);
    EXPECT_EQ(std::tuple(status.vt, status.boolVal), std::tuple(VT_BOOL, VARIANT_TRUE));

    // A status that cannot be written is a type mismatch; nothing is called.
    host.calls.clear();
    EXPECT_EQ(Call(dispidOnInitialize, {DispatchArg(host.application.Get()), Empty()}),
              DISP_E_TYPEMISMATCH);
    EXPECT_TRUE(host.calls.empty());
}

TEST_F(RastelCtrlTest, AFailingHostCallComesBackAsADispatchException) {
    host.application->RemoveMember("RegisterObjectProperty");
    VARIANT_BOOL status = VARIANT_TRUE;
    const CallResult result(control, dispidOnInitialize,
                            {DispatchArg(host.application.Get()), BoolOut(&status)});
    EXPECT_EQ(result.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(result.exception.scode, DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(status, VARIANT_FALSE);
    EXPECT_EQ(host.application->MenuItems().size(), 1u);
    EXPECT_TRUE(host.application->Editors().empty());
}

TEST_F(RastelCtrlTest, AnElementMayComeByReferenceAndANullOneIsNone) {
    IDispatch* element = host.otherElement.Get();
    VARIANT byRef{};
    byRef.vt = VT_BYREF | VT_DISPATCH, byRef.ppdispVal = &element;
    Call(dispidTintora, {byRef});
    Call(dispidTintora, {DispatchArg(nullptr)});
    EXPECT_EQ(dialogs.targets, (std::vector<LPDISPATCH>{host.otherElement.Get(), nullptr}));
}

TEST_F(RastelCtrlTest, WithoutAnElementTheRunSearchesForTheActiveObjectsFirstElement) {
    dialogs.script = ApplyFocus;
    EXPECT_TRUE(SearchingRun().empty());  // no application to ask yet

    VARIANT_BOOL status = VARIANT_FALSE;
    ASSERT_EQ(Call(dispidOnInitialize, {DispatchArg(host.application.Get()), BoolOut(&status)}),
              S_OK);
    ASSERT_EQ(status, VARIANT_TRUE);
    const std::vector<std::string> search{
        "Application.ActiveCanvas", "Canvas.Scene",      "Scene.ActiveObject", "SceneObject.Type",
        "SceneObject.Element",      "Element.RGBAImage", "Image.GetImageData"};
    const auto calls = SearchingRun();
    ASSERT_GE(calls.size(), search.size());
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 7), search);
    EXPECT_NE(host.activeImage->Pixels(), StandInHost::Picture(10));
    // The snapshot of the run stays with the control until the next one.
    ASSERT_NE(control->m_pOriginal, nullptr);
    EXPECT_EQ(std::tuple(control->m_nOriginalWidth, control->m_nOriginalHeight), std::tuple(4, 3));

    // Without an active object the search ends at once.
    host.scene->SetActiveObject(nullptr);
    EXPECT_EQ(SearchingRun(), (std::vector<std::string>(search.begin(), search.begin() + 3)));
    EXPECT_EQ(dialogs.targets,
              (std::vector<LPDISPATCH>{nullptr, host.activeElement.Get(), nullptr}));
}

TEST_F(RastelCtrlTest, ExecuteWithoutAnOwnerElementOrTwoObjectsOpensNothing) {
    const auto property =
        ComPtr<tarsel::TarselPropertyObject>::Adopt(tarsel::TarselPropertyObject::Create(nullptr));
    const ULONG propertyRefs = property->RefCount();
    EXPECT_EQ(
        Call(dispidExecute, {DispatchArg(host.application.Get()), DispatchArg(property.Get())}),
        S_OK);
    EXPECT_EQ(property->RefCount(), propertyRefs);
    EXPECT_EQ(Call(dispidExecute, {DispatchArg(host.application.Get()), Empty()}),
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(Call(dispidExecute, {DispatchArg(host.application.Get())}), DISP_E_BADPARAMCOUNT);
    EXPECT_TRUE(dialogs.targets.empty());
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "Application.ActiveCanvas"), 0);
}
