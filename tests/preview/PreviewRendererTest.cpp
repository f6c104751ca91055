// The screen area drawn onto a real window and read back pixel by pixel. Expected colours come
// from the resource bitmaps themselves, so the artwork may change freely.
#include "preview/preview_renderer.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

#include "app/shell_state.h"
#include "catalogue/selection.h"
#include "host/host_state.h"
#include "preview/preview_geometry.h"
#include "resources/resource_ids.h"

namespace preview {
namespace {

using Colour = std::function<uint32_t(int, int)>;  // 0xRRGGBB at x, y

constexpr int kClientWidth = 615;
constexpr int kClientHeight = 443;
constexpr int kScreenBottom = kScreenY + kScreenHeight;
constexpr RECT kScreenRect = {kScreenX, kScreenY, kScreenX + kScreenWidth, kScreenBottom};
constexpr RECT kGpsRect = {433, 123, 573, 223};
constexpr RECT kRadioRect = {433, 299, 573, 363};
constexpr RECT kBadgeRect = {513, 373, 573, 407};

uint32_t At(const RgbImage& image, int x, int y) {
    return image.pixels[static_cast<size_t>(y) * image.width + x] & 0xFFFFFF;
}

// Reads bitmap (or, with a surface, what is drawn there) as 32-bit top-down pixels.
RgbImage Pixels(HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    RgbImage image{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, height, image.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return image;
}

RgbImage Pixels(HBITMAP bitmap) {
    BITMAP size{};
    GetObjectA(bitmap, sizeof size, &size);
    return Pixels(bitmap, size.bmWidth, size.bmHeight);
}

RgbImage Resource(int id) {
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    RgbImage image = Pixels(bitmap);
    DeleteObject(bitmap);
    return image;
}

void WriteBmp24(const std::string& path, int width, int height, const Colour& colour) {
    const int stride = (width * 3 + 3) & ~3;
    const BITMAPINFOHEADER header = {sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof header;
    const BITMAPFILEHEADER file = {0x4D42, offset + static_cast<DWORD>(stride) * height, 0, 0, offset};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    std::vector<unsigned char> row(static_cast<size_t>(stride));
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            row[x * 3] = c & 0xFF;
            row[x * 3 + 1] = (c >> 8) & 0xFF;
            row[x * 3 + 2] = (c >> 16) & 0xFF;
        }
        out.write(reinterpret_cast<const char*>(row.data()), stride);
    }
}

// Colour blocks with see-through holes, and a block of the darkest red, which must stay opaque.
uint32_t Pattern(int x, int y) {
    if (x >= 128 && x < 256 && y < 128) return 0x010000;
    if ((x / 128 + y / 128) % 2 == 0) return 0;
    return static_cast<uint32_t>((x / 4) << 16 | (y % 256) << 8 | 0x80);
}

LRESULT CALLBACK PaintingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PaintMainDialog();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class PreviewRendererTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = PaintingWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PreviewRendererTest";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(WS_EX_TOOLWINDOW, "PreviewRendererTest", "", WS_POPUP | WS_VISIBLE,
                                  0, 0, kClientWidth, kClientHeight, nullptr, nullptr, nullptr, nullptr);
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = temp + std::string("pw_preview_") + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
    }

    static void TearDownTestSuite() {
        DestroyWindow(window_);
        for (const std::string& name : written_) DeleteFileA(name.c_str());
        RemoveDirectoryA(folder_.c_str());
    }

    void SetUp() override {
        ASSERT_NE(nullptr, window_);
        app::g_shell.dialog = window_;
        catalogue::g_selection.installed = 0;
        host::g_host.trainerState = host::kTrainerNotFound;
        backdrop_ = Resource(IDB_BACKDROP);
    }

    void TearDown() override { ReleasePreview(); }

    static std::string Panel(const std::string& name, int width, int height, const Colour& colour) {
        written_.push_back(folder_ + name);
        WriteBmp24(written_.back(), width, height, colour);
        return written_.back();
    }

    static void FullPaint() {
        InvalidateRect(window_, nullptr, FALSE);
        UpdateWindow(window_);
    }

    // The client area as drawn now, copied off the window's surface.
    static RgbImage Capture() {
        HDC surface = GetDC(window_);
        HDC memory = CreateCompatibleDC(surface);
        HBITMAP copy = CreateCompatibleBitmap(surface, kClientWidth, kClientHeight);
        HGDIOBJ previous = SelectObject(memory, copy);
        BitBlt(memory, 0, 0, kClientWidth, kClientHeight, surface, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
        ReleaseDC(window_, surface);
        RgbImage image = Pixels(copy, kClientWidth, kClientHeight);
        DeleteObject(copy);
        return image;
    }

    // Empty when shot shows expected(x, y) all over rect; otherwise the count and first miss.
    static std::string Compare(const RgbImage& shot, const RECT& rect, const Colour& expected) {
        int misses = 0;
        std::ostringstream first;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                if (At(shot, x, y) != expected(x, y) && misses++ == 0) {
                    first << " first at " << x << "," << y << std::hex << ": " << At(shot, x, y)
                          << " for " << expected(x, y);
                }
            }
        }
        return misses == 0 ? "" : std::to_string(misses) + " misses," + first.str();
    }

    // The picture drawn with its top-left corner at rect's.
    static Colour Placed(const RgbImage& picture, const RECT& rect) {
        return [&picture, rect](int x, int y) { return At(picture, x - rect.left, y - rect.top); };
    }

    // The screen area: the preview's colour where it isn't pure black, else the backdrop.
    Colour Screen(const RgbImage& preview) const {
        return [this, &preview](int x, int y) {
            const int row = y - (kScreenBottom - preview.height);
            const uint32_t pixel = row >= 0 ? At(preview, x - kScreenX, row) : 0;
            return pixel != 0 ? pixel : At(backdrop_, x - kScreenX, y - kScreenY);
        };
    }

    static HWND window_;
    static std::string folder_;
    static std::vector<std::string> written_;
    RgbImage backdrop_;
    RgbImage none_;  // no preview
};

