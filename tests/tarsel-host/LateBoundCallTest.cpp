// The host's call boundary: whatever a plug-in's method does, the host gets a
// message back, never an exception.

#include <gtest/gtest.h>

#include <stdexcept>

#include "apps/tarsel-host/LateBoundCall.h"
#include "platform/automation/Bstr.h"
#include "platform/automation/ComPtr.h"
#include "platform/automation/DispatchObject.h"

using namespace tarsel_host;

namespace {

// A plug-in whose methods succeed, fail, raise a dispatch exception or throw.
class Misbehaving : public DispatchObject {
public:
    Misbehaving() : DispatchObject("Misbehaving") {
        AddMember(1, "Works", DISPATCH_METHOD, [](Invocation&) { return S_OK; });
        AddMember(2, "Fails", DISPATCH_METHOD, [](Invocation&) { return E_FAIL; });
        AddMember(3, "Raises", DISPATCH_METHOD, [](Invocation&) { return S_OK; });
        AddMember(4, "Throws", DISPATCH_METHOD,
                  [](Invocation&) -> HRESULT { throw std::runtime_error("lost its picture"); });
        AddMember(5, "ThrowsAnything", DISPATCH_METHOD, [](Invocation&) -> HRESULT { throw 7; });
    }
    HRESULT Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                   VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override {
        if (id != 3) {
            return DispatchObject::Invoke(id, iid, locale, flags, params, result, excepInfo,
                                          argErr);
        }
        excepInfo->scode = MakeHresult(0x80040200u);
        excepInfo->bstrDescription = BstrFromNarrow("Out of Memory");
        return DISP_E_EXCEPTION;
    }
};

}  // namespace

TEST(LateBoundCall, EveryFailureComesBackAsAMessage) {
    const auto plugin = ComPtr<Misbehaving>::Adopt(new Misbehaving());
    // clang-format off
    const struct { const char* method; bool ok; std::string error; } cases[] = {
        {"Works", true, ""}, {"Fails", false, "Fails failed (0x80004005)"},
        {"Raises", false, "Raises failed (0x80040200): Out of Memory"},
        {"Throws", false, "Throws failed: lost its picture"},
        {"ThrowsAnything", false, "ThrowsAnything failed with an unknown error"},
        {"Missing", false, "it has no method Missing"}
    };
    // clang-format on
    for (const auto& c : cases) {
        const CallOutcome outcome = CallMethod(plugin.Get(), c.method, {});
        EXPECT_EQ(outcome.ok, c.ok) << c.method;
        EXPECT_EQ(outcome.error, c.error) << c.method;
    }
    EXPECT_EQ(CallMethod(nullptr, "Works", {}).error, "there is no object to call Works on");
    EXPECT_EQ(plugin->RefCount(), 1u);
}
