#include "preview/preview_geometry.h"

#include "support/TestSupport.h"

namespace preview {
namespace {

RgbImage Filled(int width, int height, uint32_t colour) {
    return {width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height, colour)};
}

TEST(PreviewGeometryTest, HeightFollowsSinglePrecisionRatio) {
    const struct {
        int width, height, rows;
    } table[] = {{1024, 768, 239},   {800, 600, 239},  {1600, 1200, 239}, {1024, 769, 240}, {1280, 1024, 240},
                 {1024, 1024, 240},  {1024, 700, 218}, {1024, 640, 199},  {1024, 600, 187}, {1280, 720, 179},
                 {1024, 512, 160},   {320, 1, 1},      {321, 1, 1},       {100000, 3, 1},   {1, 1000, 240},
                 {2147483647, 1, 1}, {0, 768, 0},      {1024, -1, 0}};
    for (const auto& row : table)
        EXPECT_EQ(row.rows, PreviewHeight(row.width, row.height)) << row.width << " x " << row.height;
}

TEST(PreviewGeometryTest, SeeThroughByMajorityAverageOfTheRest) {
    const uint32_t red = 0xC02010;
    // 2x2 blocks: 3 of 4 black, 2 of 4 (a tie stays opaque), 1 of 4, none.
    const RgbImage blocks = {8, 2, {0, 0, 0, red, 0, red, 0x0A141E, 0x1E2832, 0, red, red, 0, red, red, 0, 0x323C46}};
    const RgbImage out = ScaleSeeThrough(blocks, 4, 1);
    EXPECT_EQ((std::vector<uint32_t>{kSeeThrough, red, red, 0x1E2832}), out.pixels);

    // 3 -> 2 columns: each output takes one source pixel whole and half of the middle one.
    EXPECT_EQ((std::vector<uint32_t>{70, 110}), ScaleSeeThrough({3, 1, {90, 30, 150}}, 2, 1).pixels);
    EXPECT_EQ(0x123456u, ScaleSeeThrough(Filled(4, 4, 0xFF123456), 2, 2).pixels[3]);  // top byte ignored
}

TEST(PreviewGeometryTest, NearlyBlackNeverTurnsSeeThrough) {
    const uint32_t mixed = ScaleSeeThrough({3, 1, {0x010000, 0x000100, 0x000001}}, 1, 1).pixels[0];
    EXPECT_NE(kSeeThrough, mixed);
    EXPECT_EQ(0u, mixed & 0xFEFEFEu);  // still as dark as can be
    EXPECT_EQ(0x000001u, ScaleSeeThrough({3, 1, {1, 0, 1}}, 1, 1).pixels[0]);
    for (uint32_t pixel : ScaleSeeThrough(Filled(1, 1, 0x010000), 5, 3).pixels) EXPECT_EQ(0x010000u, pixel);
}

TEST(PreviewGeometryTest, NoDarkFringeNoDroppedLines) {
    // A red square on black, shrunk by a non-integer factor: only pure red or pure black.
    RgbImage square = Filled(1024, 768, kSeeThrough);
    for (int y = 201; y < 533; ++y) std::fill_n(&square.pixels[static_cast<size_t>(y) * 1024 + 301], 476, 0xFF0000u);
    int red = 0;
    for (uint32_t pixel : ScaleSeeThrough(square, 320, 239).pixels) {
        ASSERT_TRUE(pixel == 0xFF0000u || pixel == kSeeThrough) << std::hex << pixel;
        red += pixel == 0xFF0000u;
    }
    EXPECT_NEAR(149 * 103, red, 149 + 103);

    // A one-row white line on grey shows in the output wherever it lies.
    for (int line = 0; line < 12; ++line) {
        RgbImage stripes = Filled(1024, 12, 0x808080);
        std::fill_n(&stripes.pixels[static_cast<size_t>(line) * 1024], 1024, 0xFFFFFFu);
        const RgbImage out = ScaleSeeThrough(stripes, 320, 3);
        EXPECT_NE(0x808080u, out.pixels[static_cast<size_t>(line / 4) * 320 + 100]) << line;
    }
}

TEST(PreviewGeometryTest, EnlargesSmallBitmaps) {
    RgbImage halves = Filled(200, 100, 0x0000FF);  // left half see-through
    for (int y = 0; y < 100; ++y) std::fill_n(&halves.pixels[static_cast<size_t>(y) * 200], 100, kSeeThrough);
    const RgbImage out = ScaleSeeThrough(halves, 320, 160);
    ASSERT_EQ(320u * 160u, out.pixels.size());
    for (int y = 0; y < 160; ++y) {
        EXPECT_EQ(kSeeThrough, out.pixels[y * 320 + 159]);
        EXPECT_EQ(0x0000FFu, out.pixels[y * 320 + 160]);
    }
    EXPECT_TRUE(ScaleSeeThrough(Filled(4, 4, 1), 0, 2).pixels.empty());
    EXPECT_TRUE(ScaleSeeThrough({4, 4, std::vector<uint32_t>(15, 1)}, 2, 2).pixels.empty());
}

}  // namespace
}  // namespace preview
