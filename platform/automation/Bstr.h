#pragma once
// Automation strings: length-prefixed 16-bit strings, plus conversions from
// and to the plug-in's narrow (UTF-8) strings.

#include <string>
#include <string_view>

#include "platform/automation/Types.h"

BSTR SysAllocStringLen(LPCOLESTR text, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);

std::u16string WideFromNarrow(std::string_view text);
std::string NarrowFromWide(std::u16string_view text);
BSTR BstrFromNarrow(std::string_view text);
// A null BSTR is the empty string.
std::string NarrowFromBstr(BSTR text);
