#pragma once
// The magic wand: the region of similar colour around a pixel.

#include "platform/imageview/SelectionMask.h"
#include "platform/imageview/ViewPicture.h"

namespace imageview {

constexpr int kMinWandTolerance = 0;
constexpr int kMaxWandTolerance = 100;
// What the view uses until it is told otherwise.
constexpr int kDefaultWandTolerance = 20;

// Whether a colour is within the tolerance of another: their distance in the
// red-green-blue cube, where 100 is the cube's diagonal (black to white) and
// 0 allows the same colour only. Alpha plays no part.
bool SimilarColour(const uint8_t* a, const uint8_t* b, int tolerance);

// The 4-connected pixels reachable from (x, y) through pixels similar to the
// colour at (x, y). Empty when the point is off the picture. The tolerance is
// held to 0..100.
SelectionMask WandRegion(const ViewPicture& picture, int32_t x, int32_t y, int tolerance);

}  // namespace imageview
