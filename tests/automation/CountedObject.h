#pragma once
// A dispatch object for tests: one method "Echo" that records the arguments
// it received (in the order the callee sees them), one read/write property
// "Value", and a method "Fail" that raises a dispatch exception.

#include <string>
#include <vector>

#include "platform/automation/Bstr.h"
#include "platform/automation/DispatchObject.h"

class CountedObject : public DispatchObject {
public:
    static CountedObject* Create() { return new CountedObject(); }

    std::vector<VARTYPE> receivedTypes;
    std::vector<std::string> receivedStrings;
    std::vector<LONGLONG> receivedIntegers;
    LONG value = 0;
    WORD lastFlags = 0;

private:
    CountedObject() : DispatchObject("Counted") {
        AddMember(7, "Echo", DISPATCH_METHOD, [this](Invocation& call) {
            receivedTypes.clear();
            for (UINT i = 0; i < call.ArgCount(); ++i) {
                receivedTypes.push_back(call.Arg(i).vt);
                std::string s;
                LONGLONG n = 0;
                if (call.ArgString(i, s)) receivedStrings.push_back(s);
                if (call.ArgInteger(i, n)) receivedIntegers.push_back(n);
                // An out argument gets written through its reference.
                if (call.Arg(i).vt == (VT_BYREF | VT_VARIANT)) {
                    VariantClear(call.Arg(i).pvarVal);
                    *call.Arg(i).pvarVal = MakeVariantI4(99);
                }
            }
            call.ReturnLong(LONG(call.ArgCount()));
            return S_OK;
        });
        AddMember(8, "Value", DISPATCH_PROPERTYGET | DISPATCH_PROPERTYPUT,
                  [this](Invocation& call) {
                      lastFlags = call.Flags();
                      if (call.IsPut()) {
                          const auto v = VariantToInteger(*call.PutValue());
                          if (!v) return DISP_E_TYPEMISMATCH;
                          value = LONG(*v);
                          return S_OK;
                      }
                      call.ReturnLong(value);
                      return S_OK;
                  });
        AddMember(9, "Self", DISPATCH_PROPERTYGET, [this](Invocation& call) {
            call.ReturnDispatch(this);
            return S_OK;
        });
    }
};
