// The screen area: the scaled, masked panel preview over the backdrop, the installed
// pictures and the database badge (Windows only).
#pragma once

#include <windows.h>

#include <string>

#include "preview/gdi_handles.h"

namespace preview {

struct PreviewState {
    OwnedBitmap bitmap;  // long-lived preview: 320 x height, screen format; or none
    OwnedBitmap mask;    // long-lived mask: 1 bit per pixel, 1 where the preview is pure black
    int height = 0;      // 0..240; 0 while there is no preview
};

extern PreviewState g_preview;

// Screen area in client coordinates.
constexpr int kScreenX = 253;
constexpr int kScreenY = 123;
constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 240;

// Replaces the preview with the bitmap file at bitmapPath scaled to 320 pixels wide, keeping
// its proportions up to 240 rows, and rebuilds the mask. A file that can't be read as a bitmap
// (missing, not a bitmap, a path Windows can't take) leaves no preview at all.
void LoadPanelPreview(const std::string& bitmapPath);

// Replaces the preview with bitmap resource resourceId (a 320 x 240 notice), unscaled, and
// rebuilds the mask. An id that doesn't load leaves no preview.
void SetPreviewFromResource(int resourceId);

// Rebuilds the mask from the preview and turns every see-through pixel of the preview pure
// black. Without a preview, just drops the mask.
void BuildPreviewMask();

// Draws backdrop, preview, installed pictures and badge onto target, a surface whose origin is
// the dialog's client origin. Loads each fixed picture as it draws it and releases it after.
void ComposeScreenArea(HDC target);

// Draws the screen area and the badge onto the dialog (app::g_shell.dialog) right away. Never
// clears the badge: one drawn earlier stays until the next full paint.
void RedrawPreviewArea();

// The dialog's whole paint: the skin over the client area, then the screen area. For the
// dialog's paint handler.
void PaintMainDialog();

// Releases the preview and its mask; for the dialog's exits.
void ReleasePreview();

}  // namespace preview
