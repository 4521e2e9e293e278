#pragma once
// A stand-in host with one graphic element, and a control whose target is that
// element: the common ground of tests that run the pipeline.

#include <cstdint>
#include <vector>

#include "control/CRastelCtrl.h"
#include "platform/automation/ComPtr.h"
#include "platform/tarsel/TarselElement.h"

class HostFixture {
public:
    HostFixture(int32_t width, int32_t height, std::vector<uint8_t> bgra);
    HostFixture(const HostFixture&) = delete;
    HostFixture& operator=(const HostFixture&) = delete;

    // Makes the element the control's target.
    void Target(CRastelCtrl& control);

    ComPtr<tarsel::TarselImage> image;
    ComPtr<tarsel::TarselElement> element;
};
