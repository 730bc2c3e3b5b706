#include "PngFile.h"

#include "DataBitmap.h"
#include "FileStream.h"

#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The stb decoder and encoder, compiled into this file only (static
// functions) and limited to PNG; files are read and written through the
// engine's streams, so stb's own stdio code is left out.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 32768
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#endif
#include <stb_image.h>
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace almanac {

namespace {

// Deflate packs at most about 1032 bytes into one: a header that claims
// more pixels than the file could hold is refused before anything is
// allocated for them.
constexpr int64_t kMaxInflation = 1100;

struct StbImage {
    unsigned char* pixels = nullptr;
    ~StbImage() { stbi_image_free(pixels); }
};

CStatus Corrupt(const char* why)
{
    return CStatus().Format(CStatus::Error, "Incorrect PNG file: %s. (5906)", why ? why : "unreadable");
}

void Append(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    const unsigned char* bytes = static_cast<const unsigned char*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

bool HasPngExtension(const String& path)
{
    const std::string& s = path.str();
    if (s.size() < 4) return false;
    const std::string tail = s.substr(s.size() - 4);
    return tail[0] == '.' && (tail[1] | 0x20) == 'p' && (tail[2] | 0x20) == 'n' && (tail[3] | 0x20) == 'g';
}

CStatus DecodePng(const unsigned char* data, int length, CDataBitmap& bitmap)
{
    if (!data || length <= 0) return Corrupt("empty file");
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) return Corrupt(stbi_failure_reason());
    const int64_t pixels = static_cast<int64_t>(width) * height;
    if (width <= 0 || height <= 0 || pixels * 4 > INT_MAX || pixels > static_cast<int64_t>(length) * kMaxInflation)
        return Corrupt("the image size does not fit the file");
    StbImage image;
    image.pixels = stbi_load_from_memory(data, length, &width, &height, &channels, 4);
    if (!image.pixels) return Corrupt(stbi_failure_reason());
    const int size = static_cast<int>(pixels * 4);
    std::unique_ptr<unsigned char[]> bits(new (std::nothrow) unsigned char[static_cast<size_t>(size)]);
    if (!bits) return Corrupt("no memory for the pixels");
    // PNG rows run top-down and hold red, green, blue, alpha; bitmap rows
    // run bottom-up and hold blue, green, red and 255 - alpha.
    const int64_t stride = static_cast<int64_t>(width) * 4;
    for (int row = 0; row < height; ++row) {
        const unsigned char* from = image.pixels + (height - 1 - row) * stride;
        unsigned char* to = bits.get() + row * stride;
        for (int x = 0; x < width; ++x, from += 4, to += 4) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            to[3] = static_cast<unsigned char>(255 - from[3]);
        }
    }
    tagBMP_FILE_HDR fileHeader{};
    tagBMP_INFO_HDR infoHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = 54;
    fileHeader.bfSize = static_cast<uint32_t>(54 + size);
    infoHeader.biSize = 40;
    infoHeader.biWidth = width;
    infoHeader.biHeight = height;
    infoHeader.biPlanes = 1;
    infoHeader.biBitCount = 32;
    infoHeader.biSizeImage = static_cast<uint32_t>(size);
    if (!bitmap.SetBitmap(fileHeader, infoHeader, bits.get(), size)) return Corrupt("no memory for the pixels");
    return CStatus();
}

CStatus LoadPng(const String& path, CDataBitmap& bitmap)
{
    std_file_stream in;
    CStatus status = in.Open(path, "rb");
    if (!status) return status;
    const long size = in.Size();
    if (size <= 0 || size > INT_MAX) return Corrupt(size == 0 ? "empty file" : "the file size is unknown or too large");
    std::vector<unsigned char> data(static_cast<size_t>(size));
    if (in.read(1, data.size(), data.data()) != data.size()) return Corrupt("the file could not be read whole");
    in.Close();
    return DecodePng(data.data(), static_cast<int>(data.size()), bitmap);
}

CStatus SavePng(const String& path, const CDataBitmap& bitmap)
{
    const tagBMP_INFO_HDR& info = bitmap.GetInfoHeader();
    const int bitCount = info.biBitCount;
    if (bitCount != 24 && bitCount != 32)
        return CStatus().Format(CStatus::Error, "PNG files hold 24-bit and 32-bit bitmaps only, not %d-bit: %s. (5908)", bitCount,
                                path.c_str());
    const int width = info.biWidth, height = info.biHeight;
    if (width <= 0 || height <= 0 || static_cast<int64_t>(width) * height * 4 > INT_MAX)
        return CStatus().Format(CStatus::Error, "A PNG file needs a bitmap of at least one pixel: %d x %d. (5909)", width, height);
    const int bytesPerPixel = bitCount / 8;
    const int64_t stride = static_cast<int64_t>(width) * bytesPerPixel;
    if (stride * height > bitmap.GetBufferLength())
        return CStatus::MakeError("Bitmap pixel data does not cover the pixels its header describes. (5139)");
    std::vector<unsigned char> rgba(static_cast<size_t>(stride * height));
    const unsigned char* bits = bitmap.GetBuffer();
    for (int row = 0; row < height; ++row) {
        const unsigned char* from = bits + (height - 1 - row) * stride;
        unsigned char* to = rgba.data() + row * stride;
        for (int x = 0; x < width; ++x, from += bytesPerPixel, to += bytesPerPixel) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            if (bytesPerPixel == 4) to[3] = static_cast<unsigned char>(255 - from[3]);
        }
    }
    std::vector<unsigned char> encoded;
    if (!stbi_write_png_to_func(Append, &encoded, width, height, bytesPerPixel, rgba.data(), static_cast<int>(stride)))
        return CStatus().Format(CStatus::Error, "PNG save unsuccessful - %s. (5907)", path.c_str());
    std_ofile_stream out;
    CStatus status = out.Open(path, "wb");
    if (!status) return status;
    if (out.write(1, encoded.size(), encoded.data()) != encoded.size())
        return CStatus().Format(CStatus::Error, "PNG save unsuccessful - %s. (5907)", path.c_str());
    return out.Close();
}

}  // namespace almanac
