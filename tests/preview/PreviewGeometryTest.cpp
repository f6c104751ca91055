#include "preview/preview_geometry.h"

#include <gtest/gtest.h>

namespace preview {
namespace {

RgbImage Image(int width, int height, std::vector<uint32_t> pixels) {
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels = std::move(pixels);
    return image;
}

RgbImage Filled(int width, int height, uint32_t colour) {
    return Image(width, height,
                 std::vector<uint32_t>(static_cast<size_t>(width) * height, colour));
}

uint32_t At(const RgbImage& image, int x, int y) {
    return image.pixels[static_cast<size_t>(y) * image.width + x];
}

TEST(PreviewGeometryTest, HeightFollowsSinglePrecisionRatio) {
    struct Row {
        int width, height, rows;
    };
    const Row table[] = {
        {1024, 768, 239}, {800, 600, 239},   {640, 480, 239},   {1600, 1200, 239},
        {1024, 769, 240}, {1280, 1024, 240}, {1024, 1024, 240}, {1024, 700, 218},
        {1024, 640, 199}, {1024, 600, 187},  {1280, 720, 179},  {1024, 512, 160},
        {640, 2, 1}, {321, 1, 1},    {100000, 3, 1},    {320, 1, 1},
        {1, 1000, 240},   {2147483647, 1, 1}, {1, 2147483647, 240},
    };
    for (const Row& row : table) {
        EXPECT_EQ(row.rows, PreviewHeight(row.width, row.height))
            << row.width << " x " << row.height;
    }
    EXPECT_EQ(0, PreviewHeight(0, 768));
    EXPECT_EQ(0, PreviewHeight(1024, -1));
}

TEST(PreviewGeometryTest, MostlyBlackBecomesSeeThrough) {
    const uint32_t red = 0xC02010;
    // 2x2 blocks into single pixels: 3 black of 4, 2 of 4 (a tie stays opaque), 1 of 4.
    const RgbImage source = Image(6, 2, {0, 0, 0, red, 0, red,  //
                                         0, red, red, 0, red, red});
    const RgbImage out = ScaleSeeThrough(source, 3, 1);
    ASSERT_EQ(3u, out.pixels.size());
    EXPECT_EQ(kSeeThrough, out.pixels[0]);
    EXPECT_EQ(red, out.pixels[1]);
    EXPECT_EQ(red, out.pixels[2]);
}

TEST(PreviewGeometryTest, OpaquePixelsAverageOnlyNonBlackByArea) {
    // Whole pixels: the black one takes no part in the average.
    const RgbImage square = Image(2, 2, {0x0A141E, 0x1E2832, 0x000000, 0x323C46});
    EXPECT_EQ(0x1E2832u, ScaleSeeThrough(square, 1, 1).pixels[0]);

    // 3 -> 2 columns: each output pixel takes one source pixel whole and half of the middle one.
    const RgbImage line = Image(3, 1, {90, 30, 150});
    const RgbImage out = ScaleSeeThrough(line, 2, 1);
    EXPECT_EQ(70u, out.pixels[0]);   // (2*90 + 30) / 3
    EXPECT_EQ(110u, out.pixels[1]);  // (30 + 2*150) / 3
}

TEST(PreviewGeometryTest, NearlyBlackNeverTurnsSeeThrough) {
    const RgbImage dim = Image(3, 1, {0x010000, 0x000100, 0x000001});
    const uint32_t mixed = ScaleSeeThrough(dim, 1, 1).pixels[0];
    EXPECT_NE(kSeeThrough, mixed);
    EXPECT_EQ(0u, mixed & 0xFEFEFEu);  // still as dark as can be

    const RgbImage faintBlue = Image(3, 1, {0x000001, 0x000000, 0x000001});
    EXPECT_EQ(0x000001u, ScaleSeeThrough(faintBlue, 1, 1).pixels[0]);

    const RgbImage single = Filled(1, 1, 0x010000);
    const RgbImage up = ScaleSeeThrough(single, 5, 3);
    for (uint32_t pixel : up.pixels) {
        EXPECT_EQ(0x010000u, pixel);
    }
}

TEST(PreviewGeometryTest, SeeThroughEdgesGetNoDarkFringe) {
    // A red square on black, shrunk by a non-integer factor: only pure red or pure black.
    RgbImage source = Filled(1024, 768, kSeeThrough);
    for (int y = 201; y < 533; ++y) {
        for (int x = 301; x < 777; ++x) {
            source.pixels[static_cast<size_t>(y) * 1024 + x] = 0xFF0000;
        }
    }
    const RgbImage out = ScaleSeeThrough(source, 320, 239);
    int red = 0;
    for (uint32_t pixel : out.pixels) {
        ASSERT_TRUE(pixel == 0xFF0000u || pixel == kSeeThrough) << std::hex << pixel;
        red += pixel == 0xFF0000u;
    }
    // About (476 / 3.2) * (332 / 3.21) pixels of red.
    EXPECT_NEAR(148 * 103, red, 148 + 103 + 2);
}

TEST(PreviewGeometryTest, ThinLinesSurviveShrinking) {
    const uint32_t grey = 0x808080;
    for (int lineRow = 0; lineRow < 12; ++lineRow) {
        RgbImage source = Filled(1024, 12, grey);
        for (int x = 0; x < 1024; ++x) {
            source.pixels[static_cast<size_t>(lineRow) * 1024 + x] = 0xFFFFFF;
        }
        const RgbImage out = ScaleSeeThrough(source, 320, 3);
        bool seen = false;
        for (int y = 0; y < 3; ++y) {
            seen = seen || At(out, 100, y) != grey;
        }
        EXPECT_TRUE(seen) << "line at row " << lineRow;
    }
}

TEST(PreviewGeometryTest, EnlargesSmallBitmaps) {
    // 200 x 100 -> 320 x 160, left half see-through, right half blue.
    RgbImage source = Filled(200, 100, 0x0000FF);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 100; ++x) {
            source.pixels[static_cast<size_t>(y) * 200 + x] = kSeeThrough;
        }
    }
    const RgbImage out = ScaleSeeThrough(source, 320, 160);
    ASSERT_EQ(320, out.width);
    ASSERT_EQ(160, out.height);
    for (int y = 0; y < 160; ++y) {
        EXPECT_EQ(kSeeThrough, At(out, 159, y));
        EXPECT_EQ(0x0000FFu, At(out, 160, y));
        EXPECT_EQ(0x0000FFu, At(out, 319, y));
    }
}

TEST(PreviewGeometryTest, IgnoresTopByteAndRejectsBadSizes) {
    EXPECT_EQ(0x123456u, ScaleSeeThrough(Filled(4, 4, 0xFF123456), 2, 2).pixels[3]);
    EXPECT_EQ(kSeeThrough, ScaleSeeThrough(Filled(4, 4, 0xFF000000), 2, 2).pixels[0]);
    EXPECT_TRUE(ScaleSeeThrough(Filled(4, 4, 1), 0, 2).pixels.empty());
    EXPECT_TRUE(ScaleSeeThrough(Image(4, 4, std::vector<uint32_t>(15, 1)), 2, 2).pixels.empty());
}

}  // namespace
}  // namespace preview
