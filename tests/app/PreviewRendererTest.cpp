// The screen area the renderer draws on the real dialog, and the skin around it, read back pixel
// by pixel. Expected colours come from the resource bitmaps themselves, so the artwork may change
// freely.
#include "app/dialog_updates.h"
#include "preview/preview_geometry.h"
#include "preview/preview_renderer.h"
#include "support/DialogSuite.h"
#include "support/Pixels.h"

namespace {

using namespace pwtest;
using namespace preview;

constexpr int kScreenBottom = kScreenY + kScreenHeight;
constexpr RECT kClientRect = {0, 0, 615, 443};
constexpr RECT kScreenRect = {kScreenX, kScreenY, kScreenX + kScreenWidth, kScreenBottom};
constexpr RECT kGpsRect = {433, 123, 573, 223};
constexpr RECT kRadioRect = {433, 299, 573, 363};
constexpr RECT kBadgeRect = {513, 373, 573, 407};
constexpr RECT kLeftOfGauges = {kScreenX, kScreenY, 433, kScreenBottom};

// Colour blocks with see-through holes, and a block of the darkest red, which must stay opaque.
uint32_t Pattern(int x, int y) {
    if (x >= 128 && x < 256 && y < 128) return 0x010000;
    if ((x / 128 + y / 128) % 2 == 0) return 0;
    return static_cast<uint32_t>((x / 4) << 16 | (y % 256) << 8 | 0x80);
}

// Empty when shot shows expected(x, y) all over rect; otherwise the count and the first miss.
std::string Compare(const Pixels& shot, const RECT& rect, const Colour& expected) {
    int misses = 0;
    std::ostringstream first;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (shot.At(x, y) != expected(x, y) && misses++ == 0)
                first << " first at " << x << "," << y << std::hex << ": " << shot.At(x, y) << " for "
                      << expected(x, y);
    return misses == 0 ? "" : std::to_string(misses) + " misses," + first.str();
}

// The picture drawn with its top-left corner at rect's.
Colour Placed(const Pixels& picture, const RECT& rect) {
    return [&picture, rect](int x, int y) { return picture.At(x - rect.left, y - rect.top); };
}

class PreviewRendererTest : public DialogSuite {
protected:
    static void SetUpTestSuite() {
        CountBitmaps();
        machine_ = std::make_unique<TestMachine>();
        Open();
    }
    void SetUp() override {
        Session().selection.installed = false;
        Session().trainer.state = host::TrainerState::NotFound;
    }
    void TearDown() override { ReleasePreview(Session().preview); }

    static std::string Panel(const std::string& name, int width, int height, const Colour& colour) {
        WriteBitmap(machine_->simulator.Path(name), width, height, colour);
        return machine_->simulator.Path(name);
    }
    static Pixels Redrawn() {
        app::RedrawScreen(Session());
        return CaptureClient(window_);
    }
    static Pixels FullyPainted() {
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return CaptureClient(window_);
    }
    // The screen area: the preview's colour where it isn't pure black, else the backdrop.
    Colour Screen(const Pixels& preview) const {
        return [this, &preview](int x, int y) {
            const int row = y - (kScreenBottom - preview.height);
            const uint32_t pixel = row >= 0 ? preview.At(x - kScreenX, row) : 0;
            return pixel != 0 ? pixel : backdrop_.At(x - kScreenX, y - kScreenY);
        };
    }

