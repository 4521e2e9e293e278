#pragma once
// The control's side of events: the sinks its containers advised, and the
// firing of one event to each of them as a call of the sink's Invoke.

#include <utility>
#include <vector>

#include "platform/automation/ComPtr.h"
#include "platform/automation/Variant.h"

class EventConnections {
public:
    // The sink must answer IDispatch; the connections hold a reference to it.
    HRESULT Advise(IUnknown* sink, DWORD* cookie);
    HRESULT Unadvise(DWORD cookie);
    // Arguments in declaration order, owned by the caller; a by-reference
    // argument comes back as the last sink left it. A sink that advises or
    // unadvises while the event is out changes the next event, not this one.
    void Fire(DISPID id, std::vector<VARIANT>& args);
    size_t Count() const { return m_sinks.size(); }

private:
    std::vector<std::pair<DWORD, ComPtr<IDispatch>>> m_sinks;
    DWORD m_nextCookie = 1;
};
