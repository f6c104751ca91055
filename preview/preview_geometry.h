// The screen area and the pictures over it, the preview's size, and the scaler that shrinks a
// panel bitmap to it. Portable: no Windows types.
#pragma once

#include <cstdint>
#include <vector>

namespace preview {

// A rectangle of the dialog's client area, in pixels.
struct Rect {
    int x, y, width, height;
};

// Where the screen area and the pictures drawn over it stand (tools/pwdrive.py reads these lines).
constexpr Rect kScreenArea = {253, 123, 320, 240};
constexpr Rect kGpsPicture = {433, 123, 140, 100};
constexpr Rect kRadioPicture = {433, 299, 140, 64};
constexpr Rect kBadgePicture = {513, 373, 60, 34};

constexpr int kPreviewWidth = kScreenArea.width;       // every preview is as wide as the screen area
constexpr int kMaxPreviewHeight = kScreenArea.height;  // and at most as tall

// Rows of the preview of a panel bitmap of width x height pixels: the ratio width / height
// rounded to single precision, 320 divided by it and truncated, capped at 240. A bitmap more
// than 320 times as wide as it is tall gets one row. Returns 0 when either size is not positive.
int PreviewHeight(int width, int height);

// An RGB picture, one 0x00RRGGBB value per pixel, rows top to bottom. The top byte is ignored.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // width * height values
};

// Pure black is the see-through key of a preview.
constexpr uint32_t kSeeThrough = 0x000000;

// Scales source to width x height with a box filter that treats pure black as see-through.
// Each output pixel covers a rectangle of the source, weighted by area. It is pure black when
// pure black pixels cover more than half of that rectangle; otherwise it is the average of the
// rectangle's other pixels, and never pure black (an average that rounds to black becomes the
// darkest non-black value of its strongest channel). Works for shrinking and enlarging.
// Returns an empty image when a size is not positive or source.pixels is too short.
RgbImage ScaleSeeThrough(const RgbImage& source, int width, int height);

}  // namespace preview
