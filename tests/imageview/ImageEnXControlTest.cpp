// The view as a container meets it: made by its class id, called by DISPID,
// in place in a window, its events fired to an advised sink.

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <fstream>
#include <memory>

#include "platform/com/ClassObjects.h"
#include "platform/com/EventSink.h"
#include "platform/imageview/ImageEnXClass.h"
#include "platform/imageview/ImageEnXControl.h"
#include "platform/imageview/SelectionFile.h"
#include "tests/support/DispatchCalls.h"
#include "tests/support/PilScript.h"
#include "tests/support/RecordingPrompts.h"

namespace {

using namespace imageview;

// Results are numbers and flags only, so the VARIANT owns nothing.
struct Outcome {
    HRESULT hr;
    VARIANT value;
};

class ImageEnXTest : public ::testing::Test {
protected:
    ImageEnXTest() {
        EXPECT_TRUE(registration.Registered());
        EXPECT_EQ(CoCreateInstance(CLSID_ImageEnX, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                                   reinterpret_cast<void**>(view.Receive())),
                  S_OK);
        control = dynamic_cast<ImageEnXControl*>(view.Get());
    }
    ~ImageEnXTest() override {
        if (control) control->InPlaceDeactivate();
    }

    // Arguments in declaration order, freed after the call.
    Outcome Call(DISPID id, WORD flags, std::vector<VARIANT> args = {}) {
        const CallResult result(view.Get(), id, args, flags);
        for (VARIANT& arg : args) VariantClear(&arg);
        return {result.hr, result.value};
    }
    HRESULT Method(DISPID id, std::vector<VARIANT> args = {}) {
        return Call(id, DISPATCH_METHOD, std::move(args)).hr;
    }
    // A query method's answer, or with DISPATCH_PROPERTYGET a property's value.
    LONG Query(DISPID id, WORD flags = DISPATCH_METHOD) {
        Outcome outcome = Call(id, flags);
        EXPECT_EQ(outcome.hr, S_OK);
        return *VariantToInteger(outcome.value);
    }
    static VARIANT Text(const std::string& text) { return MakeVariantBstr(text); }
    static VARIANT Long(LONG value) { return MakeVariantI4(value); }
    static VARIANT Double(double value) {
        VARIANT v{};
        v.vt = VT_R8, v.dblVal = value;
        return v;
    }

    // The view in a window of its own, shown.
    QWidget* Activate() {
        host = std::make_unique<QWidget>();
        host->resize(400, 300);
        EXPECT_EQ(control->InPlaceActivate(reinterpret_cast<HWND>(host.get())), S_OK);
        HWND window = nullptr;
        EXPECT_EQ(control->GetWindow(&window), S_OK);
        auto* widget = reinterpret_cast<QWidget*>(window);
        widget->setGeometry(0, 0, 400, 300);
        host->show();
        return widget;
    }

    // Writes an upright picture with PIL, red in its top row, green below,
    // 8 x 6; PIL keeps TGA rows bottom first unless told otherwise.
    std::string PilPicture(const char* name, const char* orientation) {
        PilScript(dir, std::string("im = Image.new('RGBA', (8, 6), (0, 200, 0, 128))\n") +
                           "for x in range(8): im.putpixel((x, 0), (255, 0, 0, 255))\n" +
                           "im.save('" + name + "', orientation=" + orientation + ")\n");
        return dir.File(name);
    }

