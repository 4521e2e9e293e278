#pragma once

#include "apps/tintora/PictureFiles.h"

// The project's own sample picture: a lettered badge with a soft-edged disc on a
// transparent background, so that every effect has colour, edges and alpha to
// work on.
Picture MakeSamplePicture();
