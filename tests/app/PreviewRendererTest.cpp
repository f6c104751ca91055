// The screen area the renderer draws on the real dialog, read back pixel by pixel. Expected
// colours come from the bitmaps themselves, so the artwork may change freely.
#include "app/dialog_updates.h"
#include "preview/preview_renderer.h"
#include "support/DialogSuite.h"
#include "support/Pixels.h"

#include <tuple>

namespace {

using namespace pwtest;
using namespace preview;

constexpr int kScreenBottom = kScreenY + kScreenHeight;
constexpr RECT kScreenRect = {kScreenX, kScreenY, kScreenX + kScreenWidth, kScreenBottom};

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

class PreviewRendererTest : public DialogSuite {
protected:
    static void SetUpTestSuite() {
        machine_ = std::make_unique<TestMachine>();
        Open();
    }
    void TearDown() override { ReleasePreview(Session().preview); }

    static std::string Panel(const std::string& name, int width, int height) {
        WriteBitmap(machine_->simulator.Path(name), width, height, Pattern);
        return machine_->simulator.Path(name);
    }
    static Pixels Redrawn() {
        app::RedrawScreen(Session());
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
};

// Shrunk or enlarged to 320 wide, bottom-aligned, see-through where pure black; the darkest red
// (the source's top rows) stays opaque at the preview's top.
TEST_F(PreviewRendererTest, PanelBitmapsAreScaledMaskedAndBottomAligned) {
    const struct { int width, height, rows; } cases[] = {{1024, 768, 239}, {200, 100, 160}, {1000, 2, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        LoadPanelPreview(Session().preview, Panel("panel.bmp", c.width, c.height));
        ASSERT_EQ(c.rows, Session().preview.height);
        const Pixels shot = Redrawn();
        EXPECT_EQ("", Compare(shot, kScreenRect, Screen(ReadPixels(Session().preview.bitmap.get()))));
        if (c.height >= 128) {
            EXPECT_EQ(0x010000u, shot.At(kScreenX + 60, kScreenBottom - c.rows));
        }
    }
}

// Installed: the GPS and radio pictures over the preview; Ready: the database's badge.
TEST_F(PreviewRendererTest, InstalledPicturesAndDatabaseBadge) {
    LoadPanelPreview(Session().preview, Panel("installed.bmp", 1024, 768));
    Session().selection.installed = true;
    Session().trainer.state = host::TrainerState::Ready;
    for (const auto database : {host::Database::Americas, host::Database::International}) {
        Session().trainer.database = database;
        const Pixels shot = Redrawn();
        const bool americas = database == host::Database::Americas;
        for (const auto& [id, x, y] :
             {std::tuple(IDB_GPS_UNIT, kGpsX, kGpsY), std::tuple(IDB_RADIO_STACK, kRadioX, kRadioY),
              std::tuple(americas ? IDB_BADGE_AMERICAS : IDB_BADGE_INTERNATIONAL, kBadgeX, kBadgeY)}) {
            const Pixels picture = ResourcePixels(id);
            const Colour placed = [&, x = x, y = y](int px, int py) { return picture.At(px - x, py - y); };
            EXPECT_EQ("", Compare(shot, {x, y, x + picture.width, y + picture.height}, placed)) << id;
        }
    }
    Session().selection.installed = false;
    Session().trainer.state = host::TrainerState::NotFound;
}

// A bitmap that does not load leaves the backdrop, never the earlier panel's picture.
TEST_F(PreviewRendererTest, AFailedLoadLeavesTheBackdrop) {
    const std::string a = Panel("a.bmp", 800, 600);
    WriteBytes(machine_->simulator.Path("text.bmp"), "[Window00]\nfile=panel.bmp\n");
    for (const std::string& path : {machine_->simulator.Path("missing.bmp"), machine_->simulator.Path("text.bmp")}) {
        LoadPanelPreview(Session().preview, a);
        LoadPanelPreview(Session().preview, path);
        EXPECT_EQ(0, Session().preview.height);
        EXPECT_EQ("", Compare(Redrawn(), kScreenRect, Screen({})));
    }
}

}  // namespace
