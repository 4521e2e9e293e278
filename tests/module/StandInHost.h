#pragma once
// A stand-in host for the control's automation methods: an application whose
// active canvas shows a scene with one active object of a chosen type, which
// has one element with a small picture; a second element that belongs to no
// active object; and one call log for all of them.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/tarsel/TarselApplication.h"
#include "platform/tarsel/TarselPropertyObject.h"

struct StandInHost {
    explicit StandInHost(LONG activeType = tarsel::TarselSceneObject::kGraphicType);
    ~StandInHost();
    StandInHost(const StandInHost&) = delete;
    StandInHost& operator=(const StandInHost&) = delete;

    // The active element's picture is 4 x 3 from seed 10, the other one 5 x 2 from seed 90.
    static std::vector<uint8_t> Picture(uint8_t seed);
    // Every reference count that a tool run must leave as it found.
    std::vector<ULONG> RefCounts() const;

    std::vector<std::string> calls;
    tarsel::TarselApplication* application;
    tarsel::TarselCanvas* canvas;
    tarsel::TarselScene* scene;
    tarsel::TarselSceneObject* active;
    tarsel::TarselImage* activeImage;
    tarsel::TarselElement* activeElement;
    tarsel::TarselImage* otherImage;
    tarsel::TarselElement* otherElement;
};

inline StandInHost::StandInHost(LONG activeType) {
    activeImage = tarsel::TarselImage::Create(4, 3, Picture(10));
    activeElement = tarsel::TarselElement::Create(activeImage);
    otherImage = tarsel::TarselImage::Create(5, 2, Picture(90));
    otherElement = tarsel::TarselElement::Create(otherImage);
    active = tarsel::TarselSceneObject::Create(activeType);
    active->AddElement(activeElement);
    scene = tarsel::TarselScene::Create();
    scene->SetActiveObject(active);
    canvas = tarsel::TarselCanvas::Create(scene);
    application = tarsel::TarselApplication::Create();
    application->SetActiveCanvas(canvas);
    for (DispatchObject* object :
         std::initializer_list<DispatchObject*>{application, canvas, scene, active, activeImage,
                                                activeElement, otherImage, otherElement}) {
        object->SetCallLog(&calls);
    }
}

inline StandInHost::~StandInHost() {
    application->Release();
    canvas->Release();
    scene->Release();
    active->Release();
    activeElement->Release();
    activeImage->Release();
    otherElement->Release();
    otherImage->Release();
}

inline std::vector<uint8_t> StandInHost::Picture(uint8_t seed) {
    std::vector<uint8_t> bytes(seed == 10 ? 4 * 3 * 4 : 5 * 2 * 4);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(seed + i * 7);
    return bytes;
}

inline std::vector<ULONG> StandInHost::RefCounts() const {
    return {application->RefCount(), canvas->RefCount(),      scene->RefCount(),
            active->RefCount(),      activeImage->RefCount(), activeElement->RefCount(),
            otherImage->RefCount(),  otherElement->RefCount()};
}
