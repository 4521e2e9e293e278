#pragma once
// Large rasters are swept by columns as well as by rows; with ordinary 4 KiB
// pages every row of such a sweep is a new page, and the first touch of each
// page costs a fault. Asking the system for large pages before first touch
// spares both. Only advice: nothing changes when it is not taken.

#include "engine/Raster.h"

namespace engine {

void PreferLargePages(Raster& raster);

}  // namespace engine