HWND PreviewRendererTest::window_ = nullptr;
std::string PreviewRendererTest::folder_;
std::vector<std::string> PreviewRendererTest::written_;

TEST_F(PreviewRendererTest, PanelBitmapsAreScaledMaskedAndBottomAligned) {
    const struct { int width, height, rows; } cases[] = {
        {1024, 768, 239}, {1024, 512, 160}, {1280, 1024, 240}, {200, 100, 160}, {1000, 2, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        LoadPanelPreview(Panel("panel.bmp", c.width, c.height, Pattern));
        ASSERT_EQ(c.rows, g_preview.height);
        const RgbImage preview = Pixels(g_preview.bitmap);
        RgbImage source{c.width, c.height, {}};
        for (int i = 0; i < c.width * c.height; ++i) source.pixels.push_back(Pattern(i % c.width, i / c.width));
        EXPECT_TRUE(ScaleSeeThrough(source, 320, c.rows).pixels == preview.pixels);

        RedrawPreviewArea();
        const RgbImage shot = Capture();
        EXPECT_EQ("", Compare(shot, kScreenRect, Screen(preview)));
        if (c.rows < 240) {
            EXPECT_EQ(At(backdrop_, 47, 0), At(shot, 300, kScreenY));  // row 123 keeps the backdrop
        }
        if (c.height >= 128) {
            EXPECT_EQ(0x010000u, At(shot, kScreenX + 60, kScreenBottom - c.rows));
        }
    }
}

TEST_F(PreviewRendererTest, FullPaintLaysTheSkinAndRedrawOnlyTheScreenArea) {
    const RgbImage skin = Resource(IDB_SKIN);
    FullPaint();
    RgbImage shot = Capture();
    const RECT client = {0, 0, kClientWidth, kClientHeight};
    EXPECT_EQ("", Compare(shot, client, [&](int x, int y) {
        return x >= kScreenX && x < kScreenRect.right && y >= kScreenY && y < kScreenBottom
                   ? Screen(none_)(x, y) : At(skin, x, y);
    }));

    HDC surface = GetDC(window_);
    HBRUSH brush = CreateSolidBrush(RGB(12, 34, 56));
    FillRect(surface, &client, brush);
    DeleteObject(brush);
    ReleaseDC(window_, surface);
    RedrawPreviewArea();
    shot = Capture();
    EXPECT_EQ("", Compare(shot, kScreenRect, Screen(none_)));
    for (POINT p : {POINT{252, 200}, POINT{573, 362}, POINT{400, 122}, POINT{300, 363}, POINT{513, 373}}) {
        EXPECT_EQ(0x0C2238u, At(shot, p.x, p.y)) << p.x << "," << p.y;
    }
}

TEST_F(PreviewRendererTest, InstalledPicturesAndDatabaseBadge) {
    LoadPanelPreview(Panel("installed.bmp", 1024, 768, Pattern));
    const RgbImage preview = Pixels(g_preview.bitmap);
    const RgbImage gps = Resource(IDB_GPS_UNIT), radio = Resource(IDB_RADIO_STACK);
    const RgbImage americas = Resource(IDB_BADGE_AMERICAS);
    const RgbImage international = Resource(IDB_BADGE_INTERNATIONAL);
    const RgbImage skin = Resource(IDB_SKIN);

    catalogue::g_selection.installed = 1;
    host::g_host.trainerState = host::kTrainerReady;
    host::g_host.databaseIndex = 0;
    RedrawPreviewArea();
    RgbImage shot = Capture();
    EXPECT_EQ("", Compare(shot, kGpsRect, Placed(gps, kGpsRect)));
    EXPECT_EQ("", Compare(shot, kRadioRect, Placed(radio, kRadioRect)));
    EXPECT_EQ("", Compare(shot, kBadgeRect, Placed(americas, kBadgeRect)));
    EXPECT_EQ("", Compare(shot, {kScreenX, kScreenY, 433, kScreenBottom}, Screen(preview)));

    host::g_host.databaseIndex = 1;
    RedrawPreviewArea();
    EXPECT_EQ("", Compare(Capture(), kBadgeRect, Placed(international, kBadgeRect)));

    // A toggle ending in another state leaves the last badge until the next full paint.
    host::g_host.trainerState = host::kTrainerIniError;
    catalogue::g_selection.installed = 0;
    RedrawPreviewArea();
    shot = Capture();
    EXPECT_EQ("", Compare(shot, kBadgeRect, Placed(international, kBadgeRect)));
    EXPECT_EQ("", Compare(shot, kScreenRect, Screen(preview)));
    FullPaint();
    EXPECT_EQ("", Compare(Capture(), kBadgeRect, [&](int x, int y) { return At(skin, x, y); }));
}

TEST_F(PreviewRendererTest, NoticesFillTheScreenAreaAndTheirBlackIsSeeThrough) {
    for (int id : {IDB_NOTICE_ALIAS, IDB_NOTICE_FOREIGN}) {
        SetPreviewFromResource(id);
        EXPECT_EQ(240, g_preview.height);
        RedrawPreviewArea();
        const RgbImage notice = Resource(id);
        EXPECT_EQ("", Compare(Capture(), kScreenRect, Screen(notice))) << id;
    }
}

TEST_F(PreviewRendererTest, UnreadableBitmapLeavesTheBackdropAlone) {
    const std::string good = Panel("good.bmp", 640, 480, [](int x, int) { return x < 320 ? 0x2040A0u : 0u; });
    const std::string text = folder_ + "text.bmp";
    written_.push_back(text);
    std::ofstream(text) << "[Window00]\nfile=panel.bmp\n";
    const std::string failures[] = {folder_ + "missing.bmp", text, "", folder_ + std::string(300, 'x'),
                                    good + std::string(1, '\0') + ".other"};
    for (const std::string& path : failures) {
        LoadPanelPreview(good);
        ASSERT_EQ(2, LiveBitmapCount());
        LoadPanelPreview(path);
        EXPECT_EQ(0, LiveBitmapCount()) << path.size();
        EXPECT_EQ(nullptr, g_preview.bitmap.get());
        RedrawPreviewArea();
        EXPECT_EQ("", Compare(Capture(), kScreenRect, Screen(none_))) << path.size();
    }
    LoadPanelPreview(good);
    RedrawPreviewArea();
    EXPECT_EQ(0x2040A0u, At(Capture(), kScreenX + 10, kScreenBottom - 1));
}

TEST_F(PreviewRendererTest, HoldsNoMoreThanPreviewAndMask) {
    const std::string a = Panel("a.bmp", 800, 600, Pattern);
    const std::string b = Panel("b.bmp", 1280, 720, [](int x, int y) { return (x + y) % 3 ? 0x336699u : 0u; });
    catalogue::g_selection.installed = 1;
    host::g_host.trainerState = host::kTrainerReady;
    for (int round = 0; round < 12; ++round) {
        if (round % 3 == 1) {
            SetPreviewFromResource(round % 2 ? IDB_NOTICE_ALIAS : IDB_NOTICE_FOREIGN);
        } else {
            LoadPanelPreview(round % 3 ? b : a);
        }
        RedrawPreviewArea();
        FullPaint();
        EXPECT_EQ(2, LiveBitmapCount());
    }
    ReleasePreview();
    EXPECT_EQ(0, LiveBitmapCount());
    EXPECT_EQ(0, g_preview.height);
    app::g_shell.dialog = nullptr;  // no dialog: nothing drawn, nothing held
    RedrawPreviewArea();
    PaintMainDialog();
    EXPECT_EQ(0, LiveBitmapCount());
}

}  // namespace
}  // namespace preview
