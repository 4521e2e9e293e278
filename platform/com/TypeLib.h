#pragma once
// Type libraries as data: a library description that a module keeps as a
// resource, the ITypeLib/ITypeInfo views of it that callers ask, and its
// registration under HKEY_CLASSES_ROOT\TypeLib and \Interface.

#include <string>
#include <vector>

#include "platform/automation/Unknown.h"

using MEMBERID = DISPID;
using HREFTYPE = DWORD;

enum TYPEKIND {
    TKIND_ENUM,
    TKIND_RECORD,
    TKIND_MODULE,
    TKIND_INTERFACE,
    TKIND_DISPATCH,
    TKIND_COCLASS,
    TKIND_ALIAS,
    TKIND_UNION,
    TKIND_MAX
};
enum SYSKIND { SYS_WIN16, SYS_WIN32, SYS_MAC, SYS_WIN64 };

constexpr WORD TYPEFLAG_FAPPOBJECT = 0x1;
constexpr WORD TYPEFLAG_FCANCREATE = 0x2;
constexpr WORD TYPEFLAG_FHIDDEN = 0x10;
constexpr WORD TYPEFLAG_FCONTROL = 0x20;
constexpr WORD TYPEFLAG_FDUAL = 0x40;
constexpr WORD TYPEFLAG_FOLEAUTOMATION = 0x100;
constexpr WORD TYPEFLAG_FDISPATCHABLE = 0x1000;

constexpr WORD LIBFLAG_FRESTRICTED = 0x1;
constexpr WORD LIBFLAG_FCONTROL = 0x2;
constexpr WORD LIBFLAG_FHIDDEN = 0x4;

constexpr INT IMPLTYPEFLAG_FDEFAULT = 0x1;
constexpr INT IMPLTYPEFLAG_FSOURCE = 0x2;

constexpr MEMBERID MEMBERID_NIL = DISPID_UNKNOWN;

constexpr HRESULT TYPE_E_ELEMENTNOTFOUND = MakeHresult(0x8002802Bu);
constexpr HRESULT TYPE_E_REGISTRYACCESS = MakeHresult(0x8002801Cu);
constexpr HRESULT TYPE_E_LIBNOTREGISTERED = MakeHresult(0x8002801Du);

// The proxy that marshals every dispinterface.
inline constexpr CLSID CLSID_PSDispatch = MakeGuid("{00020420-0000-0000-C000-000000000046}");

namespace typelib {

struct Param {
    std::string name;
    VARTYPE vt;
};

struct Member {
    MEMBERID id;
    std::string name;
    std::vector<Param> params;
    VARTYPE result;  // VT_EMPTY: none
};

struct ImplType {
    GUID iid;
    INT flags;
};

struct Type {
    std::string name;
    TYPEKIND kind;
    GUID guid;
    WORD flags;
    std::string doc;
    std::vector<Member> members;
    std::vector<ImplType> implemented;  // coclasses only
};

struct Library {
    std::string name;
    GUID libid;
    WORD major;
    WORD minor;
    LCID lcid;
    WORD flags;
    std::string helpString;
    std::string helpFile;
    std::vector<std::string> imports;
    std::vector<Type> types;
};

}  // namespace typelib

struct TLIBATTR {
    GUID guid;
    LCID lcid;
    SYSKIND syskind;
    WORD wMajorVerNum;
    WORD wMinorVerNum;
    WORD wLibFlags;
};

struct TYPEATTR {
    GUID guid;
    LCID lcid;
    MEMBERID memidConstructor;
    MEMBERID memidDestructor;
    TYPEKIND typekind;
    WORD cFuncs;
    WORD cVars;
    WORD cImplTypes;
    WORD wTypeFlags;
    WORD wMajorVerNum;
    WORD wMinorVerNum;
};

struct ITypeLib;

// The part of ITypeInfo that callers of this system use.
struct ITypeInfo : IUnknown {
    virtual HRESULT GetTypeAttr(TYPEATTR** attr) = 0;
    virtual void ReleaseTypeAttr(TYPEATTR* attr) = 0;
    // MEMBERID_NIL describes the type itself.
    virtual HRESULT GetDocumentation(MEMBERID id, BSTR* name, BSTR* doc, DWORD* helpContext,
                                     BSTR* helpFile) = 0;
    virtual HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, MEMBERID* ids) = 0;
    // The member's name followed by its parameters' names.
    virtual HRESULT GetNames(MEMBERID id, BSTR* names, UINT maxNames, UINT* count) = 0;
    virtual HRESULT GetRefTypeOfImplType(UINT index, HREFTYPE* ref) = 0;
    virtual HRESULT GetImplTypeFlags(UINT index, INT* flags) = 0;
    virtual HRESULT GetRefTypeInfo(HREFTYPE ref, ITypeInfo** info) = 0;
    virtual HRESULT GetContainingTypeLib(ITypeLib** lib, UINT* index) = 0;

protected:
    ~ITypeInfo() = default;
};

struct ITypeLib : IUnknown {
    virtual UINT GetTypeInfoCount() = 0;
    virtual HRESULT GetTypeInfo(UINT index, ITypeInfo** info) = 0;
    virtual HRESULT GetTypeInfoType(UINT index, TYPEKIND* kind) = 0;
    virtual HRESULT GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** info) = 0;
    virtual HRESULT GetLibAttr(TLIBATTR** attr) = 0;
    virtual void ReleaseTLibAttr(TLIBATTR* attr) = 0;
    // Index -1 describes the library itself.
    virtual HRESULT GetDocumentation(INT index, BSTR* name, BSTR* doc, DWORD* helpContext,
                                     BSTR* helpFile) = 0;

protected:
    ~ITypeLib() = default;
};

inline constexpr IID IID_ITypeInfo = MakeGuid("{00020401-0000-0000-C000-000000000046}");
inline constexpr IID IID_ITypeLib = MakeGuid("{00020402-0000-0000-C000-000000000046}");

// A type library over a description that outlives it (a module's resource).
HRESULT CreateTypeLibFromData(const typelib::Library& library, ITypeLib** lib);

// Writes TypeLib\{libid}\major.minor with the locale's win32 path, FLAGS and HELPDIR,
// and an Interface\{iid} entry for each dispinterface. A null helpDir is the
// folder of fullPath.
HRESULT RegisterTypeLib(ITypeLib* lib, LPCSTR fullPath, LPCSTR helpDir);
// Removes what RegisterTypeLib wrote for that version and locale (lcid 0: the
// registered one); TYPE_E_REGISTRYACCESS when it is not registered.
HRESULT UnRegisterTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, SYSKIND syskind);
