// Placeholder until the renderer lands.
#include "preview/preview_renderer.h"

namespace preview {
PreviewState g_preview;
void LoadPanelPreview(const std::string&) {}
void SetPreviewFromResource(int) {}
void BuildPreviewMask() {}
void ComposeScreenArea(HDC) {}
void RedrawPreviewArea() {}
void PaintMainDialog() {}
void ReleasePreview() {}
}  // namespace preview
