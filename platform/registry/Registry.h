#pragma once
// The platform's registry: keys under the roots HKEY_CLASSES_ROOT and
// HKEY_CURRENT_USER, each holding named values and subkeys. Kept as one text
// file per root in the folder named by TARSEL_REGISTRY (default: a folder in
// the user's configuration folder). Every call reads the file afresh, so
// separate processes see each other's changes; every change is one
// read-modify-write under an advisory lock (the root's file name with ".lock")
// and replaces the file atomically, so concurrent processes lose no update. A
// store that cannot be read gives ERROR_BADDB and is never overwritten.

#include <string>

#include "platform/automation/Types.h"

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;
using REGSAM = DWORD;
using LSTATUS = LONG;
using LPDWORD = DWORD*;
using LPBYTE = BYTE*;
using LPSTR = char*;

extern HKEY const HKEY_CLASSES_ROOT;
extern HKEY const HKEY_CURRENT_USER;

constexpr LSTATUS ERROR_SUCCESS = 0;
constexpr LSTATUS ERROR_FILE_NOT_FOUND = 2;
constexpr LSTATUS ERROR_ACCESS_DENIED = 5;
constexpr LSTATUS ERROR_INVALID_HANDLE = 6;
constexpr LSTATUS ERROR_INVALID_PARAMETER = 87;
constexpr LSTATUS ERROR_MORE_DATA = 234;
constexpr LSTATUS ERROR_NO_MORE_ITEMS = 259;
constexpr LSTATUS ERROR_BADDB = 1009;
constexpr LSTATUS ERROR_CANTWRITE = 1013;
constexpr LSTATUS ERROR_KEY_DELETED = 1018;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Subkey paths are key names separated by backslashes; names compare without
// regard to case. A null or empty value name is the key's default value.
LSTATUS RegOpenKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                     PHKEY phkResult);
// Creates the key and any missing keys above it; reports in lpdwDisposition
// (when given) whether it was created now or existed already.
LSTATUS RegCreateKeyEx(HKEY hKey, LPCSTR lpSubKey, DWORD Reserved, LPSTR lpClass, DWORD dwOptions,
                       REGSAM samDesired, const void* lpSecurityAttributes, PHKEY phkResult,
                       LPDWORD lpdwDisposition);
LSTATUS RegCloseKey(HKEY hKey);
// With lpData null, reports the size only; with a buffer too small, reports the
// size and returns ERROR_MORE_DATA.
LSTATUS RegQueryValueEx(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                        LPBYTE lpData, LPDWORD lpcbData);
LSTATUS RegSetValueEx(HKEY hKey, LPCSTR lpValueName, DWORD Reserved, DWORD dwType,
                      const BYTE* lpData, DWORD cbData);
// Deletes a key that has no subkeys.
LSTATUS RegDeleteKey(HKEY hKey, LPCSTR lpSubKey);
// Deletes a key with everything below it; a null subkey empties hKey itself.
LSTATUS RegDeleteTree(HKEY hKey, LPCSTR lpSubKey);
LSTATUS RegDeleteValue(HKEY hKey, LPCSTR lpValueName);
// The name of the subkey at dwIndex (subkeys in name order); ERROR_NO_MORE_ITEMS
// past the last one.
LSTATUS RegEnumKey(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName);
// The value at dwIndex (values in the order they were first set).
LSTATUS RegEnumValue(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                     LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);

// The folder that holds the store's files.
std::string RegistryFolder();
