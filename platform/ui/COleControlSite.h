#pragma once
// Control containment: an ActiveX control that a dialog template names by
// its class id ("{...}"), made through the class machinery, activated in
// place in the dialog's window, its events advised to a sink that hands them
// to the dialog's event map. The site is the dialog's item for the control.

#include <memory>
#include <string>

#include "platform/automation/ComPtr.h"
#include "platform/com/ControlInterfaces.h"
#include "platform/com/EventSink.h"
#include "platform/ui/CWnd.h"

class COleControlSite : public CWnd {
public:
    // Whether a template's class name is a class id, so names a control.
    static bool IsClassId(const std::string& className);
    // The control made and in place, or null when it cannot be made or has
    // no window.
    static std::unique_ptr<COleControlSite> CreateControl(const std::string& classId,
                                                          CDialog& dialog, int id);
    // Takes the events back and the control's window down, then lets go of it.
    ~COleControlSite() override;

    // Borrowed: the site keeps its own reference.
    IDispatch* GetControlDispatch() const { return m_control.Get(); }
    QWidget* ControlWindow() const { return m_window; }

private:
    COleControlSite() = default;

    ComPtr<IDispatch> m_control;
    ComPtr<IOleInPlaceObject> m_inPlace;
    ComPtr<IConnectionPoint> m_events;
    ComPtr<EventSink> m_sink;
    DWORD m_cookie = 0;
    QWidget* m_window = nullptr;
};
