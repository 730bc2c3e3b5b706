// FindSimilar on raw pixel buffers: agreement with Find at tolerance 0 and
// with a brute-force reference at other tolerances, on random images of
// every whole-byte depth (the 32-bit ones take the SIMD path, whose tails
// and multi-hit blocks the odd widths exercise).
#include "BitmapSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using almanac::PixelView;

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
        view.data = bytes.data();
        view.length = static_cast<int64_t>(bytes.size());
    }
};

// A brute-force search written from the rule alone: every byte within t.
bool Reference(const Image& img, const Image& pat, int x, int y, int t, int& fx, int& fy)
{
    const int bpp = img.view.bitCount / 8;
    for (int py = y; py + pat.view.height <= img.view.height; ++py)
        for (int px = x; px + pat.view.width <= img.view.width; ++px) {
            bool ok = true;
            for (int m = 0; m < pat.view.height && ok; ++m)
                for (int i = 0; i < pat.view.width * bpp && ok; ++i) {
                    const int a = img.bytes[static_cast<size_t>((py + m) * img.view.width * bpp + px * bpp + i)];
                    const int b = pat.bytes[static_cast<size_t>(m * pat.view.width * bpp + i)];
                    ok = std::abs(a - b) <= t;
                }
            if (ok) {
                fx = px;
                fy = py;
                return true;
            }
        }
    return false;
}

TEST(BitmapSimilar, AgreesWithFindAndWithTheReference)
{
    std::mt19937 rng(77);
    int found = 0;
    for (int round = 0; round < 2000; ++round) {
        const int bits = round % 2 == 0 ? 32 : 8 * (1 + static_cast<int>(rng() % 4));
        const int w = 1 + static_cast<int>(rng() % 40);
        const int h = 1 + static_cast<int>(rng() % 12);
        const int colours = round % 3 == 0 ? 3 : 256;
        Image img(w, h, bits);
        for (auto& b : img.bytes) b = static_cast<uint8_t>(rng() % colours);
        const int pw = 1 + static_cast<int>(rng() % std::min(w, 9));
        const int ph = 1 + static_cast<int>(rng() % std::min(h, 4));
        const int t = round % 5 == 0 ? 0 : static_cast<int>(rng() % 12);
        Image pat(pw, ph, bits);
        // Mostly a block of the image, shifted by up to t + 1 per byte, so
        // matches and near misses both occur.
        const int ox = static_cast<int>(rng() % (w - pw + 1)), oy = static_cast<int>(rng() % (h - ph + 1));
        const int bpp = bits / 8;
        for (int m = 0; m < ph; ++m)
            for (int i = 0; i < pw * bpp; ++i) {
                int v = img.bytes[static_cast<size_t>((oy + m) * w * bpp + ox * bpp + i)];
                if (round % 4 != 3) v += static_cast<int>(rng() % (t + 2)) * (rng() % 2 ? 1 : -1);
                pat.bytes[static_cast<size_t>(m * pw * bpp + i)] = static_cast<uint8_t>(std::clamp(v, 0, 255));
            }
        const int x = static_cast<int>(rng() % (w - pw + 1)) / 2, y = static_cast<int>(rng() % (h - ph + 1)) / 2;

        int rx = -1, ry = -1, sx = -1, sy = -1;
        const bool want = Reference(img, pat, x, y, t, rx, ry);
        const bool got = almanac::FindSimilar(img.view, pat.view, x, y, t, sx, sy);
        ASSERT_EQ(got, want) << "round " << round;
        if (want) {
            ++found;
            ASSERT_EQ(sx, rx) << "round " << round;
            ASSERT_EQ(sy, ry) << "round " << round;
        }
        int nx = -1, ny = -1;
        ASSERT_EQ(almanac::FindSimilarNaive(img.view, pat.view, x, y, t, nx, ny), want);
        if (t == 0) {
            int fx = -1, fy = -1;
            ASSERT_EQ(almanac::FindPattern(img.view, pat.view, x, y, fx, fy), want) << "round " << round;
            if (want) {
                ASSERT_EQ(fx * 100000 + fy, rx * 100000 + ry);
            }
        }
    }
    EXPECT_GT(found, 500);  // the rounds test matches, not only misses
}

