#pragma once

#include <cstdint>

#include "apps/tintora/PictureFiles.h"

// A picture like the graphics a broadcast host composes, at any size: on a
// transparent background a lower-third banner with a textured photo-like
// fill, a semi-transparent panel with lettering, a logo disc with a soft edge
// and a drop of faded glow; every effect meets transparent, opaque and
// partly transparent areas and the edges between them.
Picture MakeBenchPicture(int32_t width, int32_t height);

// The crop dialog's kind of selection mask for such a picture: white inside
// an ellipse around the banner, black outside.
Picture MakeBenchSelection(int32_t width, int32_t height);

// A matte for the matte effect: a grey ramp across the picture with an
// alpha ramp down it.
Picture MakeBenchMatte(int32_t width, int32_t height);
