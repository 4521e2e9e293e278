#include <gtest/gtest.h>

#include "host/CHostApplication.h"
#include "platform/automation/ComPtr.h"
#include "platform/tarsel/TarselApplication.h"

namespace {

using namespace tarsel;

template <class T>
ComPtr<T> Made(T* object) {
    return ComPtr<T>::Adopt(object);
}

// A driver resolves its names when it attaches; a name the host does not know
// leaves the driver usable and fails only its own call.
TEST(HostDrivers, AMissingNameStillAttachesAndOnlyItsCallFails) {
    const auto image = Made(TarselImage::Create(1, 1, {1, 2, 3, 4}));
    const auto element = Made(TarselElement::Create(image.Get()));
    const auto object = Made(TarselSceneObject::Create(TarselSceneObject::kGraphicType));
    const auto scene = Made(TarselScene::Create());
    const auto canvas = Made(TarselCanvas::Create(scene.Get()));
    const auto application = Made(TarselApplication::Create());
    object->AddElement(element.Get());
    scene->SetActiveObject(object.Get());
    application->SetActiveCanvas(canvas.Get());
    object->RemoveMember("Type");
    CHostApplication app;
    app.Attach(application.Get());  // the driver takes a reference of its own
    auto objectDriver = app.GetActiveCanvas()->GetScene()->GetActiveObject();
    ASSERT_TRUE(objectDriver);
    EXPECT_EQ(objectDriver->m_dispidType, DISPID_UNKNOWN);
    EXPECT_EQ(objectDriver->m_dispidVisible, DISPID_UNKNOWN);  // never known to the stand-in
    try {
        objectDriver->GetType();
        ADD_FAILURE() << "the call of a missing member must fail";
    } catch (const COleDispatchException& e) {
        EXPECT_EQ(e.m_scError, DISP_E_MEMBERNOTFOUND);
    }
    EXPECT_EQ(objectDriver->Element(0)->m_lpDispatch, static_cast<IDispatch*>(element.Get()));
}

}  // namespace