    const Pixels backdrop_ = ResourcePixels(IDB_BACKDROP);
    const Pixels skin_ = ResourcePixels(IDB_SKIN);
    const Pixels none_;  // no preview
};

TEST_F(PreviewRendererTest, PanelBitmapsAreScaledMaskedAndBottomAligned) {
    const struct {
        int width, height, rows;
    } cases[] = {{1024, 768, 239}, {1024, 512, 160}, {200, 100, 160}, {1000, 2, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        LoadPanelPreview(Session().preview, Panel("panel.bmp", c.width, c.height, Pattern));
        ASSERT_EQ(c.rows, Session().preview.height);
        const Pixels preview = ReadPixels(Session().preview.bitmap.get());
        RgbImage source{c.width, c.height, {}};
        for (int i = 0; i < c.width * c.height; ++i) source.pixels.push_back(Pattern(i % c.width, i / c.width));
        EXPECT_TRUE(ScaleSeeThrough(source, 320, c.rows).pixels == preview.pixels);
        const Pixels shot = Redrawn();
        EXPECT_EQ("", Compare(shot, kScreenRect, Screen(preview)));
        if (c.height >= 128) {
            EXPECT_EQ(0x010000u, shot.At(kScreenX + 60, kScreenBottom - c.rows));
        }
    }
}

// The skin shows through the status line, and the screen area without a preview is the backdrop.
TEST_F(PreviewRendererTest, FullPaintLaysTheSkinUnderTheStatusLine) {
    SetDlgItemTextA(window_, IDC_STATUS_LINE, "");
    const Pixels painted = FullyPainted();
    for (const POINT at : {POINT{0, 0}, POINT{308, 96}, POINT{582, 110}, POINT{300, 420}, POINT{600, 430}})
        EXPECT_EQ(skin_.At(at.x, at.y), painted.At(at.x, at.y)) << at.x << "," << at.y;
    EXPECT_EQ("", Compare(painted, kScreenRect, Screen(none_)));
}

TEST_F(PreviewRendererTest, InstalledPicturesAndDatabaseBadge) {
    LoadPanelPreview(Session().preview, Panel("installed.bmp", 1024, 768, Pattern));
    const Pixels preview = ReadPixels(Session().preview.bitmap.get());
    const Pixels gps = ResourcePixels(IDB_GPS_UNIT), radio = ResourcePixels(IDB_RADIO_STACK);
    const Pixels americas = ResourcePixels(IDB_BADGE_AMERICAS), international = ResourcePixels(IDB_BADGE_INTERNATIONAL);

    Session().selection.installed = true;
    Session().trainer.state = host::TrainerState::Ready;
    Session().trainer.database = host::Database::Americas;
    Pixels shot = Redrawn();
    EXPECT_EQ("", Compare(shot, kGpsRect, Placed(gps, kGpsRect)));
    EXPECT_EQ("", Compare(shot, kRadioRect, Placed(radio, kRadioRect)));
    EXPECT_EQ("", Compare(shot, kBadgeRect, Placed(americas, kBadgeRect)));
    EXPECT_EQ("", Compare(shot, kLeftOfGauges, Screen(preview)));
    Session().trainer.database = host::Database::International;
    EXPECT_EQ("", Compare(Redrawn(), kBadgeRect, Placed(international, kBadgeRect)));

    // A toggle ending in another state leaves the last badge until the next full paint.
    Session().trainer.state = host::TrainerState::NotFound;
    Session().selection.installed = false;
    shot = Redrawn();
    EXPECT_EQ("", Compare(shot, kBadgeRect, Placed(international, kBadgeRect)));
    EXPECT_EQ("", Compare(shot, kScreenRect, Screen(preview)));
    EXPECT_EQ("", Compare(FullyPainted(), kBadgeRect, Placed(skin_, kClientRect)));
}

TEST_F(PreviewRendererTest, HoldsNoMoreThanPreviewAndMaskAndAFailedLoadLeavesTheBackdrop) {
    const std::string a = Panel("a.bmp", 800, 600, Pattern);
    const std::string b = Panel("b.bmp", 1280, 720, [](int x, int y) { return (x + y) % 3 ? 0x336699u : 0u; });
    WriteBytes(machine_->simulator.Path("text.bmp"), "[Window00]\nfile=panel.bmp\n");
    const std::string failures[] = {machine_->simulator.Path("missing.bmp"), machine_->simulator.Path("text.bmp"), "",
                                    a + std::string(1, '\0') + ".other"};
    Session().selection.installed = true;
    const int before = LiveBitmaps();
    for (int round = 0; round < 8; ++round) {
        const int notice = round % 2 ? IDB_NOTICE_ALIAS : IDB_NOTICE_FOREIGN;
        if (round % 3 == 1) {
            // A notice fills the screen area; its black is see-through too.
            SetPreviewFromResource(Session().preview, notice);
            EXPECT_EQ(240, Session().preview.height);
            EXPECT_EQ("", Compare(Redrawn(), kLeftOfGauges, Screen(ResourcePixels(notice))));
        } else {
            LoadPanelPreview(Session().preview, round % 3 ? b : a);
        }
        FullyPainted();
        EXPECT_EQ(before + 2, LiveBitmaps());
    }
    Session().selection.installed = false;
    for (const std::string& path : failures) {
        LoadPanelPreview(Session().preview, a);
        LoadPanelPreview(Session().preview, path);
        EXPECT_EQ(before, LiveBitmaps()) << path.size();
        EXPECT_EQ(0, Session().preview.height);
        EXPECT_EQ("", Compare(Redrawn(), kScreenRect, Screen(none_))) << path.size();
    }
}

}  // namespace
