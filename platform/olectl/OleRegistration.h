#pragma once
// The framework's registration helpers: what a module's class objects and
// type library write under HKEY_CLASSES_ROOT, and how they remove it.

#include "platform/com/Module.h"
#include "platform/com/TypeLib.h"

constexpr int afxRegDefault = 0x0000;
constexpr int afxRegInsertable = 0x0001;
constexpr int afxRegApartmentThreading = 0x0002;

// CLSID\{clsid} with its user type name, ProgID, InprocServer32 (the module file,
// with ThreadingModel), ToolboxBitmap32, MiscStatus, TypeLib, Version and
// Control; and the ProgID key naming the class. Strings come from the module's
// string table.
BOOL AfxOleRegisterControlClass(HINSTANCE instance, REFCLSID clsid, LPCSTR progId, UINT idTypeName,
                                UINT idBitmap, int regFlags, DWORD miscStatus, REFGUID tlid,
                                WORD verMajor, WORD verMinor);
// CLSID\{clsid} with its user type name and InprocServer32; no ProgID.
BOOL AfxOleRegisterPropertyPageClass(HINSTANCE instance, REFCLSID clsid, UINT idTypeName,
                                     int regFlags = afxRegDefault);
// A plain creatable class: CLSID\{clsid} and its ProgID.
BOOL AfxOleRegisterServerClass(REFCLSID clsid, LPCSTR className, LPCSTR progId);
// Removes CLSID\{clsid} and, when given, the ProgID key.
BOOL AfxOleUnregisterClass(REFCLSID clsid, LPCSTR progId);

// Registers the type library resource of the module, checking that it is tlid.
// fileName replaces the module's file name in the registered path; helpDir null:
// the module's folder.
BOOL AfxOleRegisterTypeLib(HINSTANCE instance, REFGUID tlid, LPCSTR fileName = nullptr,
                           LPCSTR helpDir = nullptr);
BOOL AfxOleUnregisterTypeLib(REFGUID tlid, WORD verMajor = 0, WORD verMinor = 0, LCID lcid = 0);

// The module's type library resource, or an error when it has none.
HRESULT AfxLoadTypeLibResource(HINSTANCE instance, ITypeLib** lib);