    TempDir dir;
    RecordingPrompts prompts;
    ImageEnXClassRegistration registration;
    ComPtr<IDispatch> view;
    ImageEnXControl* control = nullptr;
    std::unique_ptr<QWidget> host;
};

TEST_F(ImageEnXTest, MembersCheckTheirArgumentsAndPropertiesTheirKinds) {
    constexpr WORD kMethod = DISPATCH_METHOD, kPut = DISPATCH_PROPERTYPUT;
    // clang-format off
    const struct { const char* name; DISPID id; WORD flags; std::vector<VARIANT> args; HRESULT hr; }
    cases[] = {
        {"a method without its arguments", DISPID_MOVESELECTION, kMethod, {Long(1)},
         DISP_E_BADPARAMCOUNT},
        {"a text where a number goes", DISPID_WANDSELECTAT, kMethod, {Long(1), Text("x"), Long(0)},
         DISP_E_TYPEMISMATCH},
        {"a number where a text goes", DISPID_LOADIMAGEFILE, kMethod, {Long(1)},
         DISP_E_TYPEMISMATCH},
        {"an unknown interaction", DISPID_SETINTERACTION, kMethod,
         {Text("SELECTCIRCLE"), Text("1")}, E_INVALIDARG},
        {"a colour that is no colour", DISPID_FILLSELECTION, kMethod, {Text("255,0")},
         E_INVALIDARG},
        {"a zoom past 1000", DISPID_ZOOM, kPut, {Double(1000.5)}, E_INVALIDARG},
        {"a tolerance past 100", DISPID_WANDTOLERANCE, kPut, {Long(101)}, E_INVALIDARG},
        {"reading a put-only property", DISPID_WANDTOLERANCE, DISPATCH_PROPERTYGET, {},
         DISP_E_MEMBERNOTFOUND},
        {"a colour with blanks", DISPID_FILLSELECTION, kMethod, {Text(" 1 ,2, 3 ")}, S_OK}};
    // clang-format on
    for (const auto& c : cases) EXPECT_EQ(Call(c.id, c.flags, c.args).hr, c.hr) << c.name;
}

TEST_F(ImageEnXTest, QueriesTellAPictureAndAWindowAndZoomReadsBackAsSet) {
    EXPECT_EQ((std::tuple{Query(DISPID_QUERY13), Query(DISPID_QUERY14)}), (std::tuple{0, 0}));
    ASSERT_EQ(Method(DISPID_LOADIMAGEFILE, {Text(PilPicture("p.tga", "1"))}), S_OK);
    EXPECT_EQ((std::tuple{Query(DISPID_QUERY13), Query(DISPID_QUERY14)}), (std::tuple{1, 0}));
    Activate();
    EXPECT_EQ(Query(DISPID_QUERY14), 1);

    for (double zoom : {-1000.0, -0.5, 0.0, 37.25, 1000.0}) {
        ASSERT_EQ(Call(DISPID_ZOOM, DISPATCH_PROPERTYPUT, {Double(zoom)}).hr, S_OK);
        EXPECT_EQ(Call(DISPID_ZOOM, DISPATCH_PROPERTYGET).value.dblVal, zoom);
    }
    // Fitting an 8 x 6 picture in the window: held to 1000 %, as zoom 0 shows it too.
    ASSERT_EQ(Method(DISPID_FITIMAGE), S_OK);
    EXPECT_EQ(Call(DISPID_ZOOM, DISPATCH_PROPERTYGET).value.dblVal, 1000);
    EXPECT_EQ(control->Widget()->Scale(), 10);
    Call(DISPID_ZOOM, DISPATCH_PROPERTYPUT, {Double(0)});
    EXPECT_EQ(control->Widget()->Scale(), 10);

    control->InPlaceDeactivate();
    EXPECT_EQ(Query(DISPID_QUERY14), 0);
}

TEST_F(ImageEnXTest, PicturesShowUprightAndTheMaskLinesUpWithThemWithoutAlphaWhenFlag266IsOff) {
    for (const char* orientation : {"1", "-1"}) {  // rows top first, rows bottom first
        ASSERT_EQ(Method(DISPID_LOADIMAGEFILE, {Text(PilPicture("p.tga", orientation))}), S_OK);
        const ViewPicture& picture = control->Document().Picture();
        ASSERT_EQ(picture.width, 8);
        EXPECT_EQ(std::vector<uint8_t>(picture.Pixel(3, 0), picture.Pixel(3, 0) + 4),
                  (std::vector<uint8_t>{255, 0, 0, 255}))
            << orientation;
        EXPECT_EQ(std::vector<uint8_t>(picture.Pixel(3, 5), picture.Pixel(3, 5) + 4),
                  (std::vector<uint8_t>{0, 200, 0, 128}))
            << orientation;
    }
    // The top row by the wand, made into the mask the crop dialog asks for.
    Method(DISPID_WANDSELECTAT, {Long(2), Long(0), Long(0)});
    EXPECT_EQ(Query(DISPID_SELECTIONBOTTOM, DISPATCH_PROPERTYGET), 1);
    Method(DISPID_FILLSELECTION, {Text("255,255,255")});
    Method(DISPID_INVERTSELECTION);
    Method(DISPID_FILLSELECTION, {Text("0,0,0")});
    Method(DISPID_INVERTSELECTION);
    EXPECT_EQ(Query(DISPID_SELECTIONRIGHT, DISPATCH_PROPERTYGET), 8);
    EXPECT_EQ(Call(DISPID_FLAG266, DISPATCH_PROPERTYGET).value.boolVal, VARIANT_TRUE);
    Method(DISPID_SAVEIMAGEFILE, {Text(dir.File("alpha.tga"))});
    Call(DISPID_FLAG266, DISPATCH_PROPERTYPUT, {MakeVariantI4(0)});
    Method(DISPID_SAVEIMAGEFILE, {Text(dir.File("mask.tga"))});
    EXPECT_EQ(PilScript(dir,
                        "for f in ('alpha.tga', 'mask.tga'):\n"
                        "    im = Image.open(f)\n"
                        "    print(im.mode, im.size, im.getpixel((7, 0)), im.getpixel((0, 1)),"
                        " im.getpixel((5, 5)))\n"),
              "RGBA (8, 6) (255, 255, 255, 255) (0, 0, 0, 255) (0, 0, 0, 255)\n"
              "RGB (8, 6) (255, 255, 255) (0, 0, 0) (0, 0, 0)\n");
}

TEST_F(ImageEnXTest, FilesThatCannotBeReadOrWrittenAreReportedAndChangeNothing) {
    Method(DISPID_LOADIMAGEFILE, {Text(PilPicture("p.tga", "1"))});
    Method(DISPID_WANDSELECTAT, {Long(0), Long(0), Long(0)});
    const SelectionMask before = control->Document().Selection();
    const std::string broken = dir.File("broken.sel");
    std::ofstream(broken) << "TSEL";
    Method(DISPID_LOADSELECTION, {Text(broken)});
    Method(DISPID_LOADIMAGEFILE, {Text(dir.File("none.tga"))});
    Method(DISPID_SAVESELECTION, {Text(dir.File("no/folder/a.sel"))});
    const std::vector<std::string> messages = prompts.Take();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0],
              "The selection file " + broken + " is cut short. The selection is left as it was.");
    EXPECT_EQ(messages[1], "The picture file " + dir.File("none.tga") + " does not exist");
    EXPECT_NE(messages[2].find(dir.File("no/folder/a.sel")), std::string::npos);
    EXPECT_EQ(control->Document().Selection(), before);
    EXPECT_EQ(control->Document().Picture().width, 8);
}

