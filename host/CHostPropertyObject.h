#pragma once

#include <memory>

#include "host/CHostElement.h"
#include "host/HostDriver.h"

// clang-format off
#define TINTORA_HOST_PROPERTY_OBJECT_MEMBERS(X) X(Count) X(ByIndex) X(ByName) X(OwnerElement)
// clang-format on

// The property object that the host passes to the property editor.
class CHostPropertyObject : public COleDispatchDriver {
public:
    // autoRelease false wraps a borrowed pointer that the driver must not release.
    void Attach(LPDISPATCH propertyObject, BOOL autoRelease = TRUE);

    std::unique_ptr<CHostElement> GetOwnerElement();

    TINTORA_HOST_PROPERTY_OBJECT_MEMBERS(TINTORA_DECLARE_DISPID)
};
