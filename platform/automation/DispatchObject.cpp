#include "platform/automation/DispatchObject.h"

#include <algorithm>
#include <cctype>

#include "platform/automation/Bstr.h"

namespace {

bool EqualNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

}  // namespace

Invocation::Invocation(WORD flags, DISPPARAMS* params, VARIANT* result)
    : m_flags(flags), m_params(params), m_result(result) {
    m_positional = params->cArgs - (PutValue() ? 1 : 0);
}

VARIANT& Invocation::Arg(UINT i) const { return m_params->rgvarg[m_params->cArgs - 1 - i]; }

const VARIANT* Invocation::PutValue() const {
    if (!IsPut() || m_params->cArgs == 0) return nullptr;
    for (UINT k = 0; k < m_params->cNamedArgs; ++k) {
        if (m_params->rgdispidNamedArgs[k] == DISPID_PROPERTYPUT) return &m_params->rgvarg[k];
    }
    return nullptr;
}

bool Invocation::ArgInteger(UINT i, LONGLONG& value) const {
    if (i >= m_positional) return false;
    auto v = VariantToInteger(Arg(i));
    if (!v) return false;
    value = *v;
    return true;
}

bool Invocation::ArgString(UINT i, std::string& value) const {
    if (i >= m_positional) return false;
    const VARIANT& v = VariantDereference(Arg(i));
    if (v.vt == VT_BSTR) {
        value = NarrowFromBstr(v.bstrVal);
        return true;
    }
    if (v.vt == (VT_BYREF | VT_BSTR) && v.pbstrVal) {
        value = NarrowFromBstr(*v.pbstrVal);
        return true;
    }
    return false;
}

bool Invocation::ArgDispatch(UINT i, IDispatch*& value) const {
    if (i >= m_positional) return false;
    const VARIANT& v = VariantDereference(Arg(i));
    if (v.vt == VT_DISPATCH) {
        value = v.pdispVal;
        return true;
    }
    if (v.vt == (VT_BYREF | VT_DISPATCH) && v.ppdispVal) {
        value = *v.ppdispVal;
        return true;
    }
    return false;
}

void Invocation::ReturnLong(LONG value) {
    if (!m_result) return;
    VariantClear(m_result);
    *m_result = MakeVariantI4(value);
}

void Invocation::ReturnBool(bool value) {
    if (!m_result) return;
    VariantClear(m_result);
    m_result->vt = VT_BOOL;
    m_result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

void Invocation::ReturnDouble(double value) {
    if (!m_result) return;
    VariantClear(m_result);
    m_result->vt = VT_R8;
    m_result->dblVal = value;
}

void Invocation::ReturnDispatch(IDispatch* object) {
    if (!m_result) return;
    VariantClear(m_result);
    *m_result = MakeVariantDispatch(object);
}

DispatchObject::DispatchObject(std::string className) : m_className(std::move(className)) {}

DispatchObject::~DispatchObject() = default;

HRESULT DispatchObject::QueryInterface(REFIID iid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    return QueryOtherInterface(iid, object);
}

HRESULT DispatchObject::QueryOtherInterface(REFIID, void**) { return E_NOINTERFACE; }

ULONG DispatchObject::AddRef() { return ++m_refs; }

ULONG DispatchObject::Release() {
    const ULONG left = --m_refs;
    if (left == 0) delete this;
    return left;
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    // Only member names are resolved; parameter names are not.
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    const std::string name = NarrowFromWide(names[0] ? std::u16string_view(names[0]) : u"");
    auto it = std::find_if(m_members.begin(), m_members.end(),
                           [&](const Member& m) { return EqualNoCase(m.name, name); });
    if (it == m_members.end()) return DISP_E_UNKNOWNNAME;
    ids[0] = it->id;
    if (count > 1) hr = DISP_E_UNKNOWNNAME;
    return hr;
}

const DispatchObject::Member* DispatchObject::FindMember(DISPID id) const {
    auto it = std::find_if(m_members.begin(), m_members.end(),
                           [&](const Member& m) { return m.id == id; });
    return it == m_members.end() ? nullptr : &*it;
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO*, UINT*) {
    if (!params) return E_INVALIDARG;
    if (params->cArgs > 0 && !params->rgvarg) return E_INVALIDARG;
    const Member* member = FindMember(id);
    if (!member || (member->kinds & flags) == 0) return DISP_E_MEMBERNOTFOUND;
    const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
    if (params->cNamedArgs > (put ? 1u : 0u)) return DISP_E_NONAMEDARGS;
    if (result) VariantInit(result);
    if (m_callLog) m_callLog->push_back(m_className + "." + member->name + (put ? "=" : ""));
    // The handler may release the last outside reference; keep the object alive until it
    // returns or throws.
    AddRef();
    struct Hold {
        DispatchObject* object;
        ~Hold() { object->Release(); }
    } hold{this};
    Invocation invocation(flags, params, result);
    return member->handler(invocation);
}

void DispatchObject::AddMember(DISPID id, std::string name, WORD kinds, Handler handler) {
    m_members.push_back(Member{id, std::move(name), kinds, std::move(handler)});
}

void DispatchObject::RemoveMember(const std::string& name) {
    std::erase_if(m_members, [&](const Member& m) { return EqualNoCase(m.name, name); });
}
