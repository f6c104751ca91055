// The screen area drawn onto a real window and read back pixel by pixel.
#include "preview/preview_renderer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/shell_state.h"
#include "catalogue/selection.h"
#include "host/host_state.h"
#include "preview/preview_geometry.h"
#include "resources/resource_ids.h"

namespace preview {
namespace {

constexpr int kClientWidth = 615;
constexpr int kClientHeight = 443;
constexpr int kScreenBottom = kScreenY + kScreenHeight;  // first row below the screen area
constexpr RECT kGpsRect = {433, 123, 573, 223};
constexpr RECT kRadioRect = {433, 299, 573, 363};
constexpr RECT kBadgeRect = {513, 373, 573, 407};

BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Pixels as 0x00RRGGBB, rows top to bottom.
RgbImage ReadBitmap(HBITMAP bitmap) {
    BITMAP size{};
    GetObjectA(bitmap, sizeof size, &size);
    RgbImage image;
    image.width = size.bmWidth;
    image.height = size.bmHeight < 0 ? -size.bmHeight : size.bmHeight;
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    BITMAPINFO info = TopDown32(image.width, image.height);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, image.height, image.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (uint32_t& pixel : image.pixels) {
        pixel &= 0xFFFFFF;
    }
    return image;
}

RgbImage Resource(int id) {
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    EXPECT_NE(nullptr, bitmap) << "resource " << id;
    RgbImage image = ReadBitmap(bitmap);
    DeleteObject(bitmap);
    return image;
}

uint32_t At(const RgbImage& image, int x, int y) {
    return image.pixels[static_cast<size_t>(y) * image.width + x];
}

// Writes a 24-bit bottom-up BMP file of width x height from colour(x, y) = 0xRRGGBB.
void WriteBmp(const std::string& path, int width, int height,
              const std::function<uint32_t(int, int)>& colour) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride) * height;
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    std::vector<char> row(static_cast<size_t>(stride), 0);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t c = colour(x, y);
            row[x * 3] = static_cast<char>(c & 0xFF);
            row[x * 3 + 1] = static_cast<char>((c >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((c >> 16) & 0xFF);
        }
        out.write(row.data(), stride);
    }
}

// The same picture as a source image for the scaler.
RgbImage Picture(int width, int height, const std::function<uint32_t(int, int)>& colour) {
    RgbImage image;
    image.width = width;
    image.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels.push_back(colour(x, y));
        }
    }
    return image;
}

