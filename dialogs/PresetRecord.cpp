#include "dialogs/PresetRecord.h"

std::array<uint32_t, 20> PresetRecord::Words() const {
    return {dwFlag,
            uint32_t(nPct),
            uint32_t(nDir),
            nFocusSize,
            nBorderSize,
            nMotionX,
            nMotionY,
            nTransp,
            nOffsetBlur,
            nBorderBlur,
            uint32_t(nOffsetX),
            uint32_t(nOffsetY),
            uint32_t(nEffectIndex),
            crColor,
            dwReserved[0],
            dwReserved[1],
            dwReserved[2],
            dwReserved[3],
            dwReserved[4],
            dwReserved[5]};
}

void PresetRecord::SetWord(int index, uint32_t value) {
    switch (index) {
        case 0: dwFlag = value; break;
        case 1: nPct = int32_t(value); break;
        case 2: nDir = int32_t(value); break;
        case 3: nFocusSize = value; break;
        case 4: nBorderSize = value; break;
        case 5: nMotionX = value; break;
        case 6: nMotionY = value; break;
        case 7: nTransp = value; break;
        case 8: nOffsetBlur = value; break;
        case 9: nBorderBlur = value; break;
        case 10: nOffsetX = int32_t(value); break;
        case 11: nOffsetY = int32_t(value); break;
        case 12: nEffectIndex = int32_t(value); break;
        case 13: crColor = value; break;
        default:
            if (index >= 14 && index < 20) dwReserved[size_t(index - 14)] = value;
    }
}
