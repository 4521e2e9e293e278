#include "host/ResolveDispID.h"

#include <string>

#include "platform/automation/Bstr.h"

bool ResolveDispID(LPDISPATCH dispatch, const char* name, DISPID* id) {
    if (!dispatch || !name || !id) return false;
    std::u16string wide = WideFromNarrow(name);
    LPOLESTR names[1] = {wide.data()};
    return SUCCEEDED(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, id));
}
