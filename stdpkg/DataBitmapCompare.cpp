// CDataBitmap: tolerant search, counting and showing differences, and
// cutting out parts. The tolerance applies to each byte of a pixel: the
// colour channels, and the fourth byte of a 32-bit pixel, which window
// captures and PNG files of opaque pictures leave 0.
#include "DataBitmap.h"

#include "PixelSimd.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

CStatus CheckTolerance(int tolerance)
{
    if (tolerance < 0 || tolerance > 255)
        return CStatus().Format(CStatus::Error, "The tolerance must be from 0 to 255: %d. (5901)", tolerance);
    return CStatus();
}

// True when the buffer holds every row of the image's header.
bool CoversImage(const almanac::PixelView& v)
{
    // stride * height <= length, without the product (headers are untrusted).
    return v.data && v.width > 0 && v.height > 0 && v.Stride() <= v.length / v.height;
}

}  // namespace

CStatus CDataBitmap::FindSimilar(int& x, int& y, const CDataBitmap& pattern, int tolerance, bool& found)
{
    found = false;
    CStatus status = CheckTolerance(tolerance);
    if (!status) return status;
    return Search(x, y, pattern, tolerance, 5902, found);
}

CStatus CDataBitmap::CheckComparable(const CDataBitmap& other, int tolerance) const
{
    CStatus status = CheckTolerance(tolerance);
    if (!status) return status;
    const tagBMP_INFO_HDR& a = m_InfoHeader;
    const tagBMP_INFO_HDR& b = other.m_InfoHeader;
    if (a.biBitCount != b.biBitCount)
        return CStatus().Format(CStatus::Error, "Bitmap and pattern differ in color depth: %d and %d bits. (5902)", a.biBitCount,
                                b.biBitCount);
    if (a.biWidth != b.biWidth || a.biHeight != b.biHeight)
        return CStatus().Format(CStatus::Error, "The bitmaps differ in size: %d x %d and %d x %d. (5903)", a.biWidth, a.biHeight,
                                b.biWidth, b.biHeight);
    if (a.biBitCount % 8 != 0 || a.biBitCount == 0 || a.biBitCount > 32)
        return CStatus().Format(CStatus::Error, "Differences are counted in 8- to 32-bit bitmaps, not %d-bit ones. (5904)",
                                a.biBitCount);
    if (a.biWidth == 0 || a.biHeight == 0) return CStatus();
    if (!CoversImage(Pixels()) || !CoversImage(other.Pixels())) return OutsideBuffer();
    return CStatus();
}

CStatus CDataBitmap::CountDifferences(const CDataBitmap& other, int tolerance, int64_t& count) const
{
    count = 0;
    CStatus status = CheckComparable(other, tolerance);
    if (!status) return status;
    const almanac::PixelView a = Pixels(), b = other.Pixels();
    if (a.width == 0 || a.height == 0) return CStatus();
    const int64_t pixels = static_cast<int64_t>(a.width) * a.height;
    const int bytes = a.bitCount / 8;
    if (bytes == 4) {
        count = almanac::simd::CountDifferent32(a.data, b.data, pixels, tolerance);
        return CStatus();
    }
    for (int64_t i = 0; i < pixels; ++i)
        if (!almanac::simd::BytesWithin(a.data + i * bytes, b.data + i * bytes, static_cast<size_t>(bytes), tolerance))
            ++count;
    return CStatus();
}

CStatus CDataBitmap::DiffImage(const CDataBitmap& other, int tolerance, CDataBitmap& diff) const
{
    CStatus status = CheckComparable(other, tolerance);
    if (!status) return status;
    const int bytes = m_InfoHeader.biBitCount / 8;
    if (bytes != 3 && bytes != 4)
        return CStatus().Format(CStatus::Error, "A diff image needs 24-bit or 32-bit bitmaps, not %d-bit ones. (5904)",
                                m_InfoHeader.biBitCount);
    diff = *this;
    const almanac::PixelView b = other.Pixels();
    const int64_t pixels = static_cast<int64_t>(m_InfoHeader.biWidth) * m_InfoHeader.biHeight;
    unsigned char* out = diff.GetBuffer();
    for (int64_t i = 0; i < pixels; ++i) {
        unsigned char* p = out + i * bytes;
        if (almanac::simd::BytesWithin(p, b.data + i * bytes, static_cast<size_t>(bytes), tolerance)) {
            // A third of the contrast, moved toward white: 0 -> 170, 255 -> 255.
            for (int k = 0; k < 3; ++k) p[k] = static_cast<unsigned char>(170 + p[k] / 3);
        } else {
            p[0] = 0;
            p[1] = 0;
            p[2] = 255;
        }
    }
    return CStatus();
}

CStatus CDataBitmap::Crop(int x, int y, int width, int height, CDataBitmap& part) const
{
    const int64_t right = static_cast<int64_t>(x) + width;
    const int64_t top = static_cast<int64_t>(y) + height;
    if (x < 0 || y < 0 || width <= 0 || height <= 0 || right > m_InfoHeader.biWidth || top > m_InfoHeader.biHeight)
        return CStatus().Format(CStatus::Error, "Crop rectangle %d,%d of %d x %d lies outside the %d x %d bitmap. (5905)", x, y,
                                width, height, m_InfoHeader.biWidth, m_InfoHeader.biHeight);
    const int bitCount = m_InfoHeader.biBitCount;
    if (bitCount % 8 != 0 || bitCount == 0)
        return CStatus().Format(CStatus::Error, "Crop needs whole bytes per pixel, not %d bits. (5904)", bitCount);
    if (!CoversImage(Pixels())) return OutsideBuffer();
    const int bytes = bitCount / 8;
    const int64_t rowBytes = static_cast<int64_t>(width) * bytes;
    const int64_t size = rowBytes * height;
    if (size > INT32_MAX) return OutsideBuffer();
    std::vector<unsigned char> bits(static_cast<size_t>(size));
    for (int row = 0; row < height; ++row)
        std::memcpy(bits.data() + row * rowBytes, m_Buffer.get() + PixelOffset(x, static_cast<int64_t>(y) + row),
                    static_cast<size_t>(rowBytes));
    tagBMP_FILE_HDR fileHeader = m_FileHeader;
    tagBMP_INFO_HDR infoHeader = m_InfoHeader;
    infoHeader.biWidth = width;
    infoHeader.biHeight = height;
    infoHeader.biSizeImage = static_cast<uint32_t>(size);
    fileHeader.bfSize = static_cast<uint32_t>(fileHeader.bfOffBits + size);
    if (!part.SetBitmap(fileHeader, infoHeader, bits.data(), static_cast<int>(size))) return OutsideBuffer();
    return CStatus();
}
