// Tool runs started through IDispatch::Invoke on a control created from the
// module file by its ProgID, with the module's own tools dialog worked on screen.

#include "platform/automation/ComPtr.h"
#include "platform/com/ControlInterfaces.h"
#include "tests/module/ModalRobot.h"
#include "tests/module/ModuleProcess.h"
#include "tests/support/DispatchCalls.h"
#include "tests/support/StandInHost.h"

namespace {

// The Apply buttons of the tools dialog from top to bottom: Offset Image,
// Border Image, Motion Blur, Focus, More Effects.
constexpr size_t kApplyFocus = 3;

class EndToEndToolRunTest : public ModuleProcessTest {
protected:
    void SetUp() override {
        ModuleProcessTest::SetUp();
        Register();
        control = CreateByProgId<IDispatch>(u"Pellux.VOKSlet.RastelCtrl.1", IID_IDispatch);
        ASSERT_TRUE(control);
    }
    void TearDown() override {
        if (control) {
            EXPECT_EQ(control.Detach()->Release(), 0u);
        }
        ModuleProcessTest::TearDown();
    }

    void Initialize(StandInHost& host) {
        VARIANT_BOOL status = VARIANT_FALSE;
        CallResult(control.Get(), "OnInitialize",
                   {DispatchArg(host.application.Get()), BoolOut(&status)});
        ASSERT_EQ(status, VARIANT_TRUE);
        host.calls.clear();
    }

    CallResult Call(const char* method, std::vector<VARIANT> args) {
        return CallResult(control.Get(), method, std::move(args));
    }

    ComPtr<IDispatch> control;
    ModalRobot robot;
};

}  // namespace

TEST_F(EndToEndToolRunTest, TintoraEditsTheElementGivenElseTheActiveOneWhichCancelReleases) {
    StandInHost host;
    Initialize(host);
    const auto counts = host.RefCounts();
    robot.Then([](QWidget& dialog) {
        ModalRobot::Click(dialog, "Apply", kApplyFocus);
        ModalRobot::Click(dialog, "OK");
    });
    CallResult result = Call("Tintora", {DispatchArg(host.otherElement.Get())});
    EXPECT_EQ(std::tuple(result.hr, result.value.lVal), std::tuple(S_OK, 0));
    EXPECT_EQ(robot.titles, std::vector<std::string>{"Tintora"});
    EXPECT_NE(host.otherImage->Pixels(), StandInHost::Picture(90));
    EXPECT_EQ(host.activeImage->Pixels(), StandInHost::Picture(10));
    EXPECT_EQ(host.otherElement->Redraws(), 1);
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "Application.ActiveCanvas"), 0);
    // The host is left as the dialog left it, holding no reference of the control's.
    EXPECT_EQ(host.RefCounts(), counts);

    // Without an element the active one is edited; Cancel puts it back and releases it.
    robot.Then([&](QWidget& dialog) {
        ModalRobot::Click(dialog, "Apply", kApplyFocus);
        EXPECT_NE(host.activeImage->Pixels(), StandInHost::Picture(10));
        EXPECT_GT(host.activeElement->RefCount(), counts[5]);
        ModalRobot::Click(dialog, "Cancel");
    });
    Call("Tintora", {Empty()});
    EXPECT_EQ(host.activeImage->Pixels(), StandInHost::Picture(10));
    EXPECT_EQ(host.RefCounts(), counts);
}

TEST_F(EndToEndToolRunTest, WithAnActiveObjectOfType3TheDialogOpensWithoutATarget) {
    StandInHost host(3);
    Initialize(host);
    const auto counts = host.RefCounts();
    robot.Then([](QWidget& dialog) {
        for (size_t i = 0; i < 5; ++i) ModalRobot::Click(dialog, "Apply", i);
        ModalRobot::Click(dialog, "Restore");
        ModalRobot::Click(dialog, "OK");
    });
    CallResult result = Call("Tintora", {Empty()});
    EXPECT_EQ(result.hr, S_OK);
    EXPECT_EQ(robot.titles, std::vector<std::string>{"Tintora"});
    EXPECT_EQ(host.activeImage->Pixels(), StandInHost::Picture(10));
    EXPECT_EQ(host.activeImage->FromRGBACalls(), 0);
    EXPECT_EQ(host.activeImage->GetImageDataCalls(), 0);
    EXPECT_EQ(host.calls, (std::vector<std::string>{"Application.ActiveCanvas", "Canvas.Scene",
                                                    "Scene.ActiveObject", "SceneObject.Type"}));
    EXPECT_EQ(host.RefCounts(), counts);
}

TEST_F(EndToEndToolRunTest, ExecuteLeavesThePropertyObjectsCountAsItFoundIt) {
    StandInHost host;
    const auto property = ComPtr<tarsel::TarselPropertyObject>::Adopt(
        tarsel::TarselPropertyObject::Create(host.otherElement.Get()));
    const ULONG propertyRefs = property->RefCount();
    auto counts = host.RefCounts();
    ++counts[0];  // the application is kept, as after OnInitialize; nothing else is
    robot.Then([&](QWidget& dialog) {
        ModalRobot::Click(dialog, "Apply", kApplyFocus);
        ModalRobot::Click(dialog, "OK");
    });
    CallResult result =
        Call("Execute", {DispatchArg(host.application.Get()), DispatchArg(property.Get())});
    EXPECT_EQ(std::tuple(result.hr, result.value.lVal), std::tuple(S_OK, 0));
    EXPECT_EQ(property->RefCount(), propertyRefs);
    EXPECT_NE(host.otherImage->Pixels(), StandInHost::Picture(90));
    EXPECT_EQ(host.RefCounts(), counts);
}

// The Properties verb shows each control's page; the about box shows the module
// file's FileVersion as the product label, and no copyright of its own.
TEST_F(EndToEndToolRunTest, ThePropertiesVerbShowsEachControlsPageAndTheAboutBoxTheModulesVersion) {
    const auto close = [](QWidget& dialog) { dialog.close(); };
    std::vector<std::string> labels;
    robot.Then(close).Then(close).Then([&](QWidget& dialog) {
        labels = ModalRobot::Labels(dialog);
        EXPECT_TRUE(dialog.findChildren<QPushButton*>().empty()) << "the about box has no button";
        dialog.close();
    });
    auto editor = CreateByProgId<IOleObject>(u"Pellux.VOKSlet.RastelEditor.1", IID_IOleObject);
    ComPtr<IOleObject> object;
    ASSERT_EQ(control->QueryInterface(IID_IOleObject, object.ReceiveVoid()), S_OK);
    for (IOleObject* each : {object.Get(), editor.Get()}) {
        EXPECT_EQ(each->DoVerb(OLEIVERB_PROPERTIES), S_OK);
        EXPECT_EQ(each->DoVerb(OLEIVERB_PRIMARY), OLEOBJ_S_INVALIDVERB);
    }
    CallResult result = Call("AboutBox", {});
    EXPECT_EQ(std::tuple(result.hr, result.value.vt), std::tuple(S_OK, VT_EMPTY));
    EXPECT_EQ(robot.titles, (std::vector<std::string>{"General", "General", "About Tintora"}));
    for (const char* label : {"Tintora v8.0.0.2", "Copyright (C) Pellux"}) {
        EXPECT_NE(std::find(labels.begin(), labels.end(), label), labels.end()) << label;
    }
}
