#include "BitmapSearch.h"

#include "PixelSimd.h"

#include <cstring>

namespace almanac {

namespace {

bool MatchesAt(const PixelView& image, const PixelView& pattern, int px, int py, int64_t rowBytes, int skipRow)
{
    for (int m = 0; m < pattern.height; ++m) {
        if (m == skipRow) continue;
        if (std::memcmp(image.data + image.Offset(px, py + m), pattern.data + pattern.Offset(0, m),
                        static_cast<size_t>(rowBytes)) != 0)
            return false;
    }
    return true;
}

template <int BytesPerPixel>
inline uint64_t PixelAt(const uint8_t* p)
{
    if constexpr (BytesPerPixel == 4) {
        uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    } else {
        uint64_t v = 0;
        for (int i = 0; i < BytesPerPixel; ++i) v |= static_cast<uint64_t>(p[i]) << (8 * i);
        return v;
    }
}

constexpr uint64_t kBase = 0x100000001B3ull;  // odd, so the hash is a bijection per step

// The pattern row that changes colour most often (by more than the
// tolerance): a row of one colour would let every uniform stretch of the
// image through the filter.
int FilterRow(const PixelView& pattern, int bytesPerPixel, int tolerance = 0)
{
    int best = 0;
    int bestChanges = -1;
    for (int m = 0; m < pattern.height; ++m) {
        const uint8_t* row = pattern.data + pattern.Offset(0, m);
        int changes = 0;
        for (int i = 1; i < pattern.width; ++i)
            if (!simd::BytesWithin(row + (i - 1) * bytesPerPixel, row + i * bytesPerPixel,
                                   static_cast<size_t>(bytesPerPixel), tolerance))
                ++changes;
        if (changes > bestChanges) {
            bestChanges = changes;
            best = m;
        }
    }
    return best;
}

template <int BytesPerPixel>
bool FindRolling(const PixelView& image, const PixelView& pattern, int x, int y, int& foundX, int& foundY)
{
    const int pw = pattern.width;
    const int ph = pattern.height;
    const int lastX = image.width - pw;
    const int lastY = image.height - ph;
    const int64_t rowBytes = pattern.RowBytes();
    const int filter = FilterRow(pattern, BytesPerPixel);

    uint64_t target = 0;
    uint64_t outFactor = 1;  // kBase^(pw - 1)
    const uint8_t* prow = pattern.data + pattern.Offset(0, filter);
    for (int i = 0; i < pw; ++i) {
        target = target * kBase + PixelAt<BytesPerPixel>(prow + i * BytesPerPixel);
        if (i > 0) outFactor *= kBase;
    }

    for (int py = y; py <= lastY; ++py) {
        const uint8_t* row = image.data + image.Offset(0, py + filter);
        uint64_t h = 0;
        for (int i = 0; i < pw; ++i) h = h * kBase + PixelAt<BytesPerPixel>(row + (x + i) * BytesPerPixel);
        for (int px = x;; ++px) {
            if (h == target &&
                std::memcmp(row + px * BytesPerPixel, prow, static_cast<size_t>(rowBytes)) == 0 &&
                MatchesAt(image, pattern, px, py, rowBytes, filter)) {
                foundX = px;
                foundY = py;
                return true;
            }
            if (px == lastX) break;
            h = (h - PixelAt<BytesPerPixel>(row + px * BytesPerPixel) * outFactor) * kBase +
                PixelAt<BytesPerPixel>(row + (px + pw) * BytesPerPixel);
        }
    }
    return false;
}

// Two pixels of the filter row that a candidate position must show before
// the rows are compared: the rarest colour among the row's first pixels
// (counting colours within the tolerance as one), and a pixel of another
// colour: the farthest one for an exact search, the one most different in
// colour for a tolerant one, so that a background within the tolerance of
// one anchor still fails at the other. On a screen-like image the rare
// colour is seldom present, so few positions pass the filter.
struct Anchors {
    int a = 0;
    int b = 0;
};

int ColourDistance(uint32_t p, uint32_t q)
{
    int most = 0;
    for (int k = 0; k < 32; k += 8) {
        const int d = simd::ByteDistance(static_cast<uint8_t>(p >> k), static_cast<uint8_t>(q >> k));
        if (d > most) most = d;
    }
    return most;
}

Anchors PickAnchors(const uint8_t* row, int width, int tolerance)
{
    Anchors result;
    const int considered = width < 64 ? width : 64;
    int fewest = -1;
    for (int i = 0; i < considered; ++i) {
        const uint32_t v = simd::Load32(row + i * 4);
        int count = 0;
        for (int j = 0; j < width; ++j) count += ColourDistance(simd::Load32(row + j * 4), v) <= tolerance;
        if (fewest < 0 || count < fewest) {
            fewest = count;
            result.a = i;
        }
    }
    const uint32_t pa = simd::Load32(row + result.a * 4);
    result.b = result.a;
    int best = 0;
    for (int j = 0; j < width; ++j) {
        const int colour = ColourDistance(simd::Load32(row + j * 4), pa);
        const int score = tolerance == 0 ? (colour != 0 ? (j > result.a ? j - result.a : result.a - j) : 0) : colour;
        if (score > best) {
            best = score;
            result.b = j;
        }
    }
    return result;
}

bool RowsWithin(const PixelView& image, const PixelView& pattern, int px, int py, int64_t rowBytes, int skipRow,
                int tolerance)
{
    for (int m = 0; m < pattern.height; ++m) {
        if (m == skipRow) continue;
        if (!simd::BytesWithin(image.data + image.Offset(px, py + m), pattern.data + pattern.Offset(0, m),
                               static_cast<size_t>(rowBytes), tolerance))
            return false;
    }
    return true;
}

// 32-bit pixels: each image row is screened with SIMD compares of the two
// anchor pixels, and only positions that pass have their rows compared.
template <bool Tolerant>
bool FindAnchored32(const PixelView& image, const PixelView& pattern, int x, int y, int tolerance, int& foundX,
                    int& foundY)
{
    const int lastX = image.width - pattern.width;
    const int lastY = image.height - pattern.height;
    const int64_t rowBytes = pattern.RowBytes();
    const int filter = FilterRow(pattern, 4, tolerance);
    const uint8_t* prow = pattern.data + pattern.Offset(0, filter);
    const Anchors anchors = PickAnchors(prow, pattern.width, Tolerant ? tolerance : 0);
    const uint32_t pa = simd::Load32(prow + anchors.a * 4);
    const uint32_t pb = simd::Load32(prow + anchors.b * 4);
    for (int py = y; py <= lastY; ++py) {
        const uint8_t* row = image.data + image.Offset(0, py + filter);
        auto confirm = [&](int px) {
            const uint8_t* at = row + static_cast<ptrdiff_t>(px) * 4;
            if (Tolerant) {
                return simd::BytesWithin(at, prow, static_cast<size_t>(rowBytes), tolerance) &&
                       RowsWithin(image, pattern, px, py, rowBytes, filter, tolerance);
            }
            return std::memcmp(at, prow, static_cast<size_t>(rowBytes)) == 0 &&
                   MatchesAt(image, pattern, px, py, rowBytes, filter);
        };
        int hit = -1;
        if (simd::ScanAnchors32<Tolerant>(row, x, lastX, anchors.a, anchors.b, pa, pb, tolerance, [&](int px) {
                if (!confirm(px)) return false;
                hit = px;
                return true;
            })) {
            foundX = hit;
            foundY = py;
            return true;
        }
    }
    return false;
}

// Other depths: the tolerant search screens each position by the filter
// row's first and last pixel bytes before comparing rows.
bool FindSimilarBytes(const PixelView& image, const PixelView& pattern, int x, int y, int tolerance, int& foundX,
                      int& foundY)
{
    const int lastX = image.width - pattern.width;
    const int lastY = image.height - pattern.height;
    const int64_t rowBytes = pattern.RowBytes();
    const int bytesPerPixel = pattern.bitCount / 8;
    const int filter = FilterRow(pattern, bytesPerPixel, tolerance);
    const uint8_t* prow = pattern.data + pattern.Offset(0, filter);
    const int64_t tail = rowBytes - bytesPerPixel;
    for (int py = y; py <= lastY; ++py) {
        const uint8_t* row = image.data + image.Offset(0, py + filter);
        for (int px = x; px <= lastX; ++px) {
            const uint8_t* at = row + static_cast<int64_t>(px) * bytesPerPixel;
            if (simd::BytesWithin(at, prow, static_cast<size_t>(bytesPerPixel), tolerance) &&
                simd::BytesWithin(at + tail, prow + tail, static_cast<size_t>(bytesPerPixel), tolerance) &&
                simd::BytesWithin(at, prow, static_cast<size_t>(rowBytes), tolerance) &&
                RowsWithin(image, pattern, px, py, rowBytes, filter, tolerance)) {
                foundX = px;
                foundY = py;
                return true;
            }
        }
    }
    return false;
}

}  // namespace

SearchRange CheckSearchRange(const PixelView& image, const PixelView& pattern, int x, int y)
{
    if (pattern.width < 0 || pattern.height < 0) return SearchRange::OutsideBuffer;
    if (x < 0 || y < 0) return SearchRange::OutsideBuffer;
    const int64_t lastX = static_cast<int64_t>(image.width) - pattern.width;
    const int64_t lastY = static_cast<int64_t>(image.height) - pattern.height;
    if (lastX < x || lastY < y) return SearchRange::Empty;
    if (pattern.width == 0 || pattern.height == 0) return SearchRange::Ready;  // nothing to read
    // Every pixel takes at least one byte: this bounds the work by the
    // buffer sizes (a depth below 8 bits would give offsets that ignore x).
    if (static_cast<int64_t>(image.width) * image.height > image.length ||
        static_cast<int64_t>(pattern.width) * pattern.height > pattern.length)
        return SearchRange::OutsideBuffer;
    const int64_t rowBytes = pattern.RowBytes();
    const int64_t imageLast = image.Offset(lastX, lastY + pattern.height - 1);
    const int64_t patternLast = pattern.Offset(0, pattern.height - 1);
    if (!image.data || !pattern.data || imageLast < 0 || patternLast < 0 || imageLast > image.length ||
        rowBytes > image.length - imageLast || patternLast > pattern.length || rowBytes > pattern.length - patternLast)
        return SearchRange::OutsideBuffer;
    return SearchRange::Ready;
}

bool FindPatternNaive(const PixelView& image, const PixelView& pattern, int x, int y, int& foundX, int& foundY)
{
    const int lastX = image.width - pattern.width;
    const int lastY = image.height - pattern.height;
    const int64_t rowBytes = pattern.RowBytes();
    for (int py = y; py <= lastY; ++py) {
        for (int px = x; px <= lastX; ++px) {
            if (pattern.width == 0 || pattern.height == 0 || MatchesAt(image, pattern, px, py, rowBytes, -1)) {
                foundX = px;
                foundY = py;
                return true;
            }
        }
    }
    return false;
}

bool FindPattern(const PixelView& image, const PixelView& pattern, int x, int y, int& foundX, int& foundY)
{
    const bool wholeBytes = pattern.bitCount % 8 == 0 && pattern.bitCount == image.bitCount;
    if (wholeBytes && pattern.width > 0 && pattern.height > 0 && x <= image.width - pattern.width &&
        y <= image.height - pattern.height) {
        switch (pattern.bitCount / 8) {
        case 1: return FindRolling<1>(image, pattern, x, y, foundX, foundY);
        case 2: return FindRolling<2>(image, pattern, x, y, foundX, foundY);
        case 3: return FindRolling<3>(image, pattern, x, y, foundX, foundY);
        case 4: return FindAnchored32<false>(image, pattern, x, y, 0, foundX, foundY);
        default: break;
        }
    }
    return FindPatternNaive(image, pattern, x, y, foundX, foundY);
}

bool FindSimilarNaive(const PixelView& image, const PixelView& pattern, int x, int y, int tolerance, int& foundX,
                      int& foundY)
{
    const int lastX = image.width - pattern.width;
    const int lastY = image.height - pattern.height;
    const int64_t rowBytes = pattern.RowBytes();
    for (int py = y; py <= lastY; ++py) {
        for (int px = x; px <= lastX; ++px) {
            bool match = true;
            for (int m = 0; m < pattern.height && match; ++m) {
                const uint8_t* a = image.data + image.Offset(px, py + m);
                const uint8_t* b = pattern.data + pattern.Offset(0, m);
                for (int64_t i = 0; i < rowBytes && match; ++i) match = simd::ByteDistance(a[i], b[i]) <= tolerance;
            }
            if (match) {
                foundX = px;
                foundY = py;
                return true;
            }
        }
    }
    return false;
}

bool FindSimilar(const PixelView& image, const PixelView& pattern, int x, int y, int tolerance, int& foundX,
                 int& foundY)
{
    if (tolerance <= 0) return FindPattern(image, pattern, x, y, foundX, foundY);
    const bool wholeBytes = pattern.bitCount % 8 == 0 && pattern.bitCount == image.bitCount;
    if (wholeBytes && pattern.width > 0 && pattern.height > 0 && x <= image.width - pattern.width &&
        y <= image.height - pattern.height) {
        if (pattern.bitCount == 32) return FindAnchored32<true>(image, pattern, x, y, tolerance, foundX, foundY);
        return FindSimilarBytes(image, pattern, x, y, tolerance, foundX, foundY);
    }
    return FindSimilarNaive(image, pattern, x, y, tolerance, foundX, foundY);
}

}  // namespace almanac
