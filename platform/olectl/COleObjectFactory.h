#pragma once
// Class factories of a module: one static object per creatable class, listed
// in the module state, each a real IClassFactory. Every outside reference to a
// factory, every object a factory made and every server lock counts against
// unloading the module.

#include <atomic>

#include "platform/com/ClassFactory.h"
#include "platform/olectl/AfxModule.h"

class COleObjectFactory : public IClassFactory {
public:
    // create returns a new object holding one reference.
    using CreateFunction = IUnknown* (*)();

    COleObjectFactory(REFCLSID clsid, CreateFunction create, LPCSTR progId);
    virtual ~COleObjectFactory();
    COleObjectFactory(const COleObjectFactory&) = delete;
    COleObjectFactory& operator=(const COleObjectFactory&) = delete;

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT LockServer(BOOL lock) override;

    REFCLSID GetClassID() const { return m_clsid; }
    // Writes (or removes) the class's registry entries; TRUE on success.
    virtual BOOL UpdateRegistry(BOOL bRegister);
    // Every factory of the current module, in the order they were made.
    static BOOL UpdateRegistryAll(BOOL bRegister = TRUE);

    const CLSID m_clsid;
    const LPCSTR m_lpszProgID;

private:
    CreateFunction m_create;
    std::atomic<ULONG> m_outsideRefs{0};
};

// What a module's DllGetClassObject and DllCanUnloadNow answer.
HRESULT AfxDllGetClassObject(REFCLSID clsid, REFIID iid, void** object);
HRESULT AfxDllCanUnloadNow();
