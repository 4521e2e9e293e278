#include "platform/tarsel/TarselSceneObject.h"

namespace tarsel {

TarselSceneObject* TarselSceneObject::Create(LONG type) { return new TarselSceneObject(type); }

TarselSceneObject::TarselSceneObject(LONG type) : DispatchObject("SceneObject"), m_type(type) {
    AddMember(kIdType, "Type", DISPATCH_PROPERTYGET, [this](Invocation& call) {
        call.ReturnLong(m_type);
        return S_OK;
    });
    AddMember(kIdElement, "Element", DISPATCH_METHOD | DISPATCH_PROPERTYGET,
              [this](Invocation& call) {
                  LONGLONG index = 0;
                  if (call.ArgCount() != 1 || !call.ArgInteger(0, index)) {
                      return DISP_E_TYPEMISMATCH;
                  }
                  const bool valid = index >= 0 && index < LONGLONG(m_elements.size());
                  call.ReturnDispatch(valid ? m_elements[size_t(index)].Get() : nullptr);
                  return S_OK;
              });
}

TarselSceneObject::~TarselSceneObject() = default;

void TarselSceneObject::AddElement(TarselElement* element) { m_elements.emplace_back(element); }

}  // namespace tarsel
