#include "BitmapSearch.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using almanac::CheckSearchRange;
using almanac::PixelView;
using almanac::SearchRange;

namespace {

struct Image {
    std::vector<uint8_t> bytes;
    PixelView view;
    Image(int w, int h, int bits)
    {
        bytes.assign(static_cast<size_t>(w) * h * (bits / 8), 0);
        view.width = w;
        view.height = h;
        view.bitCount = bits;
        Sync();
    }
    void Sync()
    {
        view.data = bytes.data();
        view.length = static_cast<int64_t>(bytes.size());
    }
};

// Copies a w x h block of the image at (x, y) into a new pattern.
Image Cut(const Image& from, int x, int y, int w, int h)
{
    Image p(w, h, from.view.bitCount);
    const int bpp = from.view.bitCount / 8;
    for (int m = 0; m < h; ++m)
        std::copy_n(from.bytes.begin() + from.view.Offset(x, y + m), w * bpp, p.bytes.begin() + p.view.Offset(0, m));
    return p;
}

// The filtered search must find exactly what the row-by-row reference
// finds, for every depth, on noise, on few-colour images (many false
// candidates) and with the pattern planted more than once.
TEST(BitmapSearch, AgreesWithTheReference)
{
    std::mt19937 rng(1234);
    for (int round = 0; round < 1500; ++round) {
        const int bits = 8 * (1 + static_cast<int>(rng() % 4));
        const int w = 1 + static_cast<int>(rng() % 24);
        const int h = 1 + static_cast<int>(rng() % 24);
        const int colours = round % 3 == 0 ? 2 : 256;
        Image img(w, h, bits);
        for (auto& b : img.bytes) b = static_cast<uint8_t>(rng() % colours);
        const int pw = 1 + static_cast<int>(rng() % w);
        const int ph = 1 + static_cast<int>(rng() % h);
        Image pat = (round % 2 == 0) ? Cut(img, static_cast<int>(rng() % (w - pw + 1)), static_cast<int>(rng() % (h - ph + 1)), pw, ph)
                                     : Image(pw, ph, bits);
        if (round % 2 != 0)
            for (auto& b : pat.bytes) b = static_cast<uint8_t>(rng() % colours);
        const int x = static_cast<int>(rng() % (w - pw + 1));
        const int y = static_cast<int>(rng() % (h - ph + 1));
        ASSERT_EQ(CheckSearchRange(img.view, pat.view, x, y), SearchRange::Ready);
        int fx = -1, fy = -1, nx = -1, ny = -1;
        const bool fast = almanac::FindPattern(img.view, pat.view, x, y, fx, fy);
        const bool naive = almanac::FindPatternNaive(img.view, pat.view, x, y, nx, ny);
        ASSERT_EQ(fast, naive) << "round " << round;
        if (fast) {
            ASSERT_EQ(fx, nx) << "round " << round;
            ASSERT_EQ(fy, ny) << "round " << round;
        }
    }
}

TEST(BitmapSearch, RangeChecks)
{
    Image img(10, 10, 32);
    Image pat(3, 3, 32);
    EXPECT_EQ(CheckSearchRange(img.view, pat.view, 7, 7), SearchRange::Ready);
    EXPECT_EQ(CheckSearchRange(img.view, pat.view, 8, 0), SearchRange::Empty);
    img.bytes.resize(img.bytes.size() - 1);
    img.Sync();
    EXPECT_EQ(CheckSearchRange(img.view, pat.view, 0, 0), SearchRange::OutsideBuffer);
    img.bytes.resize(400);
    img.Sync();
    pat.bytes.resize(35);
    pat.Sync();
    EXPECT_EQ(CheckSearchRange(img.view, pat.view, 0, 0), SearchRange::OutsideBuffer);
    pat.view.width = -2;
    EXPECT_EQ(CheckSearchRange(img.view, pat.view, 3, 0), SearchRange::OutsideBuffer);
}

}  // namespace
