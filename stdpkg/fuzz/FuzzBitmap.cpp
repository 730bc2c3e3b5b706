// Garbage-BMP fuzz loop: writes damaged BMP files (random headers, sizes
// that disagree with the pixel data, truncation, random bytes), loads each
// with LoadFromFile and runs every pixel operation on it with random and
// edge-case arguments. Built with the sanitizers, any access outside a
// buffer stops the run. A second leg saves random pictures as PNG, damages
// the files the same ways and decodes them again.
//
//   stdpkg_fuzz_bmp [seconds] [seed] [folder]
#include "DataBitmap.h"
#include "PngFile.h"

#include <chrono>
#include <climits>
#include <cstring>
#include <initializer_list>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

std::mt19937 rng;

int Pick(std::initializer_list<int> values)
{
    return *(values.begin() + rng() % values.size());
}

int RandomCoordinate(int limit)
{
    switch (rng() % 6) {
    case 0: return -1;
    case 1: return limit;
    case 2: return limit == INT_MIN ? limit : limit - 1;
    case 3: return static_cast<int>(rng());
    default: return limit > 0 ? static_cast<int>(rng() % static_cast<unsigned>(limit)) : 0;
    }
}

std::vector<unsigned char> MakeFile()
{
    const int width = Pick({0, 1, 2, 3, 5, 16, 33, -4, 100000, 0x7FFFFFFF});
    const int height = Pick({0, 1, 2, 7, 16, -3, 100000, 0x7FFFFFFF});
    const int bits = Pick({0, 1, 4, 8, 16, 24, 32, 48, 64, 65535});
    const int realW = width > 0 && width < 64 ? width : 1 + static_cast<int>(rng() % 40);
    const int realH = height > 0 && height < 64 ? height : 1 + static_cast<int>(rng() % 40);
    const long stride = static_cast<long>(realW) * (bits > 0 && bits <= 64 ? bits : 32) / 8;
    long pixels = stride * realH;
    switch (rng() % 5) {
    case 0: pixels = 0; break;
    case 1: pixels = pixels / 2; break;
    case 2: pixels = pixels + static_cast<long>(rng() % 64); break;
    default: break;
    }
    uint32_t sizeImage;
    switch (rng() % 6) {
    case 0: sizeImage = 0; break;
    case 1: sizeImage = static_cast<uint32_t>(pixels) + 1 + rng() % 1000; break;  // larger than the file
    case 2: sizeImage = static_cast<uint32_t>(pixels / 3); break;                  // smaller than stride * height
    case 3: sizeImage = static_cast<uint32_t>(rng()); break;
    default: sizeImage = static_cast<uint32_t>(pixels); break;
    }
    tagBMP_FILE_HDR fh{};
    tagBMP_INFO_HDR ih{};
    fh.bfType = rng() % 4 ? 0x4D42 : static_cast<uint16_t>(rng());
    fh.bfOffBits = rng() % 4 ? 54 : static_cast<uint32_t>(rng());
    ih.biSize = 40;
    ih.biWidth = width;
    ih.biHeight = height;
    ih.biBitCount = static_cast<uint16_t>(bits);
    ih.biSizeImage = sizeImage;
    std::vector<unsigned char> file(54 + static_cast<size_t>(pixels));
    std::memcpy(file.data(), &fh, 14);
    std::memcpy(file.data() + 14, &ih, 40);
    for (size_t i = 54; i < file.size(); ++i) file[i] = static_cast<unsigned char>(rng() % 3 ? rng() : 0);
    // Random byte damage and truncation.
    const int flips = static_cast<int>(rng() % 4);
    for (int i = 0; i < flips; ++i) file[rng() % file.size()] = static_cast<unsigned char>(rng());
    if (rng() % 5 == 0) file.resize(rng() % (file.size() + 1));
    return file;
}

void Write(const std::string& path, const std::vector<unsigned char>& bytes)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
        std::perror(path.c_str());
        std::exit(2);
    }
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::vector<unsigned char> Read(const std::string& path)
{
    std::vector<unsigned char> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
    std::fclose(f);
    return bytes;
}

std::string CodeOf(const CStatus& s)
{
    const String& m = s.GetStatusMessage();
    const int open = m.Find("(");
    return s.IsSuccess() ? std::string("OK") : (open >= 0 ? m.SubString(open).str() : std::string("other"));
}

}  // namespace

