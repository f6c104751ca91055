// The screen area drawn onto a real window and read back pixel by pixel. Expected colours come
// from the resource bitmaps themselves, so the artwork may change freely.
#include "preview/preview_renderer.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "preview/preview_geometry.h"
#include "resources/resource_ids.h"
#include "support/BitmapCount.h"
#include "support/GuiSupport.h"

namespace preview {
namespace {

using pwtest::Colour;
using pwtest::Pixels;

constexpr int kClientWidth = 615;
constexpr int kClientHeight = 443;
constexpr int kScreenBottom = kScreenY + kScreenHeight;
constexpr RECT kClientRect = {0, 0, kClientWidth, kClientHeight};
constexpr RECT kScreenRect = {kScreenX, kScreenY, kScreenX + kScreenWidth, kScreenBottom};
constexpr RECT kGpsRect = {433, 123, 573, 223};
constexpr RECT kRadioRect = {433, 299, 573, 363};
constexpr RECT kBadgeRect = {513, 373, 573, 407};

// Colour blocks with see-through holes, and a block of the darkest red, which must stay opaque.
uint32_t Pattern(int x, int y) {
    if (x >= 128 && x < 256 && y < 128) return 0x010000;
    if ((x / 128 + y / 128) % 2 == 0) return 0;
    return static_cast<uint32_t>((x / 4) << 16 | (y % 256) << 8 | 0x80);
}

// What the test window shows, as the dialog's session would hold it.
PreviewImage g_preview;
ScreenArea g_area{&g_preview, false, Badge::None};

LRESULT CALLBACK PaintingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
    PaintMainDialog(window, g_area);
    return 0;
}

class PreviewRendererTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        pwtest::CountBitmaps();
        window_ = pwtest::MakeTestWindow("PreviewRendererTest", PaintingWindowProc, kClientWidth, kClientHeight);
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        folder_ = std::make_unique<pwtest::TempFolder>();
    }
    static void TearDownTestSuite() {
        DestroyWindow(window_);
        folder_.reset();
    }
    void SetUp() override {
        ASSERT_NE(nullptr, window_);
        g_area = {&g_preview, false, Badge::None};
    }
    void TearDown() override { ReleasePreview(g_preview); }
    static void Redraw() { RedrawPreviewArea(window_, g_area); }

    static std::string Panel(const std::string& name, int width, int height, const Colour& colour) {
        pwtest::WriteBitmap(folder_->Path(name), width, height, colour);
        return folder_->Path(name);
    }
    static void FullPaint() {
        InvalidateRect(window_, nullptr, FALSE);
        UpdateWindow(window_);
    }
    static Pixels Capture() { return pwtest::CaptureClient(window_, kClientWidth, kClientHeight); }

    // Empty when shot shows expected(x, y) all over rect; otherwise the count and first miss.
    static std::string Compare(const Pixels& shot, const RECT& rect, const Colour& expected) {
        int misses = 0;
        std::ostringstream first;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                if (shot.At(x, y) != expected(x, y) && misses++ == 0)
                    first << " first at " << x << "," << y << std::hex << ": " << shot.At(x, y) << " for "
                          << expected(x, y);
            }
        }
        return misses == 0 ? "" : std::to_string(misses) + " misses," + first.str();
    }

    // The picture drawn with its top-left corner at rect's.
    static Colour Placed(const Pixels& picture, const RECT& rect) {
        return [&picture, rect](int x, int y) { return picture.At(x - rect.left, y - rect.top); };
    }

    // The screen area: the preview's colour where it isn't pure black, else the backdrop.
    Colour Screen(const Pixels& preview) const {
        return [this, &preview](int x, int y) {
            const int row = y - (kScreenBottom - preview.height);
            const uint32_t pixel = row >= 0 ? preview.At(x - kScreenX, row) : 0;
            return pixel != 0 ? pixel : backdrop_.At(x - kScreenX, y - kScreenY);
        };
    }

    static inline HWND window_ = nullptr;
    static inline std::unique_ptr<pwtest::TempFolder> folder_;
    const Pixels backdrop_ = pwtest::ResourcePixels(IDB_BACKDROP);
    const Pixels skin_ = pwtest::ResourcePixels(IDB_SKIN);
    const Pixels none_;  // no preview
};

