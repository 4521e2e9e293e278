#include "platform/com/ControlInterfaces.h"

#include <cstdlib>
#include <cstring>

#include "platform/automation/Bstr.h"

void* CoTaskMemAlloc(size_t size) { return std::malloc(size ? size : 1); }

void CoTaskMemFree(void* memory) { std::free(memory); }

LPOLESTR CoTaskMemString(const char* text) {
    const std::u16string wide = WideFromNarrow(text ? text : "");
    auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((wide.size() + 1) * sizeof(OLECHAR)));
    if (!copy) return nullptr;
    std::memcpy(copy, wide.c_str(), (wide.size() + 1) * sizeof(OLECHAR));
    return copy;
}