// Colour blocks with see-through holes, and one block of the darkest red, which must stay.
uint32_t Pattern(int x, int y) {
    if (x >= 128 && x < 256 && y < 128) {
        return 0x010000;
    }
    if ((x / 128 + y / 128) % 2 == 0) {
        return 0x000000;
    }
    return static_cast<uint32_t>((x / 4) << 16 | (y % 256) << 8 | 0x80);
}

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PreviewRendererTest";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(WS_EX_TOOLWINDOW, "PreviewRendererTest", "", WS_POPUP | WS_VISIBLE,
                                  0, 0, kClientWidth, kClientHeight, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "pw_preview_" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder_.c_str(), nullptr);
    }

    static void TearDownTestSuite() {
        DestroyWindow(window_);
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((folder_ + "*.*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                DeleteFileA((folder_ + found.cFileName).c_str());
            } while (FindNextFileA(find, &found));
            FindClose(find);
        }
        RemoveDirectoryA(folder_.c_str());
    }

    void SetUp() override {
        ASSERT_NE(nullptr, window_);
        app::g_shell.dialog = window_;
        catalogue::g_selection.installed = 0;
        host::g_host.trainerState = host::kTrainerNotFound;
        host::g_host.databaseIndex = 0;
        backdrop_ = Resource(IDB_BACKDROP);
        ASSERT_EQ(kScreenWidth, backdrop_.width);
        ASSERT_EQ(kScreenHeight, backdrop_.height);
    }

    void TearDown() override { ReleasePreview(); }

    static void FullPaint() {
        InvalidateRect(window_, nullptr, FALSE);
        UpdateWindow(window_);
    }

    // The window's client area as drawn right now.
    static RgbImage Capture() {
        HDC surface = GetDC(window_);
        HDC memory = CreateCompatibleDC(surface);
        BITMAPINFO info = TopDown32(kClientWidth, kClientHeight);
        void* bits = nullptr;
        HBITMAP target = CreateDIBSection(surface, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = SelectObject(memory, target);
        BitBlt(memory, 0, 0, kClientWidth, kClientHeight, surface, 0, 0, SRCCOPY);
        GdiFlush();
        RgbImage image;
        image.width = kClientWidth;
        image.height = kClientHeight;
        const uint32_t* pixels = static_cast<const uint32_t*>(bits);
        image.pixels.assign(pixels, pixels + kClientWidth * kClientHeight);
        for (uint32_t& pixel : image.pixels) {
            pixel &= 0xFFFFFF;
        }
        SelectObject(memory, previous);
        DeleteObject(target);
        DeleteDC(memory);
        ReleaseDC(window_, surface);
        return image;
    }

    uint32_t Backdrop(int x, int y) const { return At(backdrop_, x - kScreenX, y - kScreenY); }

    // What the screen area must show at x, y with preview (or none, when empty) drawn.
    uint32_t Expected(const RgbImage& preview, int x, int y) const {
        const int top = kScreenBottom - preview.height;
        if (!preview.pixels.empty() && y >= top) {
            const uint32_t pixel = At(preview, x - kScreenX, y - top);
            if (pixel != 0) {
                return pixel;
            }
        }
        return Backdrop(x, y);
    }

    // Empty when every pixel of the screen area matches; otherwise the first mismatch.
    std::string CompareScreenArea(const RgbImage& shot, const RgbImage& preview) const {
        int mismatches = 0;
        std::ostringstream first;
        for (int y = kScreenY; y < kScreenBottom; ++y) {
            for (int x = kScreenX; x < kScreenX + kScreenWidth; ++x) {
                const uint32_t expected = Expected(preview, x, y);
                if (At(shot, x, y) != expected && mismatches++ == 0) {
                    first << std::hex << "at " << std::dec << x << "," << y << std::hex
                          << ": shown " << At(shot, x, y) << ", expected " << expected;
                }
            }
        }
        if (mismatches == 0) {
            return "";
        }
        return std::to_string(mismatches) + " mismatches, first " + first.str();
    }

    // Empty when rect of shot holds picture pixel for pixel.
    static std::string CompareRect(const RgbImage& shot, const RECT& rect, const RgbImage& picture,
                                   int pictureX, int pictureY) {
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                const uint32_t expected = At(picture, x - rect.left + pictureX, y - rect.top + pictureY);
                if (At(shot, x, y) != expected) {
                    std::ostringstream out;
                    out << "at " << x << "," << y << std::hex << ": shown " << At(shot, x, y)
                        << ", expected " << expected;
                    return out.str();
                }
            }
        }
        return "";
    }

    static HWND window_;
    static std::string folder_;
    RgbImage backdrop_;
};

HWND PreviewRendererTest::window_ = nullptr;
std::string PreviewRendererTest::folder_;

