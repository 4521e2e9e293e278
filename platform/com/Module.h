#pragma once
// Modules: shared library files loaded by path. A module's handle is the
// address it is loaded at, as on the platform the names come from, so a module
// can find its own handle (and from it its file name) from any address in it.

#include <string>

#include "platform/automation/Types.h"

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;

// The platform's limit for a file path, terminating zero included.
constexpr DWORD MAX_PATH = 260;

// The module that holds the address, or null.
HMODULE ModuleFromAddress(const void* address);

// Copies the module's absolute file path; returns its length, or 0 when the module
// is unknown. A path that does not fit is cut to size - 1 characters and size is
// returned, as the platform does.
DWORD GetModuleFileName(HMODULE module, char* fileName, DWORD size);
std::string ModuleFileName(HMODULE module);

// Loads a module (and keeps it loaded until as many FreeLibrary calls); null on
// failure, with the reason in LastLoadError().
HMODULE LoadLibrary(LPCSTR path);
void* GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);
std::string LastLoadError();
