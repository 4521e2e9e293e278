#pragma once
// COleVariant: a VARIANT that clears itself, for VARIANTs the caller owns.

#include <string_view>

#include "platform/automation/Variant.h"

class COleVariant : public VARIANT {
public:
    COleVariant() { VariantInit(this); }
    explicit COleVariant(LONG value) { *static_cast<VARIANT*>(this) = MakeVariantI4(value); }
    explicit COleVariant(std::string_view text) {
        *static_cast<VARIANT*>(this) = MakeVariantBstr(text);
    }
    explicit COleVariant(const char* text) : COleVariant(std::string_view(text)) {}
    // Takes a reference of its own.
    explicit COleVariant(IDispatch* object) {
        *static_cast<VARIANT*>(this) = MakeVariantDispatch(object);
    }
    COleVariant(const COleVariant&) = delete;
    COleVariant& operator=(const COleVariant&) = delete;
    ~COleVariant() { VariantClear(this); }

    void Clear() { VariantClear(this); }
    // Takes over what another VARIANT owns; that one is left empty.
    void Attach(VARIANT& source) {
        VariantClear(this);
        *static_cast<VARIANT*>(this) = source;
        VariantInit(&source);
    }
};
