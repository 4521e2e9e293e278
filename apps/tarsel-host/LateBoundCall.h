#pragma once
// The host's calls into a plug-in: a method found by name and called with
// arguments in declaration order. This is the host's call boundary: whatever
// goes wrong inside (a failed HRESULT, a dispatch exception, a C++ exception
// that got out of the module) comes back as a message, never as a throw.

#include <string>
#include <vector>

#include "platform/automation/Variant.h"

namespace tarsel_host {

struct CallOutcome {
    bool ok = false;
    // Why the call failed, for the operator; empty when it succeeded.
    std::string error;
};

// The arguments stay the caller's.
CallOutcome CallMethod(IDispatch* object, const std::string& method, std::vector<VARIANT> args);

// "0x80020009" for a message.
std::string HresultText(HRESULT hr);

}  // namespace tarsel_host
