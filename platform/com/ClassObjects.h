#pragma once
// Finding and creating classes through the registry: a ProgID names a CLSID,
// the CLSID's InprocServer32 names the module file, which is loaded and asked
// for its class object. Loaded servers stay loaded until CoFreeUnusedLibraries
// finds that they can unload.

#include <string>

#include "platform/com/ClassFactory.h"

HRESULT CLSIDFromProgID(LPCOLESTR progId, LPCLSID clsid);
// The ProgID registered for the class, or empty.
std::string ProgIDFromCLSID(REFCLSID clsid);

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* reserved, REFIID iid, void** object);
HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object);
// Class objects a running program offers itself (such as a control it ships
// inside another module): found by CoGetClassObject before the registry is
// asked. The table holds a reference to each object until it is revoked.
constexpr DWORD REGCLS_MULTIPLEUSE = 1;
HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* classObject, DWORD context, DWORD flags,
                              DWORD* cookie);
HRESULT CoRevokeClassObject(DWORD cookie);

// Unloads every loaded server whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries();
// How many server modules are loaded now.
size_t LoadedServerCount();