int main(int argc, char** argv)
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : 1;
    const std::string folder = argc > 3 ? argv[3] : "/tmp";
    rng.seed(seed);
    String path = (folder + "/stdpkg_fuzz_a.bmp").c_str();
    String other = (folder + "/stdpkg_fuzz_b.bmp").c_str();
    String saved = (folder + "/stdpkg_fuzz_saved.bmp").c_str();
    String png = (folder + "/stdpkg_fuzz.png").c_str();

    std::map<std::string, long> outcomes;
    long iterations = 0;
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() < seconds) {
        ++iterations;
        Write(path.c_str(), MakeFile());
        Write(other.c_str(), MakeFile());
        CDataBitmap a, b;
        ++outcomes["load " + CodeOf(a.LoadFromFile(path))];
        b.LoadFromFile(other);
        const int w = a.GetInfoHeader().biWidth;
        const int h = a.GetInfoHeader().biHeight;
        for (int k = 0; k < 8; ++k) {
            int r, g, bl;
            ++outcomes["GetColorAt " + CodeOf(a.GetColorAt(RandomCoordinate(w), RandomCoordinate(h), r, g, bl))];
            const int x1 = RandomCoordinate(w), y1 = RandomCoordinate(h);
            ++outcomes["SetPixels " + CodeOf(a.SetPixels(x1, y1, rng() % 2 ? x1 : RandomCoordinate(w),
                                                          rng() % 2 ? y1 : RandomCoordinate(h), 1, 2, 3))];
            ++outcomes["Blit " + CodeOf(a.Blit(RandomCoordinate(w), RandomCoordinate(h), b, rng() % 2 ? &b : nullptr))];
            ++outcomes["BlitFrom " + CodeOf(b.Blit(RandomCoordinate(b.GetInfoHeader().biWidth),
                                                   RandomCoordinate(b.GetInfoHeader().biHeight), a, nullptr))];
            int fx = rng() % 3 ? 0 : RandomCoordinate(w), fy = rng() % 3 ? 0 : RandomCoordinate(h);
            bool found = false;
            ++outcomes["Find " + CodeOf(a.FindPattern(fx, fy, b, found))];
            fx = 0, fy = 0;
            a.FindPattern(fx, fy, a, found);
            fx = rng() % 3 ? 0 : RandomCoordinate(w), fy = rng() % 3 ? 0 : RandomCoordinate(h);
            ++outcomes["FindSimilar " + CodeOf(a.FindSimilar(fx, fy, b, Pick({0, 1, 8, 255, 256, -1}), found))];
            CDataBitmap part;
            ++outcomes["Crop " + CodeOf(a.Crop(RandomCoordinate(w), RandomCoordinate(h), RandomCoordinate(w),
                                               RandomCoordinate(h), part))];
        }
        int64_t differences = 0;
        ++outcomes["CountDifferences " + CodeOf(a.CountDifferences(b, Pick({0, 8, 256}), differences))];
        a.CountDifferences(a, 0, differences);
        CDataBitmap diff;
        ++outcomes["DiffImage " + CodeOf(a.DiffImage(rng() % 2 ? a : b, 8, diff))];
        ++outcomes["ReplaceAll " + CodeOf(a.ReplaceColor(false, 0, 0, 0, 9, 9, 9))];
        ++outcomes["ReplaceAllOther " + CodeOf(a.ReplaceColor(true, 9, 9, 9, 1, 1, 1))];
        a.Invert();
        int out;
        a.operator_compare(&b, out);
        CDataBitmap c;
        c.CopyData(&a);
        c.operator_compare(&a, out);
        a.ZeroPixels();
        ++outcomes["Save " + CodeOf(a.SaveToFile(saved))];
        a.GetPixelIndex(RandomCoordinate(w), RandomCoordinate(h));

        // PNG leg: a valid file of a random picture, damaged as the BMP
        // files are, decoded again.
        CDataBitmap picture;
        const int pw = 1 + static_cast<int>(rng() % 40), ph = 1 + static_cast<int>(rng() % 40);
        std::vector<unsigned char> bgra(static_cast<size_t>(pw) * ph * 4);
        for (auto& v : bgra) v = static_cast<unsigned char>(rng() % 4 ? rng() : 0);
        tagBMP_FILE_HDR fh{};
        tagBMP_INFO_HDR ih{};
        ih.biWidth = pw;
        ih.biHeight = ph;
        ih.biBitCount = 32;
        picture.SetBitmap(fh, ih, bgra.data(), static_cast<int>(bgra.size()));
        ++outcomes["SavePng " + CodeOf(picture.SaveToFile(png))];
        std::vector<unsigned char> bytes = Read(png.c_str());
        if (!bytes.empty()) {
            const int flips = static_cast<int>(rng() % 5);
            for (int i = 0; i < flips; ++i) bytes[rng() % bytes.size()] = static_cast<unsigned char>(rng());
            if (rng() % 4 == 0) bytes.resize(rng() % (bytes.size() + 1));
            CDataBitmap back;
            ++outcomes["DecodePng " + CodeOf(almanac::DecodePng(bytes.data(), static_cast<int>(bytes.size()), back))];
        }
    }
    std::printf("stdpkg_fuzz_bmp: %ld iterations (two garbage files each) in %.0f s, seed %u\n", iterations,
                seconds, seed);
    for (const auto& o : outcomes) std::printf("  %-32s %ld\n", o.first.c_str(), o.second);
    return 0;
}
