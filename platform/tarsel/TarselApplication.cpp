#include "platform/tarsel/TarselApplication.h"

#include "platform/automation/Bstr.h"
#include "platform/automation/ComPtr.h"
#include "platform/automation/SafeArray.h"

namespace tarsel {

namespace {

// Reads a VARIANT holding a one-dimensional array of strings.
bool ReadClassNames(const VARIANT& argument, ClassNameList& list) {
    const VARIANT& v = VariantDereference(argument);
    list.vt = v.vt;
    if (v.vt != (VT_ARRAY | VT_BSTR) || !v.parray || SafeArrayGetDim(v.parray) != 1) return false;
    LONG upper = 0;
    SafeArrayGetLBound(v.parray, 1, &list.lowerBound);
    SafeArrayGetUBound(v.parray, 1, &upper);
    for (LONG i = list.lowerBound; i <= upper; ++i) {
        ScopedBstr name;
        SafeArrayGetElement(v.parray, &i, name.Receive());
        list.names.push_back(name.Narrow());
    }
    return true;
}

}  // namespace

TarselApplication* TarselApplication::Create() { return new TarselApplication(); }

TarselApplication::TarselApplication() : DispatchObject("Application") {
    AddMember(kIdActiveCanvas, "ActiveCanvas", DISPATCH_PROPERTYGET, [this](Invocation& call) {
        call.ReturnDispatch(m_canvas.Get());
        return S_OK;
    });
    AddMember(kIdRegisterMenuItem, "RegisterMenuItem", DISPATCH_METHOD,
              [this](Invocation& call) { return RegisterMenuItem(call); });
    AddMember(kIdRegisterObjectProperty, "RegisterObjectProperty", DISPATCH_METHOD,
              [this](Invocation& call) { return RegisterObjectProperty(call); });
    AddMember(kIdRegisterObjectPropertyEditor, "RegisterObjectPropertyEditor", DISPATCH_METHOD,
              [this](Invocation& call) { return RegisterObjectPropertyEditor(call); });
}

HRESULT TarselApplication::RegisterMenuItem(Invocation& call) {
    MenuItemRegistration r;
    if (call.ArgCount() != 3) return DISP_E_BADPARAMCOUNT;
    if (!call.ArgString(0, r.pluginName) || !call.ArgString(1, r.menuPath) ||
        !call.ArgString(2, r.methodName)) {
        return DISP_E_TYPEMISMATCH;
    }
    m_menuItems.push_back(std::move(r));
    call.ReturnLong(LONG(m_menuItems.size()));
    return S_OK;
}

HRESULT TarselApplication::RegisterObjectProperty(Invocation& call) {
    PropertyRegistration r;
    LONGLONG flags = 0;
    if (call.ArgCount() != 6) return DISP_E_BADPARAMCOUNT;
    if (!call.ArgString(0, r.pluginName) || !call.ArgString(1, r.propertyName) ||
        !call.ArgInteger(2, flags) || !call.ArgString(3, r.text1) ||
        !ReadClassNames(call.Arg(4), r.classes) || !call.ArgString(5, r.text2)) {
        return DISP_E_TYPEMISMATCH;
    }
    r.flags = LONG(flags);
    m_properties.push_back(std::move(r));
    call.ReturnLong(LONG(m_properties.size()));
    return S_OK;
}

HRESULT TarselApplication::RegisterObjectPropertyEditor(Invocation& call) {
    PropertyEditorRegistration r;
    if (call.ArgCount() != 3) return DISP_E_BADPARAMCOUNT;
    if (!call.ArgString(0, r.pluginName) || !call.ArgString(1, r.progId) ||
        !ReadClassNames(call.Arg(2), r.classes)) {
        return DISP_E_TYPEMISMATCH;
    }
    m_editors.push_back(std::move(r));
    call.ReturnLong(LONG(m_editors.size()));
    return S_OK;
}

}  // namespace tarsel
