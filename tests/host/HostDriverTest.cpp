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

// A host model, application -> canvas -> scene -> active object (type 4) ->
// element -> image, with the application driver attached. At the end of every
// test each object is held by the model and by its parent only.
class HostDrivers : public ::testing::Test {
protected:
    HostDrivers() {
        object->AddElement(element);
        scene->SetActiveObject(object);
        application->SetActiveCanvas(canvas);
        for (DispatchObject* o : All()) o->SetCallLog(&log);
        app.Attach(application);
    }
    ~HostDrivers() override {
        app.ReleaseDispatch();
        for (DispatchObject* o : All()) {
            EXPECT_EQ(o->RefCount(), o == application ? 1u : 2u) << o->ClassName();
        }
        for (DispatchObject* o : All()) o->Release();
    }
    std::vector<DispatchObject*> All() {
        return {application, canvas, scene, object, element, image};
    }

    std::vector<std::string> log;
    TarselImage* image = TarselImage::Create(1, 1, {1, 2, 3, 4});
    TarselElement* element = TarselElement::Create(image);
    TarselSceneObject* object = TarselSceneObject::Create(TarselSceneObject::kGraphicType);
    TarselScene* scene = TarselScene::Create();
    TarselCanvas* canvas = TarselCanvas::Create(scene);
    TarselApplication* application = TarselApplication::Create();
    CHostApplication app;
};

TEST_F(HostDrivers, TheApplicationDriverTakesAReferenceOfItsOwnAndResolvesItsNames) {
    EXPECT_EQ(application->RefCount(), 2u);
    EXPECT_EQ(app.m_dispidActiveCanvas, kIdActiveCanvas);
    EXPECT_EQ(app.m_dispidRegisterMenuItem, kIdRegisterMenuItem);
    // Attaching again releases what it held first.
    app.Attach(application);
    EXPECT_EQ(application->RefCount(), 2u);
}

TEST_F(HostDrivers, TheTargetChainReleasesEveryIntermediateDriver) {
    {
        auto canvasDriver = app.GetActiveCanvas();
        ASSERT_TRUE(canvasDriver);
        auto sceneDriver = canvasDriver->GetScene();
        ASSERT_TRUE(sceneDriver);
        auto objectDriver = sceneDriver->GetActiveObject();
        ASSERT_TRUE(objectDriver);
        EXPECT_EQ(objectDriver->GetType(), CHostObject::kGraphicType);
        auto elementDriver = objectDriver->Element(0);
        ASSERT_TRUE(elementDriver);
        EXPECT_EQ(elementDriver->m_lpDispatch, static_cast<IDispatch*>(element));
        EXPECT_FALSE(objectDriver->Element(1));
        auto imageDriver = elementDriver->GetRGBAImage();
        ASSERT_TRUE(imageDriver);
        EXPECT_EQ(image->RefCount(), 3u);
    }
    EXPECT_EQ(log, (std::vector<std::string>{"Application.ActiveCanvas", "Canvas.Scene",
                                             "Scene.ActiveObject", "SceneObject.Type",
                                             "SceneObject.Element", "SceneObject.Element",
                                             "Element.RGBAImage"}));
    // A null object yields no driver.
    scene->SetActiveObject(nullptr);
    EXPECT_FALSE(app.GetActiveCanvas()->GetScene()->GetActiveObject());
    scene->SetActiveObject(object);
}

TEST_F(HostDrivers, AMissingNameStillAttachesAndOnlyItsCallFails) {
    object->RemoveMember("Type");
    auto objectDriver = app.GetActiveCanvas()->GetScene()->GetActiveObject();
    ASSERT_TRUE(objectDriver);
    EXPECT_EQ(objectDriver->m_dispidType, DISPID_UNKNOWN);
    EXPECT_EQ(objectDriver->m_dispidVisible, DISPID_UNKNOWN);  // never known to the stand-in
    EXPECT_NE(objectDriver->m_dispidElement, DISPID_UNKNOWN);
    try {
        objectDriver->GetType();
        ADD_FAILURE() << "the call of a missing member must fail";
    } catch (const COleDispatchException& e) {
        EXPECT_EQ(e.m_scError, DISP_E_MEMBERNOTFOUND);
    }
    EXPECT_TRUE(objectDriver->Element(0));
}

TEST_F(HostDrivers, RegistrationsReachTheHostWithTheirArguments) {
    EXPECT_EQ(app.RegisterMenuItem("Tintora", "Tools|", "Tintora"), 1);
    ASSERT_EQ(application->MenuItems().size(), 1u);
    EXPECT_EQ(application->MenuItems()[0].menuPath, "Tools|");
    COleVariant list;
    list.vt = VT_ARRAY | VT_BSTR;
    list.parray = SafeArrayFromStrings({"Tarsel2DObject"});
    app.RegisterObjectProperty("Tintora", "Empty", 0, "", list, "");
    app.RegisterObjectPropertyEditor("Tintora", "Pellux.VOKSlet.RastelCtrl.1", list);
    ASSERT_EQ(application->Properties().size(), 1u);
    const auto& property = application->Properties()[0];
    EXPECT_EQ(property.propertyName, "Empty");
    EXPECT_EQ(property.classes.vt, VT_ARRAY | VT_BSTR);
    EXPECT_EQ(property.classes.lowerBound, 0);
    EXPECT_EQ(property.classes.names, (std::vector<std::string>{"Tarsel2DObject"}));
    ASSERT_EQ(application->Editors().size(), 1u);
    EXPECT_EQ(application->Editors()[0].progId, "Pellux.VOKSlet.RastelCtrl.1");
}

TEST_F(HostDrivers, ABorrowedPropertyObjectIsNotReleased) {
    TarselPropertyObject* property = TarselPropertyObject::Create(element);
    {
        CHostPropertyObject driver;
        driver.Attach(property, FALSE);
        auto owner = driver.GetOwnerElement();
        ASSERT_TRUE(owner);
        EXPECT_EQ(owner->m_lpDispatch, static_cast<IDispatch*>(element));
    }
    EXPECT_EQ(property->RefCount(), 1u);
    property->Release();
}

}  // namespace
