#include "platform/imageview/ViewZoom.h"

#include <algorithm>

namespace imageview {

double FitZoom(int pictureWidth, int pictureHeight, int viewWidth, int viewHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0) return 100;
    const double across = double(std::max(viewWidth, 1)) / pictureWidth;
    const double down = double(std::max(viewHeight, 1)) / pictureHeight;
    return std::min(100 * std::min(across, down), kMaxZoom);
}

double DisplayScale(double zoom, double fitZoom) {
    if (zoom > 0) return zoom / 100;
    return fitZoom / 100 * std::max(1000 + zoom, 50.0) / 1000;
}

}  // namespace imageview
