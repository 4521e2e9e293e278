#pragma once
// Identity of the test server module.

#include "platform/automation/Guid.h"

inline constexpr GUID kTestLibId = MakeGuid("{5B2B7F0E-1D0C-4C53-9A43-2F6A1E0B7C11}");
inline constexpr IID kTestDispatchIid = MakeGuid("{5B2B7F0E-1D0C-4C53-9A43-2F6A1E0B7C12}");
inline constexpr CLSID kTestClsid = MakeGuid("{5B2B7F0E-1D0C-4C53-9A43-2F6A1E0B7C13}");
inline constexpr const char* kTestProgId = "Tests.Adder.1";