TEST_F(ImageEnXTest, MouseAndKeysFireEventsInPicturePixelsAndCommand76EndsAnOutline) {
    Method(DISPID_LOADIMAGEFILE, {Text(PilPicture("p.tga", "1"))});
    QWidget* widget = Activate();
    Method(DISPID_FITIMAGE);  // 10 screen pixels a picture pixel, centred: from (0, 0) + 1 frame
    using Fired = std::pair<DISPID, std::vector<std::string>>;
    std::vector<Fired> fired;
    auto sink = EventSink::Create([&](DISPID id, DISPPARAMS& params) {
        Fired event{id, {}};
        for (UINT i = params.cArgs; i-- > 0;) {
            VARIANT& arg = params.rgvarg[i];
            if (arg.vt == VT_BSTR) {
                event.second.push_back(NarrowFromBstr(arg.bstrVal));
            } else if (arg.vt == (VT_BYREF | VT_I4)) {
                event.second.push_back("&" + std::to_string(*arg.plVal));
                *arg.plVal = 0;
            } else {
                event.second.push_back(std::to_string(*VariantToInteger(arg)));
            }
        }
        fired.push_back(event);
    });
    ComPtr<IConnectionPointContainer> points;
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(view->QueryInterface(IID_IConnectionPointContainer,
                                   reinterpret_cast<void**>(points.Receive())),
              S_OK);
    ASSERT_EQ(points->FindConnectionPoint(IID_IDispatch, point.Receive()), S_OK);
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(static_cast<IDispatch*>(sink.Get()), &cookie), S_OK);

    auto* area = dynamic_cast<ImageViewWidget*>(widget);
    ASSERT_TRUE(area);
    auto at = [&](double x, double y) { return area->ToViewport({x, y}).toPoint(); };
    Method(DISPID_SETINTERACTION, {Text("SELECTPOLYGON"), Text("1")});
    QTest::mouseClick(area->viewport(), Qt::LeftButton, Qt::NoModifier, at(1.5, 2.5));
    QTest::mouseMove(area->viewport(), at(6.2, 4.7));
    QTest::mouseClick(area->viewport(), Qt::RightButton, Qt::ControlModifier, at(6.2, 4.7));
    QTest::keyClick(area, Qt::Key_Left, Qt::ShiftModifier);
    // Shift is pressed before the arrow, and is a key of its own.
    using Args = std::vector<std::string>;
    EXPECT_EQ(fired,
              (std::vector<Fired>{{DISPID_EVENT_BUTTONDOWN, Args{"0", "Left", "1", "2"}},
                                  {DISPID_EVENT_POINTERMOVE, Args{"", "6", "4"}},
                                  {DISPID_EVENT_BUTTONDOWN, Args{"1", "Ctrl,Right", "6", "4"}},
                                  {DISPID_EVENT_KEYDOWN, Args{"&16", "Shift"}},
                                  {DISPID_EVENT_KEYDOWN, Args{"&37", "Shift"}}}));

    // One corner is open; Command76 drops it, so the next click starts afresh.
    EXPECT_EQ(control->Document().OpenOutline().size(), 1u);
    Method(DISPID_COMMAND76, {Long(1)});
    EXPECT_TRUE(control->Document().OpenOutline().empty());

    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    QTest::mouseClick(area->viewport(), Qt::LeftButton, Qt::NoModifier, at(1, 1));
    EXPECT_EQ(fired.size(), 5u);
}

}  // namespace