TEST_F(PreviewRendererTest, PanelBitmapsAreScaledMaskedAndBottomAligned) {
    const struct { int width, height, rows; } cases[] = {
        {1024, 768, 239}, {1024, 512, 160}, {1280, 1024, 240}, {200, 100, 160}, {1000, 2, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        LoadPanelPreview(g_preview, Panel("panel.bmp", c.width, c.height, Pattern));
        ASSERT_EQ(c.rows, g_preview.height);
        const Pixels preview = pwtest::ReadPixels(g_preview.bitmap.get());
        RgbImage source{c.width, c.height, {}};
        for (int i = 0; i < c.width * c.height; ++i) source.pixels.push_back(Pattern(i % c.width, i / c.width));
        EXPECT_TRUE(ScaleSeeThrough(source, 320, c.rows).pixels == preview.pixels);

        Redraw();
        const Pixels shot = Capture();
        EXPECT_EQ("", Compare(shot, kScreenRect, Screen(preview)));
        // 1024 x 768 leaves row 123 to the backdrop; 1024 x 512 starts at row 203.
        if (c.rows < 240) {
            EXPECT_EQ(backdrop_.At(47, 0), shot.At(300, kScreenY));
        }
        if (c.height >= 128) {
            EXPECT_EQ(0x010000u, shot.At(kScreenX + 60, kScreenBottom - c.rows));
        }
    }
}

TEST_F(PreviewRendererTest, FullPaintLaysTheSkinAndRedrawOnlyTheScreenArea) {
    FullPaint();
    EXPECT_EQ("", Compare(Capture(), kClientRect, [&](int x, int y) {
        return PtInRect(&kScreenRect, POINT{x, y}) ? Screen(none_)(x, y) : skin_.At(x, y);
    }));

    HDC surface = GetDC(window_);
    HBRUSH brush = CreateSolidBrush(RGB(12, 34, 56));
    FillRect(surface, &kClientRect, brush);
    DeleteObject(brush);
    ReleaseDC(window_, surface);
    Redraw();
    const Pixels shot = Capture();
    EXPECT_EQ("", Compare(shot, kScreenRect, Screen(none_)));
    for (POINT p : {POINT{252, 200}, POINT{573, 362}, POINT{400, 122}, POINT{300, 363}, POINT{513, 373}})
        EXPECT_EQ(0x0C2238u, shot.At(p.x, p.y)) << p.x << "," << p.y;
}

TEST_F(PreviewRendererTest, InstalledPicturesAndDatabaseBadge) {
    LoadPanelPreview(g_preview, Panel("installed.bmp", 1024, 768, Pattern));
    const Pixels preview = pwtest::ReadPixels(g_preview.bitmap.get());
    const Pixels gps = pwtest::ResourcePixels(IDB_GPS_UNIT), radio = pwtest::ResourcePixels(IDB_RADIO_STACK);
    const Pixels americas = pwtest::ResourcePixels(IDB_BADGE_AMERICAS);
    const Pixels international = pwtest::ResourcePixels(IDB_BADGE_INTERNATIONAL);

    g_area.installed = true;
    g_area.badge = Badge::Americas;
    Redraw();
    Pixels shot = Capture();
    EXPECT_EQ("", Compare(shot, kGpsRect, Placed(gps, kGpsRect)));
    EXPECT_EQ("", Compare(shot, kRadioRect, Placed(radio, kRadioRect)));
    EXPECT_EQ("", Compare(shot, kBadgeRect, Placed(americas, kBadgeRect)));
    EXPECT_EQ("", Compare(shot, {kScreenX, kScreenY, 433, kScreenBottom}, Screen(preview)));

    g_area.badge = Badge::International;
    Redraw();
    EXPECT_EQ("", Compare(Capture(), kBadgeRect, Placed(international, kBadgeRect)));

    // A toggle ending in another state leaves the last badge until the next full paint.
    g_area.badge = Badge::None;
    g_area.installed = false;
    Redraw();
    shot = Capture();
    EXPECT_EQ("", Compare(shot, kBadgeRect, Placed(international, kBadgeRect)));
    EXPECT_EQ("", Compare(shot, kScreenRect, Screen(preview)));
    FullPaint();
    EXPECT_EQ("", Compare(Capture(), kBadgeRect, Placed(skin_, kClientRect)));
}

TEST_F(PreviewRendererTest, NoticesFillTheScreenAreaAndTheirBlackIsSeeThrough) {
    for (int id : {IDB_NOTICE_ALIAS, IDB_NOTICE_FOREIGN}) {
        SetPreviewFromResource(g_preview, id);
        EXPECT_EQ(240, g_preview.height);
        Redraw();
        EXPECT_EQ("", Compare(Capture(), kScreenRect, Screen(pwtest::ResourcePixels(id)))) << id;
    }
}

TEST_F(PreviewRendererTest, UnreadableBitmapLeavesTheBackdropAlone) {
    const std::string good = Panel("good.bmp", 640, 480, [](int x, int) { return x < 320 ? 0x2040A0u : 0u; });
    pwtest::WriteBytes(folder_->Path("text.bmp"), "[Window00]\nfile=panel.bmp\n");
    const std::string failures[] = {folder_->Path("missing.bmp"), folder_->Path("text.bmp"), "",
                                    folder_->Path(std::string(300, 'x')), good + std::string(1, '\0') + ".other"};
    const int before = pwtest::LiveBitmaps();
    for (const std::string& path : failures) {
        LoadPanelPreview(g_preview, good);
        ASSERT_EQ(before + 2, pwtest::LiveBitmaps());
        LoadPanelPreview(g_preview, path);
        EXPECT_EQ(before, pwtest::LiveBitmaps()) << path.size();
        EXPECT_EQ(nullptr, g_preview.bitmap.get());
        Redraw();
        EXPECT_EQ("", Compare(Capture(), kScreenRect, Screen(none_))) << path.size();
    }
}

TEST_F(PreviewRendererTest, HoldsNoMoreThanPreviewAndMask) {
    const std::string a = Panel("a.bmp", 800, 600, Pattern);
    const std::string b = Panel("b.bmp", 1280, 720, [](int x, int y) { return (x + y) % 3 ? 0x336699u : 0u; });
    g_area.installed = true;
    g_area.badge = Badge::Americas;
    const int before = pwtest::LiveBitmaps();
    for (int round = 0; round < 12; ++round) {
        if (round % 3 == 1) {
            SetPreviewFromResource(g_preview, round % 2 ? IDB_NOTICE_ALIAS : IDB_NOTICE_FOREIGN);
        } else {
            LoadPanelPreview(g_preview, round % 3 ? b : a);
        }
        Redraw();
        FullPaint();
        EXPECT_EQ(before + 2, pwtest::LiveBitmaps());
    }
    ReleasePreview(g_preview);
    EXPECT_EQ(before, pwtest::LiveBitmaps());
    EXPECT_EQ(0, g_preview.height);
    // No dialog: nothing drawn, nothing held.
    RedrawPreviewArea(nullptr, g_area);
    PaintMainDialog(nullptr, g_area);
    EXPECT_EQ(before, pwtest::LiveBitmaps());
}

}  // namespace
}  // namespace preview
