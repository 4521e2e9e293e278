#pragma once
// Client side of late binding: COleDispatchDriver wraps a dispatch pointer
// and calls its members by DISPID through InvokeHelper. A failed call throws
// COleDispatchException carrying the HRESULT.

#include <exception>
#include <string>

#include "platform/automation/Variant.h"

// Parameter-type codes for InvokeHelper, concatenated into a parameter list:
//   static const BYTE params[] = VTS_BSTR VTS_I4;
// A VTS_BSTR argument is a narrow string (const char*), VTS_VARIANT a
// const VARIANT*, VTS_PVARIANT a VARIANT* passed by reference.
#define VTS_NONE ""
#define VTS_I2 "\x02"
#define VTS_I4 "\x03"
#define VTS_R4 "\x04"
#define VTS_R8 "\x05"
#define VTS_BSTR "\x08"
#define VTS_DISPATCH "\x09"
#define VTS_BOOL "\x0B"
#define VTS_VARIANT "\x0C"
#define VTS_UNKNOWN "\x0D"
#define VTS_I1 "\x10"
#define VTS_UI1 "\x11"
#define VTS_I8 "\x14"
#define VTS_PI4 "\x43"
#define VTS_PBOOL "\x4B"
#define VTS_PVARIANT "\x4C"

// Marks a by-reference code in a parameter list.
constexpr BYTE VT_MFCBYREF = 0x40;

// The text for a failure code that comes without a description of its own:
// "Out of Memory" for E_OUTOFMEMORY, "" for codes without one.
std::string KnownErrorText(HRESULT error);

// what(): the description with the code, or the code's known text, or
// "dispatch call failed: 0x…".
class COleDispatchException : public std::exception {
public:
    COleDispatchException(HRESULT error, std::string description, std::string source = {});
    const char* what() const noexcept override { return m_what.c_str(); }

    HRESULT m_scError;
    WORD m_wCode = 0;
    std::string m_strDescription;
    std::string m_strSource;

private:
    std::string m_what;
};

class COleDispatchDriver {
public:
    COleDispatchDriver() = default;
    explicit COleDispatchDriver(LPDISPATCH dispatch, BOOL autoRelease = TRUE);
    COleDispatchDriver(const COleDispatchDriver&) = delete;
    COleDispatchDriver& operator=(const COleDispatchDriver&) = delete;
    virtual ~COleDispatchDriver();

    // Takes over the pointer (and, with auto-release, the caller's reference); any
    // pointer held before is released first.
    void AttachDispatch(LPDISPATCH dispatch, BOOL autoRelease = TRUE);
    // Gives the pointer back without releasing it.
    LPDISPATCH DetachDispatch();
    // Releases the pointer when auto-release is on, and empties the driver.
    void ReleaseDispatch();

    // pvRet points at: nothing for VT_EMPTY, LONG for VT_I4, LONGLONG for VT_I8,
    // BOOL for VT_BOOL, double for VT_R8, std::string for VT_BSTR, LPDISPATCH for
    // VT_DISPATCH (the caller owns the reference), VARIANT for VT_VARIANT.
    void InvokeHelper(DISPID id, WORD flags, VARTYPE vtRet, void* pvRet, const BYTE* paramInfo,
                      ...);
    void GetProperty(DISPID id, VARTYPE vtProp, void* value);

    LPDISPATCH m_lpDispatch = nullptr;
    BOOL m_bAutoRelease = TRUE;
};
