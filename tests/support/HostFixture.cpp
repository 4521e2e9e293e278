#include "tests/support/HostFixture.h"

HostFixture::HostFixture(int32_t width, int32_t height, std::vector<uint8_t> bgra) {
    image = tarsel::TarselImage::Create(width, height, std::move(bgra));
    element = tarsel::TarselElement::Create(image);
}

HostFixture::~HostFixture() {
    element->Release();
    image->Release();
}

void HostFixture::Target(CRastelCtrl& control) {
    element->AddRef();
    control.m_target.Attach(element);
}
