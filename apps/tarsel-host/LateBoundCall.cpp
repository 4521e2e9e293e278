#include "apps/tarsel-host/LateBoundCall.h"

#include <cstdio>
#include <exception>

#include "platform/automation/ComPtr.h"
#include "platform/automation/DispatchDriver.h"

namespace tarsel_host {

std::string HresultText(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", unsigned(hr));
    return text;
}

namespace {

CallOutcome Invoke(IDispatch* object, const std::string& method, std::vector<VARIANT>& args) {
    std::u16string wide = WideFromNarrow(method);
    LPOLESTR names[] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        return {false, "it has no method " + method};
    }
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params{reversed.data(), nullptr, UINT(reversed.size()), 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception;
    const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                      &result, &exception, nullptr);
    VariantClear(&result);
    const ScopedBstr description = ScopedBstr::Adopt(exception.bstrDescription);
    const ScopedBstr source = ScopedBstr::Adopt(exception.bstrSource);
    const ScopedBstr helpFile = ScopedBstr::Adopt(exception.bstrHelpFile);
    if (SUCCEEDED(hr)) return {true, {}};
    const HRESULT code = hr == DISP_E_EXCEPTION && exception.scode ? exception.scode : hr;
    std::string error = method + " failed (" + HresultText(code) + ")";
    if (!description.Narrow().empty()) {
        error += ": " + description.Narrow();
    } else if (!KnownErrorText(code).empty()) {
        error += ": " + KnownErrorText(code);
    }
    return {false, error};
}

}  // namespace

CallOutcome CallMethod(IDispatch* object, const std::string& method, std::vector<VARIANT> args) {
    if (!object) return {false, "there is no object to call " + method + " on"};
    try {
        return Invoke(object, method, args);
    } catch (const std::exception& e) {
        return {false, method + " failed: " + e.what()};
    } catch (...) {
        return {false, method + " failed with an unknown error"};
    }
}

}  // namespace tarsel_host
