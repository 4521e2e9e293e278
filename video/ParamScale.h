#pragma once
// frei0r hands parameters over as doubles meant to lie in 0 .. 1 and colours as
// three floats; the effects take whole numbers and bytes.

#include <cstdint>

#include "video/VideoFilter.h"

namespace video {

// The setting a value gives a number or angle parameter (see ParamKind); a
// value that is not a number leaves `current`.
int32_t SettingOf(const FilterParam& param, double value, int32_t current);

// The value that gives the setting: what the parameter reads back as.
double ValueOf(const FilterParam& param, int32_t setting);

// A colour channel's byte from its value; a value that is not a number leaves `current`.
uint8_t ColorByteOf(double value, uint8_t current);

}  // namespace video
