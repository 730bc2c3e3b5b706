// Search of a bitmap for a smaller one (the bitmap functions Find and
// FindSimilar), on raw pixel buffers. Rows are unpadded: stride = (bitCount * width) / 8 and the
// pixel (x, y) starts at y * stride + x * (bitCount / 8).
#pragma once

#include "AlmanacApi.h"

#include <cstdint>

namespace almanac {

// y * stride + x * pixelBytes for coordinates and strides from untrusted
// headers: a result beyond any buffer saturates at INT64_MAX (or INT64_MIN)
// instead of overflowing, so it still fails every bounds check.
inline int64_t PixelOffset64(int64_t x, int64_t y, int64_t stride, int64_t pixelBytes)
{
    constexpr int64_t kLimit = INT64_C(1) << 62;
    const int64_t ax = x < 0 ? -x : x;
    const int64_t ay = y < 0 ? -y : y;
    if ((stride != 0 && ay > kLimit / stride) || (pixelBytes != 0 && ax > kLimit / pixelBytes))
        return (y < 0 || x < 0) ? INT64_MIN : INT64_MAX;
    return y * stride + x * pixelBytes;  // each term below 2^62: no overflow
}

struct PixelView {
    const uint8_t* data = nullptr;
    int64_t length = 0;  // bytes in data
    int width = 0;
    int height = 0;
    int bitCount = 0;

    int64_t Stride() const { return (static_cast<int64_t>(bitCount) * static_cast<uint32_t>(width)) >> 3; }
    int64_t Offset(int64_t x, int64_t y) const { return PixelOffset64(x, y, Stride(), bitCount / 8); }
    // Bytes compared per pattern row.
    int64_t RowBytes() const { return (static_cast<int64_t>(bitCount) * static_cast<uint32_t>(width)) / 8; }
};

enum class SearchRange {
    Empty,          // no candidate position: nothing can match
    Ready,          // every candidate lies inside both buffers
    OutsideBuffer,  // the headers describe more pixels than the buffers hold
};

// Checks the candidate positions (px from x to W - pw, py from y to H - ph)
// against both buffers, for x, y >= 0. Negative pattern dimensions are
// OutsideBuffer: they would make the scan run past the image.
ALMANAC_API SearchRange CheckSearchRange(const PixelView& image, const PixelView& pattern, int x, int y);

// The first position, rows outer and columns inner, both ascending, at
// which every pattern row equals the image bytes. Both require Ready.
// FindPattern filters the candidates by one pattern row and confirms each
// hit byte by byte: for 32-bit pixels it screens every image row with SSE2
// compares of two anchor pixels of that row (about one pass over the image
// in all), for other depths with a rolling hash of the row; FindPatternNaive compares row by row
// at every position (the reference and the benchmark's baseline).
ALMANAC_API bool FindPattern(const PixelView& image, const PixelView& pattern, int x, int y, int& foundX, int& foundY);
ALMANAC_API bool FindPatternNaive(const PixelView& image, const PixelView& pattern, int x, int y, int& foundX,
                                  int& foundY);

// The same scan as FindPattern, where a position matches when every byte
// of every pattern row differs from the image byte by at most `tolerance`
// (0 to 255): for whole-byte depths that is each colour channel (and the
// fourth byte of a 32-bit pixel). Tolerance 0 gives FindPattern's result.
// Both require Ready. FindSimilarNaive is the position-by-position
// reference.
ALMANAC_API bool FindSimilar(const PixelView& image, const PixelView& pattern, int x, int y, int tolerance,
                             int& foundX, int& foundY);
ALMANAC_API bool FindSimilarNaive(const PixelView& image, const PixelView& pattern, int x, int y, int tolerance,
                                  int& foundX, int& foundY);

}  // namespace almanac