TEST_F(PreviewRendererTest, PanelBitmapsAreScaledMaskedAndBottomAligned) {
    struct Case {
        int width, height, rows;
    };
    const Case cases[] = {{1024, 768, 239}, {1024, 512, 160}, {1024, 1024, 240},
                          {200, 100, 160},  {1000, 2, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        const std::string path = folder_ + "panel_" + std::to_string(c.width) + "x" +
                                 std::to_string(c.height) + ".bmp";
        WriteBmp(path, c.width, c.height, Pattern);
        LoadPanelPreview(path);
        ASSERT_EQ(c.rows, g_preview.height);

        const RgbImage preview = ReadBitmap(g_preview.bitmap);
        const RgbImage scaled = ScaleSeeThrough(Picture(c.width, c.height, Pattern), 320, c.rows);
        ASSERT_EQ(320, preview.width);
        ASSERT_EQ(c.rows, preview.height);
        EXPECT_TRUE(preview.pixels == scaled.pixels);

        RedrawPreviewArea();
        const RgbImage shot = Capture();
        EXPECT_EQ("", CompareScreenArea(shot, preview));
        // Rows above a short preview show the backdrop; the darkest red stays opaque.
        if (c.rows < 240) {
            EXPECT_EQ(Backdrop(300, kScreenBottom - c.rows - 1), At(shot, 300, kScreenBottom - c.rows - 1));
        }
        if (c.height >= 128) {
            EXPECT_EQ(0x010000u, At(shot, kScreenX + 60, kScreenBottom - c.rows));
        }
    }
}

TEST_F(PreviewRendererTest, RedrawTouchesOnlyTheScreenAreaAndBadge) {
    FullPaint();
    const RgbImage skin = Resource(IDB_SKIN);
    const RgbImage painted = Capture();
    for (int y = 0; y < kClientHeight; ++y) {
        for (int x = 0; x < kClientWidth; ++x) {
            const bool screen = x >= kScreenX && x < kScreenX + kScreenWidth && y >= kScreenY &&
                                y < kScreenBottom;
            if (!screen) {
                ASSERT_EQ(At(skin, x, y), At(painted, x, y)) << x << "," << y;
            }
        }
    }
    // Before any selection: the backdrop alone.
    EXPECT_EQ("", CompareScreenArea(painted, RgbImage()));

    // Scribble over the whole client area, then redraw: only the screen area is repaired.
    HDC surface = GetDC(window_);
    RECT client = {0, 0, kClientWidth, kClientHeight};
    HBRUSH brush = CreateSolidBrush(RGB(12, 34, 56));
    FillRect(surface, &client, brush);
    DeleteObject(brush);
    ReleaseDC(window_, surface);
    RedrawPreviewArea();
    const RgbImage shot = Capture();
    EXPECT_EQ("", CompareScreenArea(shot, RgbImage()));
    EXPECT_EQ(0x0C2238u, At(shot, kScreenX - 1, kScreenY));
    EXPECT_EQ(0x0C2238u, At(shot, kScreenX + kScreenWidth, kScreenBottom - 1));
    EXPECT_EQ(0x0C2238u, At(shot, kBadgeRect.left, kBadgeRect.top));  // trainer not ready
}

TEST_F(PreviewRendererTest, InstalledPicturesAndDatabaseBadge) {
    const std::string path = folder_ + "installed.bmp";
    WriteBmp(path, 1024, 768, Pattern);
    LoadPanelPreview(path);
    const RgbImage preview = ReadBitmap(g_preview.bitmap);
    const RgbImage gps = Resource(IDB_GPS_UNIT);
    const RgbImage radio = Resource(IDB_RADIO_STACK);
    const RgbImage americas = Resource(IDB_BADGE_AMERICAS);
    const RgbImage international = Resource(IDB_BADGE_INTERNATIONAL);
    const RgbImage skin = Resource(IDB_SKIN);

    catalogue::g_selection.installed = 1;
    host::g_host.trainerState = host::kTrainerReady;
    host::g_host.databaseIndex = 0;
    RedrawPreviewArea();
    RgbImage shot = Capture();
    EXPECT_EQ("", CompareRect(shot, kGpsRect, gps, 0, 0));
    EXPECT_EQ("", CompareRect(shot, kRadioRect, radio, 0, 0));
    EXPECT_EQ("", CompareRect(shot, kBadgeRect, americas, 0, 0));
    // Left of the pictures the preview still shows.
    EXPECT_EQ(Expected(preview, 432, 200), At(shot, 432, 200));

    host::g_host.databaseIndex = 1;
    RedrawPreviewArea();
    EXPECT_EQ("", CompareRect(Capture(), kBadgeRect, international, 0, 0));

    // A toggle that ends in another state leaves the last badge until the next full paint.
    host::g_host.trainerState = host::kTrainerIniError;
    catalogue::g_selection.installed = 0;
    RedrawPreviewArea();
    shot = Capture();
    EXPECT_EQ("", CompareRect(shot, kBadgeRect, international, 0, 0));
    EXPECT_EQ("", CompareScreenArea(shot, preview));

    FullPaint();
    shot = Capture();
    EXPECT_EQ("", CompareRect(shot, kBadgeRect, skin, kBadgeRect.left, kBadgeRect.top));
    EXPECT_EQ("", CompareScreenArea(shot, preview));

    // An index other than 0 or 1 draws no badge.
    host::g_host.trainerState = host::kTrainerReady;
    host::g_host.databaseIndex = 2;
    RedrawPreviewArea();
    EXPECT_EQ("", CompareRect(Capture(), kBadgeRect, skin, kBadgeRect.left, kBadgeRect.top));
}

TEST_F(PreviewRendererTest, NoticesFillTheScreenAreaWithTheirBlackSeeThrough) {
    for (int id : {IDB_NOTICE_ALIAS, IDB_NOTICE_FOREIGN}) {
        SCOPED_TRACE(id);
        SetPreviewFromResource(id);
        EXPECT_EQ(240, g_preview.height);
        RedrawPreviewArea();
        EXPECT_EQ("", CompareScreenArea(Capture(), Resource(id)));
    }
}

TEST_F(PreviewRendererTest, UnreadableBitmapLeavesTheBackdropAlone) {
    const std::string good = folder_ + "good.bmp";
    WriteBmp(good, 640, 480, [](int x, int) { return x < 320 ? 0x2040A0u : 0u; });
    const std::string text = folder_ + "not_a_bitmap.bmp";
    std::ofstream(text) << "[Window00]\nfile=panel.bmp\n";
    const std::string failures[] = {
        folder_ + "missing.bmp",
        text,
        "",
        folder_ + std::string(300, 'x') + ".bmp",
        good + std::string(1, '\0') + "ignored",  // must not fall back to good.bmp
    };
    for (const std::string& path : failures) {
        SCOPED_TRACE(path.substr(0, 80));
        LoadPanelPreview(good);
        ASSERT_NE(nullptr, g_preview.bitmap.get());
        LoadPanelPreview(path);
        EXPECT_EQ(nullptr, g_preview.bitmap.get());
        EXPECT_EQ(nullptr, g_preview.mask.get());
        EXPECT_EQ(0, LiveBitmapCount());
        RedrawPreviewArea();
        EXPECT_EQ("", CompareScreenArea(Capture(), RgbImage()));
    }
    LoadPanelPreview(good);
    RedrawPreviewArea();
    EXPECT_EQ(0x2040A0u, At(Capture(), kScreenX + 10, kScreenBottom - 1));
}

TEST_F(PreviewRendererTest, HoldsAtMostPreviewAndMask) {
    const std::string a = folder_ + "a.bmp";
    const std::string b = folder_ + "b.bmp";
    WriteBmp(a, 800, 600, Pattern);
    WriteBmp(b, 1280, 720, [](int x, int y) { return (x + y) % 3 == 0 ? 0u : 0x336699u; });
    const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    catalogue::g_selection.installed = 1;
    host::g_host.trainerState = host::kTrainerReady;
    for (int round = 0; round < 20; ++round) {
        if (round % 3 == 0) {
            LoadPanelPreview(a);
        } else if (round % 3 == 1) {
            SetPreviewFromResource(round % 2 == 0 ? IDB_NOTICE_ALIAS : IDB_NOTICE_FOREIGN);
        } else {
            LoadPanelPreview(b);
        }
        EXPECT_EQ(2, LiveBitmapCount());
        RedrawPreviewArea();
        FullPaint();
        EXPECT_EQ(2, LiveBitmapCount());
    }
    ReleasePreview();
    EXPECT_EQ(0, LiveBitmapCount());
    EXPECT_EQ(nullptr, g_preview.bitmap.get());
    EXPECT_EQ(0, g_preview.height);
    ReleasePreview();  // a second exit path releases nothing twice
    EXPECT_EQ(0, LiveBitmapCount());
    // Where the platform counts GDI objects, nothing else leaked either.
    if (gdiBefore != 0) {
        EXPECT_EQ(gdiBefore, GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    }
}

TEST_F(PreviewRendererTest, NoDialogDrawsNothing) {
    app::g_shell.dialog = nullptr;
    SetPreviewFromResource(IDB_NOTICE_ALIAS);
    RedrawPreviewArea();
    PaintMainDialog();
    EXPECT_EQ(2, LiveBitmapCount());
}

}  // namespace
}  // namespace preview
