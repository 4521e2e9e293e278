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
// Unloads every loaded server whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries();
// How many server modules are loaded now.
size_t LoadedServerCount();
