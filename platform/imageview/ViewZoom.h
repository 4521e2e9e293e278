#pragma once
// How the view's zoom becomes the size the picture is shown at. The zoom is a
// percentage, taken anywhere from -1000 to 1000 and read back as set:
//   - above 0 the picture is shown at that percentage of its size (100: one
//     screen pixel for each picture pixel);
//   - 0 shows it fitted to the view, as after fitting, which is where the
//     crop dialog's zoom slider stands at the middle;
//   - below 0 shrinks the fitted picture in proportion, (1000 + zoom) / 1000
//     of the fitted size, but to no less than a twentieth of it.

namespace imageview {

constexpr double kMinZoom = -1000;
constexpr double kMaxZoom = 1000;
// A control that has no window yet has its start-up size.
constexpr int kStartWidth = 384;
constexpr int kStartHeight = 434;

// The zoom (a percentage) at which the whole picture fits the view, at most
// 1000 so that a tiny picture stays within the zoom's range; 100 without a picture.
double FitZoom(int pictureWidth, int pictureHeight, int viewWidth, int viewHeight);

// Screen pixels per picture pixel for a zoom, given the fitting zoom.
double DisplayScale(double zoom, double fitZoom);

}  // namespace imageview
