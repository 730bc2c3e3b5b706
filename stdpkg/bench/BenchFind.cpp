// Timing of the bitmap functions Find and FindSimilar (tolerance 8) on a
// 1920x1080 32-bit image with a 32x32 pattern: once whose only match is the
// bottom-right corner, once a pattern that does not occur. Two images:
// noise, and a screen-like one (a plain background with a few flat-coloured
// windows and some text-like speckles, where a first-row filter sees many
// candidates). Prints the median of several runs, and as the floor the
// median of one memcmp pass over the image's 8.3 MB against a copy, timed
// in the same run; each search's ratio to that floor; and the naive
// row-by-row comparison. Build without sanitizers for meaningful figures.
//
//   stdpkg_bench_find [runs]
#include "BitmapSearch.h"
#include "DataBitmap.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int W = 1920, H = 1080, P = 32;

void Fill(CDataBitmap& b, int w, int h, const std::vector<unsigned char>& pixels)
{
    tagBMP_FILE_HDR fh{};
    tagBMP_INFO_HDR ih{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = 54;
    ih.biSize = 40;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 32;
    ih.biSizeImage = static_cast<uint32_t>(pixels.size());
    b.SetBitmap(fh, ih, const_cast<unsigned char*>(pixels.data()), static_cast<int>(pixels.size()));
}

void Put(std::vector<unsigned char>& img, int w, int x, int y, uint32_t bgra)
{
    unsigned char* p = img.data() + (static_cast<size_t>(y) * w + x) * 4;
    p[0] = bgra & 0xFF;
    p[1] = (bgra >> 8) & 0xFF;
    p[2] = (bgra >> 16) & 0xFF;
    p[3] = 0;
}

std::vector<unsigned char> Noise(std::mt19937& rng, int w, int h)
{
    std::vector<unsigned char> img(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Put(img, w, x, y, rng());
    return img;
}

std::vector<unsigned char> Screen(std::mt19937& rng)
{
    std::vector<unsigned char> img(static_cast<size_t>(W) * H * 4);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) Put(img, W, x, y, 0xF0F0F0);
    // Flat windows with speckles of "text".
    for (int k = 0; k < 12; ++k) {
        const int x0 = static_cast<int>(rng() % (W - 400)), y0 = static_cast<int>(rng() % (H - 300));
        const uint32_t colour = rng() % 2 ? 0xFFFFFF : 0xD4D0C8;
        for (int y = y0; y < y0 + 250; ++y)
            for (int x = x0; x < x0 + 350; ++x)
                Put(img, W, x, y, (rng() % 23 == 0) ? 0x000000 : colour);
    }
    return img;
}

// A 32x32 icon on the background colour: its first row is all background.
std::vector<unsigned char> Icon(std::mt19937& rng)
{
    std::vector<unsigned char> icon(P * P * 4);
    for (int y = 0; y < P; ++y)
        for (int x = 0; x < P; ++x)
            Put(icon, P, x, y, (y == 0 || x == 0) ? 0xF0F0F0 : (rng() % 3 ? 0xF0F0F0 : rng() & 0xFFFFFF));
    return icon;
}

void Paste(std::vector<unsigned char>& img, const std::vector<unsigned char>& icon, int x0, int y0)
{
    for (int y = 0; y < P; ++y)
        std::copy_n(icon.begin() + y * P * 4, P * 4, img.begin() + (static_cast<size_t>(y0 + y) * W + x0) * 4);
}

// A copy of the pattern with every colour byte moved by up to 8 levels: a
// match only for a tolerant search.
CDataBitmap& Nudged(const CDataBitmap& pattern, std::mt19937& rng)
{
    static std::vector<std::unique_ptr<CDataBitmap>> keep;
    keep.emplace_back(new CDataBitmap(pattern));
    CDataBitmap& b = *keep.back();
    for (int i = 0; i < b.GetBufferLength(); ++i) {
        if (i % 4 == 3) continue;
        const int v = b.GetBuffer()[i] + static_cast<int>(rng() % 17) - 8;
        b.GetBuffer()[i] = static_cast<unsigned char>(v < 0 ? 0 : v > 255 ? 255 : v);
    }
    return b;
}

template <typename F>
double MedianMs(int runs, F f)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        const auto a = std::chrono::steady_clock::now();
        f();
        t.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - a).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

