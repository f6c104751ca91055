// The screen area: the scaled, masked panel preview over the backdrop, the installed pictures
// and the database badge (Windows only). The preview is a value its owner keeps; every drawing
// is given the surface it draws on, what it shows and where.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"
#include "preview/preview_geometry.h"

#include <string>

namespace preview {

// The long-lived preview: 320 x height in the screen's format, and its mask, 1 bit per pixel,
// 1 where the preview is pure black (see-through). No bitmap and height 0 while there is none.
struct PreviewImage {
    platform::OwnedBitmap bitmap;
    platform::OwnedBitmap mask;
    int height = 0;  // 0..240
};

enum class Badge { None, Americas, International };

// What the screen area shows.
struct ScreenArea {
    const PreviewImage* preview = nullptr;  // none: the backdrop alone
    bool installed = false;                 // the GPS and radio stack pictures over the preview
    Badge badge = Badge::None;              // the trainer's startup database
};

// Replaces the preview with the bitmap file at bitmapPath scaled to 320 pixels wide, keeping its
// proportions up to 240 rows, and rebuilds the mask. A file that can't be read as a bitmap
// (missing, not a bitmap, a path Windows can't take) leaves no preview at all.
void LoadPanelPreview(PreviewImage& preview, const std::string& bitmapPath);

// Replaces the preview with bitmap resource resourceId (a 320 x 240 notice), unscaled, and
// rebuilds the mask. An id that doesn't load leaves no preview.
void SetPreviewFromResource(PreviewImage& preview, int resourceId);

// Releases the preview and its mask.
void ReleasePreview(PreviewImage& preview);

// The screen area onto target, a surface whose origin is the dialog's client origin: the
// backdrop, the preview through its mask, the installed pictures and the badge. Loads each
// fixed picture as it draws it and releases it after. Never clears the badge rectangle: a badge
// drawn earlier stays until the skin is painted again.
void ComposeScreenArea(HDC target, const ScreenArea& area);

// Bitmap resource resourceId onto target at x, y, width x height, unscaled.
void DrawPicture(HDC target, int resourceId, int x, int y, int width, int height);

}  // namespace preview
