#pragma once
// Common ground of the stand-in host's objects: a dispatch object that can
// hold references to other host objects.

#include "platform/automation/DispatchObject.h"

namespace tarsel {

// Holds one counted reference to a host object (or none).
template <class T>
class Ref {
public:
    Ref() = default;
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref() { Reset(nullptr); }

    void Reset(T* object) {
        if (object) object->AddRef();
        if (m_object) m_object->Release();
        m_object = object;
    }
    T* Get() const { return m_object; }

private:
    T* m_object = nullptr;
};

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
