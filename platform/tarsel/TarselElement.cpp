#include "platform/tarsel/TarselElement.h"

namespace tarsel {

TarselElement* TarselElement::Create(TarselImage* image) { return new TarselElement(image); }

TarselElement::TarselElement(TarselImage* image) : DispatchObject("Element") {
    m_image = ComPtr<TarselImage>(image);
    AddMember(kIdRGBAImage, "RGBAImage",
              DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF,
              [this](Invocation& call) {
                  if (call.IsPut()) return PutRGBAImage(call);
                  call.ReturnDispatch(m_image.Get());
                  return S_OK;
              });
}

HRESULT TarselElement::PutRGBAImage(Invocation& call) {
    const VARIANT* value = call.PutValue();
    if (!value) return DISP_E_PARAMNOTFOUND;
    const VARIANT& object = VariantDereference(*value);
    if (object.vt != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
    auto* image = dynamic_cast<TarselImage*>(object.pdispVal);
    if (!image) return E_INVALIDARG;
    if (m_image.Get() && image != m_image.Get()) {
        m_image.Get()->SetPicture(image->Width(), image->Height(), image->Pixels());
    } else if (!m_image.Get()) {
        m_image = ComPtr<TarselImage>(image);
    }
    ++m_redraws;
    if (m_onRedraw) m_onRedraw();
    return S_OK;
}

}  // namespace tarsel