almanac::PixelView View(const CDataBitmap& b)
{
    almanac::PixelView v;
    v.data = b.GetBuffer();
    v.length = b.GetBufferLength();
    v.width = b.GetInfoHeader().biWidth;
    v.height = b.GetInfoHeader().biHeight;
    v.bitCount = b.GetInfoHeader().biBitCount;
    return v;
}

double gFloor = 0;

void Case(const char* name, CDataBitmap& image, CDataBitmap& pattern, CDataBitmap& nearPattern, bool expectFound,
          int runs)
{
    bool found = false;
    int fx = 0, fy = 0;
    const double fast = MedianMs(runs, [&] {
        fx = 0, fy = 0;
        image.FindPattern(fx, fy, pattern, found);
    });
    bool naiveFound = false;
    int nx = 0, ny = 0;
    const double naive = MedianMs(runs, [&] {
        naiveFound = almanac::FindPatternNaive(View(image), View(pattern), 0, 0, nx, ny);
    });
    const bool ok = found == expectFound && naiveFound == expectFound &&
                    (!found || (fx == W - P && fy == H - P && nx == fx && ny == fy));
    bool similarFound = false;
    int sx = 0, sy = 0;
    const double similar = MedianMs(runs, [&] {
        sx = 0, sy = 0;
        image.FindSimilar(sx, sy, nearPattern, 8, similarFound);
    });
    const bool similarOk = similarFound == expectFound && (!similarFound || (sx == W - P && sy == H - P));
    std::printf("%-34s Find %6.2f ms (%4.2fx)   FindSimilar %6.2f ms (%4.2fx)   naive %7.2f ms   %s%s\n", name,
                fast, fast / gFloor, similar, similar / gFloor, naive, found ? "found at bottom-right" : "not found",
                ok && similarOk ? "" : "   WRONG RESULT");
    if (!ok || !similarOk) std::exit(1);
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 21;
    std::mt19937 rng(42);

    CDataBitmap noise, noiseCorner, noiseAbsent;
    const std::vector<unsigned char> noisePixels = Noise(rng, W, H);
    Fill(noise, W, H, noisePixels);
    std::vector<unsigned char> corner(P * P * 4);
    for (int y = 0; y < P; ++y)
        std::copy_n(noisePixels.begin() + (static_cast<size_t>(H - P + y) * W + (W - P)) * 4, P * 4,
                    corner.begin() + y * P * 4);
    Fill(noiseCorner, P, P, corner);
    Fill(noiseAbsent, P, P, Noise(rng, P, P));

    std::vector<unsigned char> screenPixels = Screen(rng);
    const std::vector<unsigned char> icon = Icon(rng), otherIcon = Icon(rng);
    Paste(screenPixels, icon, W - P, H - P);
    CDataBitmap screen, screenIcon, screenAbsent;
    Fill(screen, W, H, screenPixels);
    Fill(screenIcon, P, P, icon);
    Fill(screenAbsent, P, P, otherIcon);

    // The floor: one pass over the image's bytes, compared with a copy.
    const std::vector<unsigned char> copy(screenPixels);
    volatile int sink = 0;
    gFloor = MedianMs(runs, [&] { sink = sink + std::memcmp(screenPixels.data(), copy.data(), copy.size()); });

    std::printf("1920x1080x32 image, 32x32 pattern, median of %d runs; FindSimilar with tolerance 8\n", runs);
    std::printf("floor: memcmp of %.1f MB  %6.2f ms\n", copy.size() / 1e6, gFloor);
    Case("noise, match at bottom-right", noise, noiseCorner, Nudged(noiseCorner, rng), true, runs);
    Case("noise, pattern absent", noise, noiseAbsent, noiseAbsent, false, runs);
    Case("screen-like, match at bottom-right", screen, screenIcon, Nudged(screenIcon, rng), true, runs);
    Case("screen-like, pattern absent", screen, screenAbsent, screenAbsent, false, runs);
    return 0;
}
