#include <gtest/gtest.h>

#include <vector>

#include "host/CHostApplication.h"
#include "host/CHostPropertyObject.h"
#include "platform/automation/OleVariant.h"
#include "platform/automation/SafeArray.h"
#include "platform/tarsel/TarselApplication.h"
#include "platform/tarsel/TarselPropertyObject.h"

namespace {

using namespace tarsel;

// application -> canvas -> scene -> active object (type 4) -> element -> image
struct HostModel {
    HostModel() {
        image = TarselImage::Create(1, 1, {1, 2, 3, 4});
        element = TarselElement::Create(image);
        object = TarselSceneObject::Create(TarselSceneObject::kGraphicType);
        object->AddElement(element);
        scene = TarselScene::Create();
        scene->SetActiveObject(object);
        canvas = TarselCanvas::Create(scene);
        app = TarselApplication::Create();
        app->SetActiveCanvas(canvas);
        for (DispatchObject* o : All()) o->SetCallLog(&log);
    }
    ~HostModel() {
        for (DispatchObject* o : All()) o->Release();
    }
    std::vector<DispatchObject*> All() { return {app, canvas, scene, object, element, image}; }
    // Every object is held by the model and by its parent only.
    void ExpectBaselineCounts() {
        EXPECT_EQ(app->RefCount(), 1u);
        EXPECT_EQ(canvas->RefCount(), 2u);
        EXPECT_EQ(scene->RefCount(), 2u);
        EXPECT_EQ(object->RefCount(), 2u);
        EXPECT_EQ(element->RefCount(), 2u);
        EXPECT_EQ(image->RefCount(), 2u);
    }

    std::vector<std::string> log;
    TarselApplication* app;
    TarselCanvas* canvas;
    TarselScene* scene;
    TarselSceneObject* object;
    TarselElement* element;
    TarselImage* image;
};

TEST(HostDrivers, ApplicationDriverTakesAReferenceOfItsOwn) {
    HostModel host;
    {
        CHostApplication app;
        app.Attach(host.app);
        EXPECT_EQ(host.app->RefCount(), 2u);
        EXPECT_EQ(app.m_dispidActiveCanvas, kIdActiveCanvas);
        EXPECT_EQ(app.m_dispidRegisterMenuItem, kIdRegisterMenuItem);
        // Attaching again releases what it held first.
        app.Attach(host.app);
        EXPECT_EQ(host.app->RefCount(), 2u);
    }
    host.ExpectBaselineCounts();
}

TEST(HostDrivers, TheTargetChainReleasesEveryIntermediateDriver) {
    HostModel host;
    {
        CHostApplication app;
        app.Attach(host.app);
        auto canvas = app.GetActiveCanvas();
        ASSERT_TRUE(canvas);
        auto scene = canvas->GetScene();
        ASSERT_TRUE(scene);
        auto object = scene->GetActiveObject();
        ASSERT_TRUE(object);
        EXPECT_EQ(object->GetType(), CHostObject::kGraphicType);
        auto element = object->Element(0);
        ASSERT_TRUE(element);
        EXPECT_EQ(element->m_lpDispatch, static_cast<IDispatch*>(host.element));
        EXPECT_FALSE(object->Element(1));
        auto image = element->GetRGBAImage();
        ASSERT_TRUE(image);
        EXPECT_EQ(host.image->RefCount(), 3u);
    }
    host.ExpectBaselineCounts();
    EXPECT_EQ(host.log, (std::vector<std::string>{"Application.ActiveCanvas", "Canvas.Scene",
                                                  "Scene.ActiveObject", "SceneObject.Type",
                                                  "SceneObject.Element", "SceneObject.Element",
                                                  "Element.RGBAImage"}));
}

TEST(HostDrivers, ANullObjectYieldsNoDriver) {
    HostModel host;
    host.scene->SetActiveObject(nullptr);
    CHostApplication app;
    app.Attach(host.app);
    auto scene = app.GetActiveCanvas()->GetScene();
    EXPECT_FALSE(scene->GetActiveObject());
}

TEST(HostDrivers, AMissingNameStillAttachesAndOnlyItsCallFails) {
    HostModel host;
    host.object->RemoveMember("Type");
    CHostApplication app;
    app.Attach(host.app);
    auto object = app.GetActiveCanvas()->GetScene()->GetActiveObject();
    ASSERT_TRUE(object);
    EXPECT_EQ(object->m_dispidType, DISPID_UNKNOWN);
    EXPECT_EQ(object->m_dispidVisible, DISPID_UNKNOWN);  // never known to the stand-in
    EXPECT_NE(object->m_dispidElement, DISPID_UNKNOWN);
    try {
        object->GetType();
        FAIL() << "the call of a missing member must fail";
    } catch (const COleDispatchException& e) {
        EXPECT_EQ(e.m_scError, DISP_E_MEMBERNOTFOUND);
    }
    EXPECT_TRUE(object->Element(0));
}

TEST(HostDrivers, RegistrationsReachTheHostWithTheirArguments) {
    HostModel host;
    CHostApplication app;
    app.Attach(host.app);
    EXPECT_EQ(app.RegisterMenuItem("Tintora", "Tools|", "Tintora"), 1);
    ASSERT_EQ(host.app->MenuItems().size(), 1u);
    EXPECT_EQ(host.app->MenuItems()[0].menuPath, "Tools|");

    COleVariant list;
    list.vt = VT_ARRAY | VT_BSTR;
    list.parray = SafeArrayFromStrings({"Tarsel2DObject"});
    app.RegisterObjectProperty("Tintora", "Empty", 0, "", list, "");
    app.RegisterObjectPropertyEditor("Tintora", "Pellux.VOKSlet.RastelCtrl.1", list);
    ASSERT_EQ(host.app->Properties().size(), 1u);
    const auto& property = host.app->Properties()[0];
    EXPECT_EQ(property.propertyName, "Empty");
    EXPECT_EQ(property.classes.vt, VT_ARRAY | VT_BSTR);
    EXPECT_EQ(property.classes.lowerBound, 0);
    EXPECT_EQ(property.classes.names, (std::vector<std::string>{"Tarsel2DObject"}));
    ASSERT_EQ(host.app->Editors().size(), 1u);
    EXPECT_EQ(host.app->Editors()[0].progId, "Pellux.VOKSlet.RastelCtrl.1");
}

TEST(HostDrivers, BorrowedPropertyObjectIsNotReleased) {
    HostModel host;
    TarselPropertyObject* property = TarselPropertyObject::Create(host.element);
    {
        CHostPropertyObject driver;
        driver.Attach(property, FALSE);
        auto owner = driver.GetOwnerElement();
        ASSERT_TRUE(owner);
        EXPECT_EQ(owner->m_lpDispatch, static_cast<IDispatch*>(host.element));
    }
    EXPECT_EQ(property->RefCount(), 1u);
    property->Release();
    host.ExpectBaselineCounts();
}

}  // namespace
