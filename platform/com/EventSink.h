#pragma once
// The container's side of events: an IDispatch advised to a control's
// connection point that hands every event it receives to a function.

#include <functional>

#include "platform/automation/ComPtr.h"
#include "platform/automation/Unknown.h"

class EventSink final : public IDispatch {
public:
    using Handler = std::function<void(DISPID event, DISPPARAMS& params)>;

    static ComPtr<EventSink> Create(Handler handler);
    // Later events are received and ignored, for a control that still holds the sink.
    void Disconnect() { m_handler = nullptr; }

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override;
    HRESULT GetTypeInfoCount(UINT* count) override;
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                          DISPID* ids) override;
    HRESULT Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override;

private:
    explicit EventSink(Handler handler) : m_handler(std::move(handler)) {}
    ~EventSink() = default;

    ULONG m_refs = 1;
    Handler m_handler;
};
