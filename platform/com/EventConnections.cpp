#include "platform/com/EventConnections.h"

#include <algorithm>

#include "platform/com/ControlInterfaces.h"

HRESULT EventConnections::Advise(IUnknown* sink, DWORD* cookie) {
    if (!sink || !cookie) return E_POINTER;
    *cookie = 0;
    IDispatch* dispatch = nullptr;
    if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    *cookie = m_nextCookie++;
    m_sinks.emplace_back(*cookie, ComPtr<IDispatch>::Adopt(dispatch));
    return S_OK;
}

HRESULT EventConnections::Unadvise(DWORD cookie) {
    const auto it = std::find_if(m_sinks.begin(), m_sinks.end(),
                                 [&](const auto& sink) { return sink.first == cookie; });
    if (it == m_sinks.end()) return CONNECT_E_NOCONNECTION;
    m_sinks.erase(it);
    return S_OK;
}

void EventConnections::Fire(DISPID id, std::vector<VARIANT>& args) {
    const auto sinks = m_sinks;
    for (const auto& [cookie, sink] : sinks) {
        // The callee reads the arguments last to first; by-reference ones
        // still point at the caller's values.
        std::vector<VARIANT> reversed(args.rbegin(), args.rend());
        DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                          UINT(reversed.size()), 0};
        sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                     nullptr);
    }
}
