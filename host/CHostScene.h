#pragma once

#include <memory>

#include "host/CHostObject.h"
#include "host/HostDriver.h"

// clang-format off
#define TINTORA_HOST_SCENE_MEMBERS(X)                                                      \
    X(NodeCount) X(Node) X(Resolution) X(Properties) X(Background) X(SafeTitle)            \
    X(BackgroundVisible) X(TwoDFrames) X(EnableGuides) X(RestoreCanvas) X(EditStaticObject) \
    X(DeleteStaticObject) X(StaticObjectCount) X(AddStaticObject) X(StaticObject)          \
    X(ActiveObject) X(CurrentFrame) X(NativeResolution)
// clang-format on

// The scene shown on a canvas.
class CHostScene : public COleDispatchDriver {
public:
    // Takes over a reference that the caller already holds.
    void Attach(LPDISPATCH scene);

    std::unique_ptr<CHostObject> GetActiveObject();

    TINTORA_HOST_SCENE_MEMBERS(TINTORA_DECLARE_DISPID)
};
