#pragma once
// A stand-in host for the control's automation methods and the host drivers:
// an application whose active canvas shows a scene with one active object of a
// chosen type, which has one element with a small picture; a second element
// that belongs to no active object; and one call log for all of them.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/automation/ComPtr.h"
#include "platform/tarsel/TarselApplication.h"
#include "platform/tarsel/TarselPropertyObject.h"

struct StandInHost {
    explicit StandInHost(LONG activeType = tarsel::TarselSceneObject::kGraphicType);
    StandInHost(const StandInHost&) = delete;
    StandInHost& operator=(const StandInHost&) = delete;

    // The active element's picture is 4 x 3 from seed 10, the other one 5 x 2 from seed 90.
    static std::vector<uint8_t> Picture(uint8_t seed) {
        std::vector<uint8_t> bytes(seed == 10 ? 4 * 3 * 4 : 5 * 2 * 4);
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(seed + i * 7);
        return bytes;
    }
    // Every reference count that a tool run must leave as it found.
    std::vector<ULONG> RefCounts() const {
        return {application->RefCount(), canvas->RefCount(),      scene->RefCount(),
                active->RefCount(),      activeImage->RefCount(), activeElement->RefCount(),
                otherImage->RefCount(),  otherElement->RefCount()};
    }

    template <class T>
    static ComPtr<T> Made(T* object) {
        return ComPtr<T>::Adopt(object);
    }

    std::vector<std::string> calls;
    ComPtr<tarsel::TarselImage> activeImage = Made(tarsel::TarselImage::Create(4, 3, Picture(10)));
    ComPtr<tarsel::TarselElement> activeElement =
        Made(tarsel::TarselElement::Create(activeImage.Get()));
    ComPtr<tarsel::TarselImage> otherImage = Made(tarsel::TarselImage::Create(5, 2, Picture(90)));
    ComPtr<tarsel::TarselElement> otherElement =
        Made(tarsel::TarselElement::Create(otherImage.Get()));
    ComPtr<tarsel::TarselSceneObject> active;
    ComPtr<tarsel::TarselScene> scene = Made(tarsel::TarselScene::Create());
    ComPtr<tarsel::TarselCanvas> canvas = Made(tarsel::TarselCanvas::Create(scene.Get()));
    ComPtr<tarsel::TarselApplication> application = Made(tarsel::TarselApplication::Create());
};

inline StandInHost::StandInHost(LONG activeType)
    : active(Made(tarsel::TarselSceneObject::Create(activeType))) {
    active->AddElement(activeElement.Get());
    scene->SetActiveObject(active.Get());
    application->SetActiveCanvas(canvas.Get());
    for (DispatchObject* object : std::initializer_list<DispatchObject*>{
             application.Get(), canvas.Get(), scene.Get(), active.Get(), activeImage.Get(),
             activeElement.Get(), otherImage.Get(), otherElement.Get()}) {
        object->SetCallLog(&calls);
    }
}
