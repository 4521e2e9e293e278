#pragma once
// The dialogs' range checks, by the effect option that a field's value goes to.

#include "control/EffectTable.h"
#include "platform/ui/DataExchange.h"

inline void DDV_Option(CDataExchange* pDX, int value, const effects::EffectOption& option) {
    DDV_MinMaxInt(pDX, value, int(option.min), int(option.max));
}

inline void DDV_Option(CDataExchange* pDX, UINT value, const effects::EffectOption& option) {
    DDV_MinMaxUInt(pDX, value, UINT(option.min), UINT(option.max));
}
