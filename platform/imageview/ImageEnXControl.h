#pragma once
// The image view as an embeddable control: an IDispatch whose members are
// called by DISPID, a window made inside its container's, and events fired
// to the sinks its containers advise.
//
// Members beyond their plain names:
//   Query13        1 while a picture is loaded, else 0.
//   Query14        1 while the view has its window (is in place in a
//                  container) and so can be drawn in, else 0.
//   Flag266        whether SaveImageFile writes the picture's alpha channel
//                  (true, the start) or red, green and blue only (false).
//   Command76(n)   any n but 0 ends drawing in progress (a rectangle being
//                  dragged, a polygon's open corners); the selection stays.
//   WandSelectAt(x, y, mode)
//                  mode 0 replaces the selection with the wand's region,
//                  any other mode adds the region to it.
//   SetInteraction(name, value)
//                  "SELECTRECT", "SELECTPOLYGON" or "SELECTMAGICWAND" with
//                  "1" chooses what the mouse draws; "0" stops that one.
//   Zoom           see ViewZoom.h.
// Files that cannot be read or written are reported through the operator
// prompts; what they would have changed stays as it was.

#include <QPointer>
#include <string>

#include "platform/automation/DispatchObject.h"
#include "platform/com/ControlInterfaces.h"
#include "platform/com/EventConnections.h"
#include "platform/imageview/ImageViewDocument.h"
#include "platform/imageview/ImageViewWidget.h"

namespace imageview {

enum ImageEnXDispId : DISPID {
    DISPID_WANDSELECTAT = 2,
    DISPID_SETINTERACTION = 11,
    DISPID_QUERY13 = 13,
    DISPID_QUERY14 = 14,
    DISPID_LOADIMAGEFILE = 50,
    DISPID_SAVEIMAGEFILE = 51,
    DISPID_COMMAND76 = 76,
    DISPID_CLEARSELECTION = 195,
    DISPID_SELECTIONLEFT = 196,
    DISPID_SELECTIONTOP = 197,
    DISPID_SELECTIONRIGHT = 198,
    DISPID_SELECTIONBOTTOM = 199,
    DISPID_HASSELECTION = 202,
    DISPID_WANDTOLERANCE = 205,
    DISPID_FITIMAGE = 212,
    DISPID_ZOOM = 216,
    DISPID_FLAG266 = 266,
    DISPID_INVERTSELECTION = 274,
    DISPID_FILLSELECTION = 314,
    DISPID_MOVESELECTION = 360,
    DISPID_SAVESELECTION = 419,
    DISPID_LOADSELECTION = 420,
};

// Events: PointerMove(text shift, long x, long y); ButtonDown(long button,
// text shift, long x, long y) with button 0 left, 1 right, 2 middle;
// KeyDown(long* key code, text shift). Positions in picture pixels.
enum ImageEnXEventId : DISPID {
    DISPID_EVENT_POINTERMOVE = 3,
    DISPID_EVENT_BUTTONDOWN = 16,
    DISPID_EVENT_KEYDOWN = 17,
};

class ImageEnXControl final : public DispatchObject,
                              public IOleInPlaceObject,
                              public IConnectionPointContainer,
                              public IConnectionPoint,
                              private ImageViewInput {
public:
    static ImageEnXControl* Create();

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override { return DispatchObject::AddRef(); }
    ULONG Release() override { return DispatchObject::Release(); }

    HRESULT InPlaceActivate(HWND parent) override;
    HRESULT GetWindow(HWND* window) override;
    HRESULT InPlaceDeactivate() override;
    HRESULT FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;
    HRESULT Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT Unadvise(DWORD cookie) override;

    const ImageViewDocument& Document() const { return m_document; }
    ImageViewWidget* Widget() const { return m_widget; }

protected:
    HRESULT QueryOtherInterface(REFIID iid, void** object) override;

private:
    ImageEnXControl();
    ~ImageEnXControl() override;

    void AddMethods();
    void AddProperties();
    void Refresh();
    void Say(const std::string& message);
    double CurrentFitZoom() const;

    void ViewPressed(double x, double y, int button, const std::string& shift,
                     bool doubleClick) override;
    void ViewMoved(double x, double y, bool buttonHeld, const std::string& shift) override;
    void ViewReleased(double x, double y) override;
    void ViewKeyDown(int virtualKey, const std::string& shift) override;

    ImageViewDocument m_document;
    EventConnections m_events;
    QPointer<ImageViewWidget> m_widget;
    double m_zoom = 100;
    bool m_bSaveAlpha = true;
};

}  // namespace imageview
