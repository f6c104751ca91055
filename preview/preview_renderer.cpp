#include "preview/preview_renderer.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>

#include "app/shell_state.h"
#include "catalogue/selection.h"
#include "host/host_state.h"
#include "preview/preview_geometry.h"
#include "resources/resource_ids.h"

namespace preview {

PreviewState g_preview;

namespace {

// Longest path LoadImageA takes, terminator included.
constexpr size_t kMaxPathLength = MAX_PATH;
// Larger panel bitmaps are not previewed: their pixel copy would crowd a 32-bit process.
constexpr int64_t kMaxSourcePixels = int64_t{4096} * 4096;

// Where the fixed pictures stand, in client coordinates.
constexpr int kGpsX = 433;
constexpr int kGpsY = 123;
constexpr int kGpsWidth = 140;
constexpr int kGpsHeight = 100;
constexpr int kRadioX = 433;
constexpr int kRadioY = 299;
constexpr int kRadioWidth = 140;
constexpr int kRadioHeight = 64;
constexpr int kBadgeX = 513;
constexpr int kBadgeY = 373;
constexpr int kBadgeWidth = 60;
constexpr int kBadgeHeight = 34;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

OwnedBitmap LoadResourceBitmap(int id) {
    return OwnedBitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
}

// Loads a fixed picture, copies it onto target and releases it again.
void DrawResourceBitmap(HDC target, HDC memory, int id, int x, int y, int width, int height) {
    const OwnedBitmap bitmap = LoadResourceBitmap(id);
    if (!bitmap) {
        return;
    }
    const SelectedObject selected(memory, bitmap);
    if (selected.ok()) {
        BitBlt(target, x, y, width, height, memory, 0, 0, SRCCOPY);
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
    return screen.get() != nullptr &&
           GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(image.height),
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
    if (bitmap && SetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(image.height),
                            image.pixels.data(), &info, DIB_RGB_COLORS) != image.height) {
        bitmap.reset();
    }
    return bitmap;
}

// The panel bitmap file at path, scaled to the preview's size; none when it can't be read.
OwnedBitmap ScaledPanelBitmap(const std::string& path, int& rows) {
    // LoadImageA would read a path cut at an embedded zero as some other file.
    if (path.empty() || path.size() >= kMaxPathLength || path.find('\0') != std::string::npos) {
        return OwnedBitmap();
    }
    const OwnedBitmap loaded(static_cast<HBITMAP>(LoadImageA(
        nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    RgbImage source;
    if (!loaded || !BitmapSize(loaded, source.width, source.height) ||
        int64_t{source.width} * source.height > kMaxSourcePixels) {
        return OwnedBitmap();
    }
    rows = PreviewHeight(source.width, source.height);
    try {
        if (rows == 0 || !ReadPixels(loaded, source)) {
            return OwnedBitmap();
        }
        return MakeScreenBitmap(ScaleSeeThrough(source, kPreviewWidth, rows));
    } catch (const std::bad_alloc&) {
        return OwnedBitmap();
    }
}

// The screen area onto target, through memory, a surface compatible with it.
void Compose(HDC target, HDC memory) {
    DrawResourceBitmap(target, memory, IDB_BACKDROP, kScreenX, kScreenY, kScreenWidth,
                       kScreenHeight);

    if (g_preview.bitmap && g_preview.mask) {
        const int top = kScreenY + kScreenHeight - g_preview.height;
        // The mask's bits arrive in the target's colours: see-through as white keeps the
        // backdrop, opaque as black clears the pixel for the preview to fill.
        const COLORREF oldText = SetTextColor(target, kBlack);
        const COLORREF oldBack = SetBkColor(target, kWhite);
        {
            const SelectedObject mask(memory, g_preview.mask);
            if (mask.ok()) {
                BitBlt(target, kScreenX, top, kScreenWidth, g_preview.height, memory, 0, 0,
                       SRCAND);
            }
        }
        {
            const SelectedObject picture(memory, g_preview.bitmap);
            if (picture.ok()) {
                BitBlt(target, kScreenX, top, kScreenWidth, g_preview.height, memory, 0, 0,
                       SRCPAINT);
            }
        }
        SetTextColor(target, oldText);
        SetBkColor(target, oldBack);
    }

    if (catalogue::g_selection.installed != 0) {
        DrawResourceBitmap(target, memory, IDB_GPS_UNIT, kGpsX, kGpsY, kGpsWidth, kGpsHeight);
        DrawResourceBitmap(target, memory, IDB_RADIO_STACK, kRadioX, kRadioY, kRadioWidth,
                           kRadioHeight);
    }

    if (host::g_host.trainerState == host::kTrainerReady) {
        const int badge = host::g_host.databaseIndex == 0   ? IDB_BADGE_AMERICAS
                          : host::g_host.databaseIndex == 1 ? IDB_BADGE_INTERNATIONAL
                                                            : 0;
        if (badge != 0) {
            DrawResourceBitmap(target, memory, badge, kBadgeX, kBadgeY, kBadgeWidth,
                               kBadgeHeight);
        }
    }
}

}  // namespace

void LoadPanelPreview(const std::string& bitmapPath) {
    ReleasePreview();
    int rows = 0;
    OwnedBitmap scaled = ScaledPanelBitmap(bitmapPath, rows);
    if (!scaled) {
        return;
    }
    g_preview.bitmap = std::move(scaled);
    g_preview.height = rows;
    BuildPreviewMask();
}

void SetPreviewFromResource(int resourceId) {
    ReleasePreview();
    g_preview.bitmap = LoadResourceBitmap(resourceId);
    if (!g_preview.bitmap) {
        return;
    }
    // Both notices are 320 x 240; the height is theirs by design, not read back.
    g_preview.height = kScreenHeight;
    BuildPreviewMask();
}

void BuildPreviewMask() {
    g_preview.mask.reset();
    if (!g_preview.bitmap) {
        return;
    }
    int width = 0;
    int height = 0;
    OwnedBitmap mask;
    if (BitmapSize(g_preview.bitmap, width, height)) {
        mask = OwnedBitmap(CreateBitmap(width, height, 1, 1, nullptr));
    }
    const MemoryDc colour(nullptr);
    const MemoryDc mono(nullptr);
    bool built = false;
    if (mask && colour.get() != nullptr && mono.get() != nullptr) {
        const SelectedObject preview(colour.get(), g_preview.bitmap);
        const SelectedObject maskIn(mono.get(), mask);
        if (preview.ok() && maskIn.ok()) {
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
        g_preview.mask = std::move(mask);
    } else {
        // A preview without a mask would paint its see-through pixels black: show none.
        ReleasePreview();
    }
}

void ComposeScreenArea(HDC target) {
    if (target == nullptr) {
        return;
    }
    const MemoryDc memory(target);
    if (memory.get() != nullptr) {
        Compose(target, memory.get());
    }
}

void RedrawPreviewArea() {
    // Without a dialog GetDC would hand out the whole screen.
    if (app::g_shell.dialog == nullptr) {
        return;
    }
    const WindowDc surface(app::g_shell.dialog);
    ComposeScreenArea(surface.get());
}

void PaintMainDialog() {
    const HWND dialog = app::g_shell.dialog;
    if (dialog == nullptr) {
        return;
    }
    const PaintCycle paint(dialog);
    if (paint.get() == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(dialog, &client);
    const MemoryDc memory(paint.get());
    if (memory.get() == nullptr) {
        return;
    }
    DrawResourceBitmap(paint.get(), memory.get(), IDB_SKIN, 0, 0, client.right, client.bottom);
    Compose(paint.get(), memory.get());
}

void ReleasePreview() {
    g_preview.bitmap.reset();
    g_preview.mask.reset();
    g_preview.height = 0;
}

}  // namespace preview
