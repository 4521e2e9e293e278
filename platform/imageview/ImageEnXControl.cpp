#include "platform/imageview/ImageEnXControl.h"

#include <charconv>
#include <cmath>

#include "platform/imageview/PictureFile.h"
#include "platform/imageview/SelectionFile.h"
#include "platform/imageview/ViewZoom.h"
#include "platform/prompts/Prompts.h"

namespace imageview {

namespace {

// The i-th argument as automation would pass it to a parameter of that type.
bool ArgAs(const Invocation& call, UINT i, VARTYPE type, VARIANT& value) {
    if (i >= call.ArgCount()) return false;
    VariantInit(&value);
    return SUCCEEDED(VariantChangeType(&value, &VariantDereference(call.Arg(i)), 0, type));
}

bool LongArg(const Invocation& call, UINT i, LONG& value) {
    VARIANT converted;
    if (!ArgAs(call, i, VT_I4, converted)) return false;
    value = converted.lVal;
    return true;
}

bool PutValueAs(const Invocation& call, VARTYPE type, VARIANT& value) {
    const VARIANT* put = call.PutValue();
    VariantInit(&value);
    return put && SUCCEEDED(VariantChangeType(&value, &VariantDereference(*put), 0, type));
}

// "R,G,B" in decimal, each 0..255, blanks allowed around the numbers.
bool ParseColour(const std::string& text, uint8_t (&rgb)[3]) {
    const char* p = text.data();
    const char* end = p + text.size();
    for (int i = 0; i < 3; ++i) {
        while (p < end && *p == ' ') ++p;
        unsigned value = 0;
        const auto [next, error] = std::from_chars(p, end, value);
        if (error != std::errc() || value > 255) return false;
        rgb[i] = uint8_t(value);
        p = next;
        while (p < end && *p == ' ') ++p;
        if (i < 2) {
            if (p == end || *p != ',') return false;
            ++p;
        }
    }
    return p == end;
}

int32_t PixelOf(double coordinate) {
    if (!(std::abs(coordinate) < 1e9)) return 0;
    return int32_t(std::floor(coordinate));
}

}  // namespace

ImageEnXControl* ImageEnXControl::Create() { return new ImageEnXControl(); }

ImageEnXControl::ImageEnXControl() : DispatchObject("ImageEnX") {
    AddMethods();
    AddProperties();
}

ImageEnXControl::~ImageEnXControl() { InPlaceDeactivate(); }

HRESULT ImageEnXControl::QueryInterface(REFIID iid, void** object) {
    return DispatchObject::QueryInterface(iid, object);
}

HRESULT ImageEnXControl::QueryOtherInterface(REFIID iid, void** object) {
    if (iid == IID_IOleInPlaceObject) {
        *object = static_cast<IOleInPlaceObject*>(this);
    } else if (iid == IID_IConnectionPointContainer) {
        *object = static_cast<IConnectionPointContainer*>(this);
    } else if (iid == IID_IConnectionPoint) {
        *object = static_cast<IConnectionPoint*>(this);
    } else {
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

HRESULT ImageEnXControl::InPlaceActivate(HWND parent) {
    if (m_widget) return S_OK;
    m_widget = new ImageViewWidget(m_document, *this, reinterpret_cast<QWidget*>(parent));
    m_widget->SetZoom(m_zoom);
    m_widget->Refresh();
    return S_OK;
}

HRESULT ImageEnXControl::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = reinterpret_cast<HWND>(static_cast<QWidget*>(m_widget));
    return m_widget ? S_OK : E_FAIL;
}

// The window may be handling the very event that ends the view, so it goes
// when the event loop next comes round.
HRESULT ImageEnXControl::InPlaceDeactivate() {
    if (!m_widget) return S_OK;
    m_widget->Detach();
    m_widget->deleteLater();
    m_widget = nullptr;
    return S_OK;
}

// The events form one dispatch interface.
HRESULT ImageEnXControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (iid != IID_IDispatch) return CONNECT_E_NOCONNECTION;
    *point = this;
    AddRef();
    return S_OK;
}

HRESULT ImageEnXControl::Advise(IUnknown* sink, DWORD* cookie) {
    return m_events.Advise(sink, cookie);
}

HRESULT ImageEnXControl::Unadvise(DWORD cookie) { return m_events.Unadvise(cookie); }

void ImageEnXControl::Refresh() {
    if (m_widget) m_widget->Refresh();
}

void ImageEnXControl::Say(const std::string& message) {
    CurrentPrompts().MessageBox(message, MB_OK | MB_ICONEXCLAMATION);
}

double ImageEnXControl::CurrentFitZoom() const {
    if (m_widget) return m_widget->FitZoom();
    const ViewPicture& picture = m_document.Picture();
    return FitZoom(picture.width, picture.height, kStartWidth, kStartHeight);
}

void ImageEnXControl::AddMethods() {
    auto method = [this](DISPID id, const char* name, UINT count, auto body) {
        AddMember(id, name, DISPATCH_METHOD, [count, body](Invocation& call) -> HRESULT {
            if (call.ArgCount() != count) return DISP_E_BADPARAMCOUNT;
            return body(call);
        });
    };
    auto text = [](Invocation& call, UINT i, std::string& value) {
        return call.ArgString(i, value);
    };

    method(DISPID_WANDSELECTAT, "WandSelectAt", 3, [this](Invocation& call) {
        LONG x = 0, y = 0, mode = 0;
        if (!LongArg(call, 0, x) || !LongArg(call, 1, y) || !LongArg(call, 2, mode)) {
            return DISP_E_TYPEMISMATCH;
        }
        m_document.WandSelectAt(x, y, mode);
        Refresh();
        return S_OK;
    });
    method(DISPID_SETINTERACTION, "SetInteraction", 2, [this, text](Invocation& call) {
        std::string name, value;
        if (!text(call, 0, name) || !text(call, 1, value)) return DISP_E_TYPEMISMATCH;
        Interaction interaction;
        if (name == "SELECTRECT") {
            interaction = Interaction::Rectangle;
        } else if (name == "SELECTPOLYGON") {
            interaction = Interaction::Polygon;
        } else if (name == "SELECTMAGICWAND") {
            interaction = Interaction::MagicWand;
        } else {
            return E_INVALIDARG;
        }
        if (value != "1" && value != "0") return E_INVALIDARG;
        // "0" turns that interaction off; another one stays.
        if (value == "1") {
            m_document.SetInteraction(interaction);
        } else if (m_document.GetInteraction() == interaction) {
            m_document.SetInteraction(Interaction::None);
        }
        Refresh();
        return S_OK;
    });
    method(DISPID_QUERY13, "Query13", 0, [this](Invocation& call) {
        call.ReturnLong(m_document.HasPicture() ? 1 : 0);
        return S_OK;
    });
    method(DISPID_QUERY14, "Query14", 0, [this](Invocation& call) {
        call.ReturnLong(m_widget ? 1 : 0);
        return S_OK;
    });
    method(DISPID_LOADIMAGEFILE, "LoadImageFile", 1, [this, text](Invocation& call) {
        std::string path;
        if (!text(call, 0, path)) return DISP_E_TYPEMISMATCH;
        PictureRead read = ReadTgaPicture(path);
        if (!read.error.empty()) {
            Say(read.error);
            return S_OK;
        }
        m_document.ShowPicture(std::move(read.picture));
        Refresh();
        return S_OK;
    });
    method(DISPID_SAVEIMAGEFILE, "SaveImageFile", 1, [this, text](Invocation& call) {
        std::string path;
        if (!text(call, 0, path)) return DISP_E_TYPEMISMATCH;
        const std::string error = WriteTgaPicture(m_document.Picture(), path, m_bSaveAlpha);
        if (!error.empty()) Say(error);
        return S_OK;
    });
    method(DISPID_COMMAND76, "Command76", 1, [this](Invocation& call) {
        LONG command = 0;
        if (!LongArg(call, 0, command)) return DISP_E_TYPEMISMATCH;
        if (command != 0) m_document.EndDrawing();
        Refresh();
        return S_OK;
    });
    method(DISPID_CLEARSELECTION, "ClearSelection", 0, [this](Invocation&) {
        m_document.ClearSelection();
        Refresh();
        return S_OK;
    });
    method(DISPID_FITIMAGE, "FitImage", 0, [this](Invocation&) {
        if (!m_document.HasPicture()) return S_OK;
        m_zoom = CurrentFitZoom();
        if (m_widget) m_widget->SetZoom(m_zoom);
        return S_OK;
    });
    method(DISPID_INVERTSELECTION, "InvertSelection", 0, [this](Invocation&) {
        m_document.InvertSelection();
        Refresh();
        return S_OK;
    });
    method(DISPID_FILLSELECTION, "FillSelection", 1, [this, text](Invocation& call) {
        std::string colour;
        if (!text(call, 0, colour)) return DISP_E_TYPEMISMATCH;
        uint8_t rgb[3];
        if (!ParseColour(colour, rgb)) return E_INVALIDARG;
        m_document.FillSelection(rgb[0], rgb[1], rgb[2]);
        Refresh();
        return S_OK;
    });
    method(DISPID_MOVESELECTION, "MoveSelection", 2, [this](Invocation& call) {
        LONG dx = 0, dy = 0;
        if (!LongArg(call, 0, dx) || !LongArg(call, 1, dy)) return DISP_E_TYPEMISMATCH;
        m_document.MoveSelection(dx, dy);
        Refresh();
        return S_OK;
    });
    method(DISPID_SAVESELECTION, "SaveSelection", 1, [this, text](Invocation& call) {
        std::string path;
        if (!text(call, 0, path)) return DISP_E_TYPEMISMATCH;
        const std::string error = WriteSelectionFile(m_document.Selection(), path);
        if (!error.empty()) Say(error);
        return S_OK;
    });
    method(DISPID_LOADSELECTION, "LoadSelection", 1, [this, text](Invocation& call) {
        std::string path;
        if (!text(call, 0, path)) return DISP_E_TYPEMISMATCH;
        SelectionRead read = ReadSelectionFile(path);
        if (!read.selection) {
            Say(read.error + " The selection is left as it was.");
            return S_OK;
        }
        m_document.ReplaceSelection(*read.selection);
        Refresh();
        return S_OK;
    });
}

void ImageEnXControl::AddProperties() {
    auto getter = [this](DISPID id, const char* name, auto read) {
        AddMember(id, name, DISPATCH_PROPERTYGET, [read](Invocation& call) -> HRESULT {
            if (call.ArgCount() != 0) return DISP_E_BADPARAMCOUNT;
            read(call);
            return S_OK;
        });
    };
    auto corner = [this](LONG SelectionBounds::*member) {
        return [this, member](Invocation& call) {
            const auto bounds = m_document.Selection().Bounds();
            call.ReturnLong(bounds ? (*bounds).*member : 0);
        };
    };
    getter(DISPID_SELECTIONLEFT, "SelectionLeft", corner(&SelectionBounds::left));
    getter(DISPID_SELECTIONTOP, "SelectionTop", corner(&SelectionBounds::top));
    getter(DISPID_SELECTIONRIGHT, "SelectionRight", corner(&SelectionBounds::right));
    getter(DISPID_SELECTIONBOTTOM, "SelectionBottom", corner(&SelectionBounds::bottom));
    getter(DISPID_HASSELECTION, "HasSelection",
           [this](Invocation& call) { call.ReturnBool(!m_document.Selection().IsEmpty()); });

    AddMember(DISPID_WANDTOLERANCE, "WandTolerance", DISPATCH_PROPERTYPUT,
              [this](Invocation& call) -> HRESULT {
                  VARIANT value;
                  if (!PutValueAs(call, VT_I4, value)) return DISP_E_TYPEMISMATCH;
                  if (value.lVal < kMinWandTolerance || value.lVal > kMaxWandTolerance) {
                      return E_INVALIDARG;
                  }
                  m_document.SetWandTolerance(value.lVal);
                  return S_OK;
              });
    AddMember(DISPID_ZOOM, "Zoom", DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT,
              [this](Invocation& call) -> HRESULT {
                  if (!call.IsPut()) {
                      call.ReturnDouble(m_zoom);
                      return S_OK;
                  }
                  VARIANT value;
                  if (!PutValueAs(call, VT_R8, value)) return DISP_E_TYPEMISMATCH;
                  if (!(value.dblVal >= kMinZoom && value.dblVal <= kMaxZoom)) return E_INVALIDARG;
                  m_zoom = value.dblVal;
                  if (m_widget) m_widget->SetZoom(m_zoom);
                  return S_OK;
              });
    AddMember(DISPID_FLAG266, "Flag266", DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT,
              [this](Invocation& call) -> HRESULT {
                  if (!call.IsPut()) {
                      call.ReturnBool(m_bSaveAlpha);
                      return S_OK;
                  }
                  VARIANT value;
                  if (!PutValueAs(call, VT_BOOL, value)) return DISP_E_TYPEMISMATCH;
                  m_bSaveAlpha = value.boolVal != VARIANT_FALSE;
                  return S_OK;
              });
}

void ImageEnXControl::ViewPressed(double x, double y, int button, const std::string& shift,
                                  bool doubleClick) {
    // Kept alive while the container handles the event.
    ComPtr<IDispatch> self(static_cast<IDispatch*>(this));
    if (button == 0) {
        if (doubleClick) {
            m_document.DoubleClick(x, y);
        } else {
            m_document.Press(x, y);
        }
        Refresh();
    }
    std::vector<VARIANT> args = {MakeVariantI4(button), MakeVariantBstr(shift),
                                 MakeVariantI4(PixelOf(x)), MakeVariantI4(PixelOf(y))};
    m_events.Fire(DISPID_EVENT_BUTTONDOWN, args);
    for (VARIANT& arg : args) VariantClear(&arg);
}

void ImageEnXControl::ViewMoved(double x, double y, bool buttonHeld, const std::string& shift) {
    ComPtr<IDispatch> self(static_cast<IDispatch*>(this));
    if (buttonHeld) {
        m_document.Drag(x, y);
        Refresh();
    } else {
        m_document.Hover(x, y);
        if (!m_document.OpenOutline().empty()) Refresh();
    }
    std::vector<VARIANT> args = {MakeVariantBstr(shift), MakeVariantI4(PixelOf(x)),
                                 MakeVariantI4(PixelOf(y))};
    m_events.Fire(DISPID_EVENT_POINTERMOVE, args);
    for (VARIANT& arg : args) VariantClear(&arg);
}

void ImageEnXControl::ViewReleased(double x, double y) {
    m_document.Release(x, y);
    Refresh();
}

void ImageEnXControl::ViewKeyDown(int virtualKey, const std::string& shift) {
    ComPtr<IDispatch> self(static_cast<IDispatch*>(this));
    LONG key = virtualKey;
    VARIANT keyRef;
    VariantInit(&keyRef);
    keyRef.vt = VT_BYREF | VT_I4;
    keyRef.plVal = &key;
    std::vector<VARIANT> args = {keyRef, MakeVariantBstr(shift)};
    m_events.Fire(DISPID_EVENT_KEYDOWN, args);
    VariantClear(&args[1]);
}

}  // namespace imageview