// A difference exactly at the tolerance matches, one level more does not,
// in each byte of a 32-bit and a 24-bit pixel, both directions.
TEST(BitmapSimilar, ToleranceIsInclusive)
{
    for (int bits : {24, 32}) {
        const int bpp = bits / 8;
        for (int byte = 0; byte < bpp; ++byte) {
            for (int sign : {1, -1}) {
                Image img(20, 3, bits), pat(11, 2, bits);
                std::fill(img.bytes.begin(), img.bytes.end(), 100);
                std::fill(pat.bytes.begin(), pat.bytes.end(), 100);
                for (size_t i = 0; i < pat.bytes.size(); i += 7) pat.bytes[i] = 40;  // some texture
                for (int m = 0; m < 2; ++m)
                    for (int i = 0; i < 11 * bpp; ++i)
                        img.bytes[static_cast<size_t>((1 + m) * 20 * bpp + 9 * bpp + i)] =
                            pat.bytes[static_cast<size_t>(m * 11 * bpp + i)];
                // One byte of the planted copy moved by 6.
                uint8_t& moved = img.bytes[static_cast<size_t>(2 * 20 * bpp + 14 * bpp + byte)];
                moved = static_cast<uint8_t>(moved + 6 * sign);
                int fx = -1, fy = -1;
                EXPECT_TRUE(almanac::FindSimilar(img.view, pat.view, 0, 0, 6, fx, fy)) << bits << " " << byte;
                EXPECT_EQ(fx, 9);
                EXPECT_EQ(fy, 1);
                EXPECT_FALSE(almanac::FindSimilar(img.view, pat.view, 0, 0, 5, fx, fy)) << bits << " " << byte;
            }
        }
    }
}

// Large 32-bit images: a pattern whose every pixel is off by the tolerance
// is still found at the far corner, and the anchors of a one-colour
// pattern row do not let a uniform image through falsely.
TEST(BitmapSimilar, LargeImagesAndUniformRows)
{
    std::mt19937 rng(5);
    Image img(301, 97, 32);
    for (auto& b : img.bytes) b = static_cast<uint8_t>(8 + rng() % 240);
    Image pat(33, 17, 32);
    for (int m = 0; m < 17; ++m)
        for (int i = 0; i < 33 * 4; ++i)
            pat.bytes[static_cast<size_t>(m * 33 * 4 + i)] = static_cast<uint8_t>(
                img.bytes[static_cast<size_t>((80 + m) * 301 * 4 + 268 * 4 + i)] + ((i + m) % 2 ? 8 : -8));
    int fx = -1, fy = -1;
    ASSERT_TRUE(almanac::FindSimilar(img.view, pat.view, 0, 0, 8, fx, fy));
    EXPECT_EQ(fx, 268);
    EXPECT_EQ(fy, 80);
    EXPECT_FALSE(almanac::FindSimilar(img.view, pat.view, 0, 0, 7, fx, fy));

    Image flat(64, 8, 32), one(16, 2, 32);
    std::fill(flat.bytes.begin(), flat.bytes.end(), 50);
    std::fill(one.bytes.begin(), one.bytes.end(), 50);
    one.bytes[one.bytes.size() - 1] = 90;  // only the last pixel of the top row differs
    EXPECT_FALSE(almanac::FindSimilar(flat.view, one.view, 0, 0, 39, fx, fy));
    EXPECT_TRUE(almanac::FindSimilar(flat.view, one.view, 0, 0, 40, fx, fy));
    EXPECT_EQ(fx, 0);
    EXPECT_FALSE(almanac::FindPattern(flat.view, one.view, 0, 0, fx, fy));
}

}  // namespace
