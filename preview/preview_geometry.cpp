#include "preview/preview_geometry.h"

#include <algorithm>

namespace preview {

namespace {

// A quotient rounded to single precision, held exactly as mantissa / 2^shift with the mantissa
// in [2^23, 2^24).
struct SingleQuotient {
    uint64_t mantissa;
    int shift;
};

// Rounds num / den to the nearest single-precision value, ties to even. Done in integers
// because a 32-bit x87 build may keep a float quotient at extended precision, and the last bit
// decides the 4:3 case: 1.3333334 gives 239 rows where 1.3333333 would give 240.
SingleQuotient RoundQuotientToSingle(uint64_t num, uint64_t den) {
    int shift = 0;
    while (num >= (den << 24)) {
        den <<= 1;
        --shift;
    }
    while (num < (den << 23)) {
        num <<= 1;
        ++shift;
    }
    uint64_t mantissa = num / den;
    const uint64_t twiceRest = 2 * (num % den);
    if (twiceRest > den || (twiceRest == den && (mantissa & 1) != 0)) {
        ++mantissa;
    }
    if (mantissa == (uint64_t{1} << 24)) {
        mantissa >>= 1;
        --shift;
    }
    return {mantissa, shift};
}

// The source pixels that one output pixel covers along one axis, with their overlap lengths in
// units of 1 / outputLength of a source pixel.
struct Span {
    int first = 0;
    std::vector<uint64_t> weights;
};

std::vector<Span> CoverSpans(int sourceLength, int outputLength) {
    std::vector<Span> spans(static_cast<size_t>(outputLength));
    const uint64_t src = static_cast<uint64_t>(sourceLength);
    const uint64_t dst = static_cast<uint64_t>(outputLength);
    for (uint64_t o = 0; o < dst; ++o) {
        const uint64_t begin = o * src;
        const uint64_t end = begin + src;
        Span& span = spans[static_cast<size_t>(o)];
        span.first = static_cast<int>(begin / dst);
        for (uint64_t s = begin / dst; s * dst < end; ++s) {
            span.weights.push_back(std::min(end, (s + 1) * dst) - std::max(begin, s * dst));
        }
    }
    return spans;
}

}  // namespace

int PreviewHeight(int width, int height) {
    if (width <= 0 || height <= 0) {
        return 0;
    }
    const SingleQuotient ratio = RoundQuotientToSingle(static_cast<uint64_t>(width), static_cast<uint64_t>(height));
    // 320 / (mantissa / 2^shift), truncated: exact, so no double rounding can lift it to the
    // next whole row.
    const uint64_t rows = ratio.shift >= 0 ? (uint64_t{kPreviewWidth} << ratio.shift) / ratio.mantissa
                                           : uint64_t{kPreviewWidth} / (ratio.mantissa << -ratio.shift);
    if (rows > static_cast<uint64_t>(kMaxPreviewHeight)) {
        return kMaxPreviewHeight;
    }
    // A zero-row bitmap can't be made; a sliver of one row still shows the panel.
    return rows == 0 ? 1 : static_cast<int>(rows);
}

RgbImage ScaleSeeThrough(const RgbImage& source, int width, int height) {
    RgbImage out;
    if (width <= 0 || height <= 0 || source.width <= 0 || source.height <= 0 ||
        source.pixels.size() / static_cast<size_t>(source.width) < static_cast<size_t>(source.height)) {
        return out;
    }
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));

    const std::vector<Span> columns = CoverSpans(source.width, width);
    const std::vector<Span> rows = CoverSpans(source.height, height);
    const size_t stride = static_cast<size_t>(source.width);

    for (int oy = 0; oy < height; ++oy) {
        const Span& row = rows[static_cast<size_t>(oy)];
        for (int ox = 0; ox < width; ++ox) {
            const Span& column = columns[static_cast<size_t>(ox)];
            uint64_t black = 0;
            uint64_t opaque = 0;
            uint64_t red = 0;
            uint64_t green = 0;
            uint64_t blue = 0;
            for (size_t i = 0; i < row.weights.size(); ++i) {
                const uint32_t* line = &source.pixels[(static_cast<size_t>(row.first) + i) * stride];
                for (size_t j = 0; j < column.weights.size(); ++j) {
                    const uint64_t weight = row.weights[i] * column.weights[j];
                    const uint32_t pixel = line[static_cast<size_t>(column.first) + j] & 0xFFFFFFu;
                    if (pixel == kSeeThrough) {
                        black += weight;
                        continue;
                    }
                    opaque += weight;
                    red += ((pixel >> 16) & 0xFFu) * weight;
                    green += ((pixel >> 8) & 0xFFu) * weight;
                    blue += (pixel & 0xFFu) * weight;
                }
            }
            uint32_t result = kSeeThrough;
            if (black <= opaque) {
                const uint64_t half = opaque / 2;
                result = static_cast<uint32_t>(((red + half) / opaque) << 16 | ((green + half) / opaque) << 8 |
                                               ((blue + half) / opaque));
                if (result == kSeeThrough) {
                    // Nearly black stays opaque: keep the hue's strongest channel at 1.
                    result = red >= green && red >= blue ? 0x010000u : green >= blue ? 0x000100u : 0x000001u;
                }
            }
            out.pixels[static_cast<size_t>(oy) * static_cast<size_t>(width) + static_cast<size_t>(ox)] = result;
        }
    }
    return out;
}

}  // namespace preview
