#include "platform/ui/COleControlSite.h"

#include "platform/com/ClassObjects.h"
#include "platform/ui/CDialog.h"

bool COleControlSite::IsClassId(const std::string& className) {
    return GuidFromString(className).has_value();
}

std::unique_ptr<COleControlSite> COleControlSite::CreateControl(const std::string& classId,
                                                                CDialog& dialog, int id) {
    const auto clsid = GuidFromString(classId);
    if (!clsid || !dialog.Window()) return nullptr;
    std::unique_ptr<COleControlSite> site(new COleControlSite);
    if (FAILED(CoCreateInstance(*clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(site->m_control.Receive())))) {
        return nullptr;
    }
    if (FAILED(site->m_control->QueryInterface(
            IID_IOleInPlaceObject, reinterpret_cast<void**>(site->m_inPlace.Receive())))) {
        return nullptr;
    }
    HWND window = nullptr;
    const HWND parent = dialog.GetSafeHwnd();
    if (FAILED(site->m_inPlace->InPlaceActivate(parent)) ||
        FAILED(site->m_inPlace->GetWindow(&window)) || !window) {
        site->m_inPlace->InPlaceDeactivate();
        return nullptr;
    }
    site->m_window = reinterpret_cast<QWidget*>(window);

    // A control without events is contained all the same.
    ComPtr<IConnectionPointContainer> points;
    if (SUCCEEDED(site->m_control->QueryInterface(IID_IConnectionPointContainer,
                                                  reinterpret_cast<void**>(points.Receive()))) &&
        SUCCEEDED(points->FindConnectionPoint(IID_IDispatch, site->m_events.Receive()))) {
        site->m_sink = EventSink::Create([&dialog, id](DISPID event, DISPPARAMS& params) {
            dialog.SendEvent(UINT(id), event, params);
        });
        if (FAILED(site->m_events->Advise(static_cast<IDispatch*>(site->m_sink.Get()),
                                          &site->m_cookie))) {
            site->m_events.Reset();
        }
    }
    return site;
}

COleControlSite::~COleControlSite() {
    if (m_sink) m_sink->Disconnect();
    if (m_events) m_events->Unadvise(m_cookie);
    if (m_inPlace) m_inPlace->InPlaceDeactivate();
}
