#pragma once
// Common ground of the stand-in host's objects: a dispatch object that can
// hold references to other host objects.

#include "platform/automation/ComPtr.h"
#include "platform/automation/DispatchObject.h"

namespace tarsel {

// Member identifiers the stand-in host hands out. Any values would do; these
// keep every class's members distinct in logs and tests.
enum TarselDispId : DISPID {
    kIdActiveCanvas = 1,
    kIdRegisterMenuItem,
    kIdRegisterObjectProperty,
    kIdRegisterObjectPropertyEditor,
    kIdScene = 20,
    kIdActiveObject = 30,
    kIdType = 40,
    kIdElement,
    kIdRGBAImage = 50,
    kIdGetImageData = 60,
    kIdFromRGBA,
    kIdSize,
    kIdOwnerElement = 70,
};

}  // namespace tarsel
