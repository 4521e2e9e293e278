#pragma once

#include <memory>

#include "host/CHostScene.h"
#include "host/HostDriver.h"

// clang-format off
#define TINTORA_HOST_CANVAS_MEMBERS(X) \
    X(Scene) X(ClientToScreenX) X(ClientToScreenY) X(SetResolution) X(WindowDimension)
// clang-format on

// A canvas (view) of the host.
class CHostCanvas : public COleDispatchDriver {
public:
    // Takes over a reference that the caller already holds.
    void Attach(LPDISPATCH canvas);

    std::unique_ptr<CHostScene> GetScene();

    TINTORA_HOST_CANVAS_MEMBERS(TINTORA_DECLARE_DISPID)
};
