#pragma once
// The interfaces through which a container asks a control about itself, cut
// to the members this system uses, and the task allocator their out-strings
// and arrays come from.

#include <cstddef>

#include "platform/automation/Unknown.h"

using LPCLSID = CLSID*;

void* CoTaskMemAlloc(size_t size);
void CoTaskMemFree(void* memory);

struct IPersist : IUnknown {
    virtual HRESULT GetClassID(CLSID* clsid) = 0;

protected:
    ~IPersist() = default;
};

constexpr DWORD USERCLASSTYPE_FULL = 1;
constexpr DWORD USERCLASSTYPE_SHORT = 2;
constexpr DWORD USERCLASSTYPE_APPNAME = 3;
constexpr DWORD DVASPECT_CONTENT = 1;

constexpr DWORD OLEMISC_RECOMPOSEONRESIZE = 0x1;
constexpr DWORD OLEMISC_CANTLINKINSIDE = 0x10;
constexpr DWORD OLEMISC_INSIDEOUT = 0x80;
constexpr DWORD OLEMISC_ACTIVATEWHENVISIBLE = 0x100;
constexpr DWORD OLEMISC_SETCLIENTSITEFIRST = 0x20000;

constexpr LONG OLEIVERB_PRIMARY = 0;
constexpr LONG OLEIVERB_PROPERTIES = -7;
constexpr HRESULT OLEOBJ_S_INVALIDVERB = 0x00040180;

struct IOleObject : IUnknown {
    // Carries out a verb; OLEIVERB_PROPERTIES shows the object's property pages.
    virtual HRESULT DoVerb(LONG verb) = 0;
    virtual HRESULT GetUserClassID(CLSID* clsid) = 0;
    // The name comes from CoTaskMemAlloc; the caller frees it.
    virtual HRESULT GetUserType(DWORD form, LPOLESTR* name) = 0;
    virtual HRESULT GetMiscStatus(DWORD aspect, DWORD* status) = 0;

protected:
    ~IOleObject() = default;
};

struct CAUUID {
    ULONG cElems;
    GUID* pElems;  // from CoTaskMemAlloc
};

struct ISpecifyPropertyPages : IUnknown {
    virtual HRESULT GetPages(CAUUID* pages) = 0;

protected:
    ~ISpecifyPropertyPages() = default;
};

struct SIZE {
    LONG cx;
    LONG cy;
};

struct PROPPAGEINFO {
    ULONG cb;
    LPOLESTR pszTitle;  // from CoTaskMemAlloc
    SIZE size;          // in pixels
    LPOLESTR pszDocString;
    LPOLESTR pszHelpFile;
    DWORD dwHelpContext;
};

struct IPropertyPage : IUnknown {
    virtual HRESULT GetPageInfo(PROPPAGEINFO* info) = 0;

protected:
    ~IPropertyPage() = default;
};

// A window of the container or of a control; opaque here (the window system
// layer makes and reads it).
struct HWND__;
using HWND = HWND__*;

// The in-place side of an embedded control, cut to what containment here
// needs: the control makes its window inside the container's, hands it out,
// and takes it down again.
struct IOleInPlaceObject : IUnknown {
    virtual HRESULT InPlaceActivate(HWND parent) = 0;
    virtual HRESULT GetWindow(HWND* window) = 0;
    virtual HRESULT InPlaceDeactivate() = 0;

protected:
    ~IOleInPlaceObject() = default;
};

// Events: the container hands a sink (an IDispatch) to the control's
// connection point; the control fires each event as a call of the sink's
// Invoke with the event's DISPID.
struct IConnectionPoint : IUnknown {
    virtual HRESULT Advise(IUnknown* sink, DWORD* cookie) = 0;
    virtual HRESULT Unadvise(DWORD cookie) = 0;

protected:
    ~IConnectionPoint() = default;
};

struct IConnectionPointContainer : IUnknown {
    // The connection point of an event interface; a control with one event
    // interface also answers IID_IDispatch for it.
    virtual HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** point) = 0;

protected:
    ~IConnectionPointContainer() = default;
};

constexpr HRESULT CONNECT_E_NOCONNECTION = MakeHresult(0x80040200u);
constexpr HRESULT CONNECT_E_CANNOTCONNECT = MakeHresult(0x80040202u);

inline constexpr IID IID_IPersist = MakeGuid("{0000010C-0000-0000-C000-000000000046}");
inline constexpr IID IID_IOleObject = MakeGuid("{00000112-0000-0000-C000-000000000046}");
inline constexpr IID IID_ISpecifyPropertyPages = MakeGuid("{B196B28B-BAB4-101A-B69C-00AA00341D07}");
inline constexpr IID IID_IPropertyPage = MakeGuid("{B196B28D-BAB4-101A-B69C-00AA00341D07}");
inline constexpr IID IID_IOleInPlaceObject = MakeGuid("{00000113-0000-0000-C000-000000000046}");
inline constexpr IID IID_IConnectionPointContainer =
    MakeGuid("{B196B284-BAB4-101A-B69C-00AA00341D07}");
inline constexpr IID IID_IConnectionPoint = MakeGuid("{B196B286-BAB4-101A-B69C-00AA00341D07}");

// A task-allocated copy of a narrow string as an OLE string.
LPOLESTR CoTaskMemString(const char* text);
