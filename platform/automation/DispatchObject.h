#pragma once
// Server side of late binding: an IDispatch whose members are a table of
// (DISPID, name, kinds, handler). Stand-in host objects and the controls
// derive from it. Objects live on the heap and delete themselves when their
// last reference goes.

#include <functional>
#include <string>
#include <vector>

#include "platform/automation/Variant.h"

// One incoming call, with its arguments in declaration order.
class Invocation {
public:
    Invocation(WORD flags, DISPPARAMS* params, VARIANT* result);

    WORD Flags() const { return m_flags; }
    bool IsPut() const { return (m_flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0; }
    // Positional arguments; a property assignment's value is not among them.
    UINT ArgCount() const { return m_positional; }
    // The i-th argument as the caller wrote it (rgvarg holds them in reverse order).
    VARIANT& Arg(UINT i) const;
    // The value of a property assignment, or null when there is none.
    const VARIANT* PutValue() const;

    // Typed reads that look through VT_BYREF|VT_VARIANT; false on a type mismatch.
    bool ArgInteger(UINT i, LONGLONG& value) const;
    bool ArgString(UINT i, std::string& value) const;
    // A borrowed pointer: the caller keeps its reference. Null objects are allowed.
    bool ArgDispatch(UINT i, IDispatch*& value) const;

    void ReturnLong(LONG value);
    void ReturnBool(bool value);
    void ReturnDouble(double value);
    // Takes a reference for the caller; a null object is returned as a null VT_DISPATCH.
    void ReturnDispatch(IDispatch* object);

private:
    WORD m_flags;
    DISPPARAMS* m_params;
    VARIANT* m_result;
    UINT m_positional;
};

class DispatchObject : public IDispatch {
public:
    using Handler = std::function<HRESULT(Invocation&)>;

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    // Names match without regard to case, as automation names do. An unknown
    // name gives DISP_E_UNKNOWNNAME and DISPID_UNKNOWN in its slot.
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                          DISPID* ids) override;
    HRESULT Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override;

    ULONG RefCount() const { return m_refs; }
    const std::string& ClassName() const { return m_className; }
    // Every call that reaches a member appends "Class.Member" (or "Class.Member=" for an
    // assignment) here; several objects may share one log.
    void SetCallLog(std::vector<std::string>* log) { m_callLog = log; }
    // Makes a member unknown to GetIDsOfNames and Invoke, as a host that lacks it would.
    void RemoveMember(const std::string& name);

protected:
    explicit DispatchObject(std::string className);
    virtual ~DispatchObject();

    // kinds: the DISPATCH_* flags the member answers to.
    void AddMember(DISPID id, std::string name, WORD kinds, Handler handler);
    virtual HRESULT QueryOtherInterface(REFIID iid, void** object);

private:
    struct Member {
        DISPID id;
        std::string name;
        WORD kinds;
        Handler handler;
    };
    const Member* FindMember(DISPID id) const;

    std::string m_className;
    ULONG m_refs = 1;
    std::vector<Member> m_members;
    std::vector<std::string>* m_callLog = nullptr;
};
