#pragma once

#include <memory>

#include "host/CHostElement.h"
#include "host/HostDriver.h"

// clang-format off
#define TINTORA_HOST_OBJECT_MEMBERS(X)                                                   \
    X(Visible) X(Properties) X(ElementCount) X(Element) X(Type) X(Name) X(Rect) X(InTime) \
    X(OutTime)
// clang-format on

// An object of a scene.
class CHostObject : public COleDispatchDriver {
public:
    // The object type whose first element the plug-in edits.
    static constexpr LONG kGraphicType = 4;

    // Takes over a reference that the caller already holds.
    void Attach(LPDISPATCH object);

    LONG GetType();
    std::unique_ptr<CHostElement> Element(LONG index);

    TINTORA_HOST_OBJECT_MEMBERS(TINTORA_DECLARE_DISPID)
};
