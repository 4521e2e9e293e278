#pragma once
// The framework's ActiveX control, without its window: automation through a
// dispatch map, its identity (class id, user type name, misc status,
// property pages) as a container asks for it, its type information from the
// module's type library, and property exchange. Each control counts as an
// object of its module while it lives.

#include <map>
#include <optional>
#include <string>

#include "platform/com/ControlInterfaces.h"
#include "platform/com/TypeLib.h"
#include "platform/olectl/ControlDC.h"
#include "platform/olectl/DispatchMap.h"

// Persistent state of a control by property name, read or written.
class CPropExchange {
public:
    explicit CPropExchange(bool loading) : m_bLoading(loading) {}
    BOOL IsLoading() const { return m_bLoading; }
    DWORD GetVersion() const { return m_dwVersion; }

    DWORD m_dwVersion = 0;
    std::map<std::string, LONG> m_values;

private:
    bool m_bLoading;
};

BOOL PX_Long(CPropExchange* pPX, LPCSTR name, LONG& value, LONG defaultValue);

class COleControl : public DispatchObject {
public:
    COleControl(const COleControl&) = delete;
    COleControl& operator=(const COleControl&) = delete;

    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                          DISPID* ids) override;
    // A dispatch exception raised by a member comes back as DISP_E_EXCEPTION
    // with the EXCEPINFO filled in; nothing is thrown to the caller.
    HRESULT Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override;

    // Whether automation calls may run now; by default only once the control is initialised.
    virtual BOOL IsInvokeAllowed(DISPID dispid);
    virtual UINT GetTypeInfoCount();
    virtual HRESULT GetTypeLib(LCID lcid, ITypeLib** lib);
    virtual const AFX_DISPMAP* GetDispatchMap() const;
    virtual void DoPropExchange(CPropExchange* pPX);
    virtual void OnResetState();
    virtual HRESULT GetClassID(LPCLSID clsid) = 0;
    virtual UINT GetUserTypeNameID() = 0;
    virtual DWORD GetMiscStatus() = 0;
    // The CLSIDs of the control's property pages.
    virtual LPCLSID GetPropPageIDs(ULONG& cPropPages);
    // The standard Properties verb: the control's property pages in the module's
    // property frame; FALSE when the module has none.
    virtual BOOL OnProperties();
    // Draws the control's picture within rcBounds; by default nothing.
    virtual void OnDraw(CControlDC* pdc, const RECT& rcBounds, const RECT& rcInvalid);

    // What a container calls to have the control draw itself into bounds.
    void DrawContent(CControlDC* pdc, const RECT& bounds) { OnDraw(pdc, bounds, bounds); }

    // Starts the control with its default state, as a container does for a new one.
    void InitNew();
    const IID& PrimaryIID() const { return m_piidPrimary ? *m_piidPrimary : IID_IDispatch; }

protected:
    explicit COleControl(std::string className);
    ~COleControl() override;

    void InitializeIIDs(const IID* piidPrimary, const IID* piidEvents);
    // The version word; on loading, the stored one is in pPX->GetVersion() afterwards.
    BOOL ExchangeVersion(CPropExchange* pPX, DWORD dwVersionDefault, BOOL bConvert = TRUE);
    void ExchangeExtent(CPropExchange* pPX);
    void ExchangeStockProps(CPropExchange* pPX);
    HRESULT QueryOtherInterface(REFIID iid, void** object) override;

    BOOL m_bInitialized = FALSE;
    SIZE m_sizeExtent{2646, 1323};  // HIMETRIC, 100 x 50 pixels

private:
    void LoadDispatchMap();

    template <class Interface>
    struct Part : Interface {
        COleControl* outer = nullptr;
        HRESULT QueryInterface(REFIID iid, void** object) override {
            return outer->QueryInterface(iid, object);
        }
        ULONG AddRef() override { return outer->AddRef(); }
        ULONG Release() override { return outer->Release(); }
    };
    struct XPersist : Part<IPersist> {
        HRESULT GetClassID(CLSID* clsid) override;
    };
    struct XOleObject : Part<IOleObject> {
        HRESULT DoVerb(LONG verb) override;
        HRESULT GetUserClassID(CLSID* clsid) override;
        HRESULT GetUserType(DWORD form, LPOLESTR* name) override;
        HRESULT GetMiscStatus(DWORD aspect, DWORD* status) override;
    };
    struct XSpecifyPropertyPages : Part<ISpecifyPropertyPages> {
        HRESULT GetPages(CAUUID* pages) override;
    };

    const IID* m_piidPrimary = nullptr;
    const IID* m_piidEvents = nullptr;
    bool m_dispatchMapLoaded = false;
    std::optional<EXCEPINFO> m_pendingException;
    XPersist m_xPersist;
    XOleObject m_xOleObject;
    XSpecifyPropertyPages m_xSpecifyPropertyPages;
};
