// The screen area: the scaled, masked panel preview over the backdrop, the installed
// pictures and the database badge (Windows only).
#pragma once

#include <windows.h>

#include <string>

namespace preview {

struct PreviewState {
    HBITMAP bitmap = nullptr;  // long-lived: 320 x height, screen format
    HBITMAP mask = nullptr;    // long-lived: 1 bit per pixel, 1 where the preview is pure black
    int height = 0;            // 0..240
};

extern PreviewState g_preview;

// Screen area in client coordinates.
constexpr int kScreenX = 253;
constexpr int kScreenY = 123;
constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 240;

void LoadPanelPreview(const std::string& bitmapPath);
void SetPreviewFromResource(int resourceId);
void BuildPreviewMask();
// Draws backdrop, preview, installed pictures and badge onto target.
void ComposeScreenArea(HDC target);
void RedrawPreviewArea();
void PaintMainDialog();
void ReleasePreview();

}  // namespace preview
