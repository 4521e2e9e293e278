#pragma once

#include "platform/automation/Unknown.h"

// Asks the object for the DISPID of one member name. A name the object does not
// know leaves whatever GetIDsOfNames wrote (DISPID_UNKNOWN) and returns false.
bool ResolveDispID(LPDISPATCH dispatch, const char* name, DISPID* id);

// Declares one DISPID member per host member name: m_dispid<Name>.
#define TINTORA_DECLARE_DISPID(name) DISPID m_dispid##name = DISPID_UNKNOWN;
// Resolves one name into its member; failures are not reported.
#define TINTORA_RESOLVE_DISPID(name) ResolveDispID(m_lpDispatch, #name, &m_dispid##name);
