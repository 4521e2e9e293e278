#pragma once
// The view's class: its identity, and its class object offered to
// CoCreateInstance in this process, as the module that ships the view does
// while it is loaded.

#include "platform/automation/Guid.h"

namespace imageview {

inline constexpr const char* kImageEnXClassId = "{1C612D86-A0F5-48AC-A03E-B2CF137F646C}";
inline constexpr CLSID CLSID_ImageEnX = MakeGuid("{1C612D86-A0F5-48AC-A03E-B2CF137F646C}");

// Offers the class while it lives; registrations nest.
class ImageEnXClassRegistration {
public:
    ImageEnXClassRegistration();
    ~ImageEnXClassRegistration();
    ImageEnXClassRegistration(const ImageEnXClassRegistration&) = delete;
    ImageEnXClassRegistration& operator=(const ImageEnXClassRegistration&) = delete;

    bool Registered() const { return m_cookie != 0; }

private:
    DWORD m_cookie = 0;
};

}  // namespace imageview
