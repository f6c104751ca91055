#include "preview/preview_renderer.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>

#include "platform/paths.h"
#include "platform/unique_handle.h"
#include "preview/preview_geometry.h"
#include "resources/resource_ids.h"

namespace preview {

namespace {

using platform::MemoryDc;
using platform::OwnedBitmap;
using platform::SelectedObject;
using platform::WindowDc;
// Larger panel bitmaps are not previewed: their pixel copy would crowd a 32-bit process.
constexpr int64_t kMaxSourcePixels = int64_t{4096} * 4096;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

OwnedBitmap LoadResourceBitmap(int id) {
    return OwnedBitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
}

// Loads a fixed picture, copies it onto target and releases it again.
void DrawResourceBitmap(HDC target, HDC memory, int id, const Rect& place) {
    const OwnedBitmap bitmap = LoadResourceBitmap(id);
    if (!bitmap) {
        return;
    }
    const SelectedObject selected(memory, bitmap.get());
    if (selected.ok()) {
        BitBlt(target, place.x, place.y, place.width, place.height, memory, 0, 0, SRCCOPY);
    }
}

// Width and height of a bitmap; false when it can't be read.
bool BitmapSize(HBITMAP bitmap, int& width, int& height) {
    BITMAP info{};
    if (GetObjectA(bitmap, sizeof info, &info) != static_cast<int>(sizeof info)) {
        return false;
    }
    width = info.bmWidth;
    height = std::abs(info.bmHeight);
    return width > 0 && height > 0;
}

// A 32-bit top-down description of image's size, whose pixels read as 0x00RRGGBB.
BITMAPINFO TopDownRgb(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

bool ReadPixels(HBITMAP bitmap, RgbImage& image) {
    image.pixels.assign(static_cast<size_t>(image.width) * static_cast<size_t>(image.height), 0);
    BITMAPINFO info = TopDownRgb(image.width, image.height);
    const WindowDc screen(nullptr);
    return screen.get() != nullptr && GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(image.height),
                                                image.pixels.data(), &info, DIB_RGB_COLORS) == image.height;
}

// A bitmap in the screen's format holding image.
OwnedBitmap MakeScreenBitmap(const RgbImage& image) {
    const WindowDc screen(nullptr);
    if (screen.get() == nullptr) {
        return OwnedBitmap();
    }
    OwnedBitmap bitmap(CreateCompatibleBitmap(screen.get(), image.width, image.height));
    const BITMAPINFO info = TopDownRgb(image.width, image.height);
    if (bitmap && SetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(image.height), image.pixels.data(), &info,
                            DIB_RGB_COLORS) != image.height) {
        bitmap.Reset();
    }
    return bitmap;
}

// The panel bitmap file at path, scaled to the preview's size; none when it can't be read.
OwnedBitmap ScaledPanelBitmap(const std::string& path, int& rows) {
    // LoadImageA would read a path cut at an embedded zero as some other file.
    if (path.empty() || path.size() > platform::kMaxPathChars || path.find('\0') != std::string::npos) {
        return OwnedBitmap();
    }
    const OwnedBitmap loaded(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    RgbImage source;
    if (!loaded || !BitmapSize(loaded.get(), source.width, source.height) ||
        int64_t{source.width} * source.height > kMaxSourcePixels) {
        return OwnedBitmap();
    }
    rows = PreviewHeight(source.width, source.height);
    try {
        if (rows == 0 || !ReadPixels(loaded.get(), source)) {
            return OwnedBitmap();
        }
        return MakeScreenBitmap(ScaleSeeThrough(source, kPreviewWidth, rows));
    } catch (const std::bad_alloc&) {
        return OwnedBitmap();
    }
}

int BadgeResource(Badge badge) {
    switch (badge) {
        case Badge::Americas: return IDB_BADGE_AMERICAS;
        case Badge::International: return IDB_BADGE_INTERNATIONAL;
        case Badge::None: break;
    }
    return 0;
}

// The screen area onto target, through memory, a surface compatible with it.
void Compose(HDC target, HDC memory, const ScreenArea& area) {
    DrawResourceBitmap(target, memory, IDB_BACKDROP, kScreenArea);

    const PreviewImage* preview = area.preview;
    if (preview != nullptr && preview->bitmap && preview->mask) {
        const int top = kScreenArea.y + kScreenArea.height - preview->height;
        // The mask's bits arrive in the target's colours: see-through as white keeps the
        // backdrop, opaque as black clears the pixel for the preview to fill.
        const COLORREF oldText = SetTextColor(target, kBlack);
        const COLORREF oldBack = SetBkColor(target, kWhite);
        {
            const SelectedObject mask(memory, preview->mask.get());
            if (mask.ok()) {
                BitBlt(target, kScreenArea.x, top, kScreenArea.width, preview->height, memory, 0, 0, SRCAND);
            }
        }
        {
            const SelectedObject picture(memory, preview->bitmap.get());
            if (picture.ok()) {
                BitBlt(target, kScreenArea.x, top, kScreenArea.width, preview->height, memory, 0, 0, SRCPAINT);
            }
        }
        SetTextColor(target, oldText);
        SetBkColor(target, oldBack);
    }

    if (area.installed) {
        DrawResourceBitmap(target, memory, IDB_GPS_UNIT, kGpsPicture);
        DrawResourceBitmap(target, memory, IDB_RADIO_STACK, kRadioPicture);
    }

    if (const int badge = BadgeResource(area.badge)) {
        DrawResourceBitmap(target, memory, badge, kBadgePicture);
    }
}

// Rebuilds the mask from the preview and turns every see-through pixel of the preview pure
// black. Without a preview, just drops the mask; a mask that cannot be made drops the preview.
void BuildPreviewMask(PreviewImage& preview) {
    preview.mask.Reset();
    if (!preview.bitmap) {
        return;
    }
    int width = 0;
    int height = 0;
    OwnedBitmap mask;
    if (BitmapSize(preview.bitmap.get(), width, height)) {
        mask = OwnedBitmap(CreateBitmap(width, height, 1, 1, nullptr));
    }
    const MemoryDc colour(nullptr);
    const MemoryDc mono(nullptr);
    bool built = false;
    if (mask && colour.get() != nullptr && mono.get() != nullptr) {
        const SelectedObject picture(colour.get(), preview.bitmap.get());
        const SelectedObject maskIn(mono.get(), mask.get());
        if (picture.ok() && maskIn.ok()) {
            // Colour to mono: pixels equal to the background colour, pure black, become 1.
            SetBkColor(colour.get(), kBlack);
            BitBlt(mono.get(), 0, 0, width, height, colour.get(), 0, 0, SRCCOPY);
            // Mono to colour: 1 arrives as black, 0 as white, so the AND blackens exactly the
            // see-through pixels and leaves the rest.
            SetTextColor(colour.get(), kWhite);
            SetBkColor(colour.get(), kBlack);
            BitBlt(colour.get(), 0, 0, width, height, mono.get(), 0, 0, SRCAND);
            built = true;
        }
    }
    if (built) {
        preview.mask = std::move(mask);
    } else {
        // A preview without a mask would paint its see-through pixels black: show none.
        ReleasePreview(preview);
    }
}

}  // namespace

void LoadPanelPreview(PreviewImage& preview, const std::string& bitmapPath) {
    ReleasePreview(preview);
    int rows = 0;
    OwnedBitmap scaled = ScaledPanelBitmap(bitmapPath, rows);
    if (!scaled) {
        return;
    }
    preview.bitmap = std::move(scaled);
    preview.height = rows;
    BuildPreviewMask(preview);
}

void SetPreviewFromResource(PreviewImage& preview, int resourceId) {
    ReleasePreview(preview);
    preview.bitmap = LoadResourceBitmap(resourceId);
    if (!preview.bitmap) {
        return;
    }
    // Both notices are 320 x 240; the height is theirs by design, not read back.
    preview.height = kScreenArea.height;
    BuildPreviewMask(preview);
}

void ReleasePreview(PreviewImage& preview) {
    preview.bitmap.Reset();
    preview.mask.Reset();
    preview.height = 0;
}

void ComposeScreenArea(HDC target, const ScreenArea& area) {
    if (target == nullptr) {
        return;
    }
    const MemoryDc memory(target);
    if (memory.get() != nullptr) {
        Compose(target, memory.get(), area);
    }
}

void DrawPicture(HDC target, int resourceId, int x, int y, int width, int height) {
    if (target == nullptr) {
        return;
    }
    const MemoryDc memory(target);
    if (memory.get() != nullptr) {
        DrawResourceBitmap(target, memory.get(), resourceId, {x, y, width, height});
    }
}

}  // namespace preview
