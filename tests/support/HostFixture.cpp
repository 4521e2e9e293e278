#include "tests/support/HostFixture.h"

HostFixture::HostFixture(int32_t width, int32_t height, std::vector<uint8_t> bgra)
    : image(ComPtr<tarsel::TarselImage>::Adopt(
          tarsel::TarselImage::Create(width, height, std::move(bgra)))),
      element(ComPtr<tarsel::TarselElement>::Adopt(tarsel::TarselElement::Create(image.Get()))) {}

void HostFixture::Target(CRastelCtrl& control) { control.m_target.Attach(element.NewReference()); }
