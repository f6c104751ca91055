// The screen area as the renderer draws it on the real dialog, read back pixel by pixel: a
// panel's preview stands on the bottom over the backdrop, see-through where pure black, the
// darkest red opaque; nothing stays of a bitmap that fails to load. The scaling is
// PreviewGeometryTest's; the installed pictures and the badge are gui_test's.
#include "app/dialog_updates.h"
#include "preview/preview_renderer.h"
#include "support/DialogSuite.h"

namespace {

using namespace pwtest;
using namespace preview;

class PreviewRendererTest : public DialogSuite {
protected:
    static void SetUpTestSuite() {
        machine_ = std::make_unique<TestMachine>();
        Open();
    }
    // The colour the dialog shows at x, y once the screen area is drawn again.
    static COLORREF Shown(int x, int y) {
        app::RedrawScreen(Session());
        const platform::WindowDc surface(window_);
        return GetPixel(surface.get(), x, y);
    }
    // The backdrop's colour at x, y of the dialog.
    static COLORREF Backdrop(int x, int y) {
        const platform::OwnedBitmap bitmap(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_BACKDROP)));
        const platform::MemoryDc memory(nullptr);
        const platform::SelectedObject selected(memory.get(), bitmap.get());
        return GetPixel(memory.get(), x - kScreenArea.x, y - kScreenArea.y);
    }
};

// halves.bmp is 64 x 32, its top half pure black, its bottom half the darkest red (0x010000):
// 160 rows on the screen, the lower 80 of them red.
TEST_F(PreviewRendererTest, PreviewStandsOnTheBottomSeeThroughWhereBlack) {
    LoadPanelPreview(Session().preview, Source("tests/app/golden/halves.bmp"));
    ASSERT_EQ(160, Session().preview.height);
    const int bottom = kScreenArea.y + kScreenArea.height - 1;
    for (int x = kScreenArea.x; x < kScreenArea.x + kScreenArea.width; x += 53) {
        EXPECT_EQ(Backdrop(x, bottom - 100), Shown(x, bottom - 100)) << x;
        EXPECT_EQ(RGB(1, 0, 0), Shown(x, bottom - 70)) << x;
        EXPECT_EQ(RGB(1, 0, 0), Shown(x, bottom)) << x;
    }
    LoadPanelPreview(Session().preview, machine_->simulator.Path("missing.bmp"));
    EXPECT_EQ(0, Session().preview.height);
    EXPECT_EQ(Backdrop(kScreenArea.x, bottom), Shown(kScreenArea.x, bottom));
}

}  // namespace
