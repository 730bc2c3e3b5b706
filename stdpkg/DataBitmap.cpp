// CDataBitmap: buffer, BMP files, pixel operations and comparison. The
// script-facing member functions are in DataBitmapFunctions.cpp.
#include "DataBitmap.h"

#include "TypeRegistration.h"

#include "BitmapSearch.h"
#include "PngFile.h"

#include <climits>
#include <cstring>

int CDataBitmap::sType = 0;

namespace {

const char kOutsideBuffer[] = "Bitmap pixel data does not cover the pixels its header describes. (5139)";

bool IsColor(int v) { return v >= 0 && v <= 255; }

}  // namespace

almanac::PixelView CDataBitmap::Pixels() const
{
    almanac::PixelView v;
    v.data = m_Buffer.get();
    v.length = m_Length;
    v.width = m_InfoHeader.biWidth;
    v.height = m_InfoHeader.biHeight;
    v.bitCount = m_InfoHeader.biBitCount;
    return v;
}

CStatus CDataBitmap::OutsideBuffer() { return CStatus::MakeError(kOutsideBuffer); }

CDataBitmap::CDataBitmap() { LOOM_REGISTER_ON_FIRST_USE(CDataBitmap, "bitmap"); }

CDataBitmap::CDataBitmap(const CDataBitmap& other)
    : CData(other), m_FileHeader(other.m_FileHeader), m_InfoHeader(other.m_InfoHeader)
{
    if (other.m_Length > 0 && MakeBuffer(other.m_Length) > 0)
        std::memcpy(m_Buffer.get(), other.m_Buffer.get(), static_cast<size_t>(m_Length));
}

CDataBitmap& CDataBitmap::operator=(const CDataBitmap& other)
{
    if (this != &other) {
        CDataBitmap copy(other);
        m_Buffer.swap(copy.m_Buffer);
        std::swap(m_Length, copy.m_Length);
        m_FileHeader = other.m_FileHeader;
        m_InfoHeader = other.m_InfoHeader;
    }
    return *this;
}

CDataBitmap::~CDataBitmap() = default;

LOOM_DEFINE_VALUE_TYPE(CDataBitmap)

void CDataBitmap::Clear()
{
    m_Buffer.reset();
    m_Length = 0;
}

int CDataBitmap::MakeBuffer(int size)
{
    Clear();
    if (size <= 0) return 0;
    m_Buffer.reset(new (std::nothrow) unsigned char[static_cast<size_t>(size)]());
    if (!m_Buffer) return 0;
    m_Length = size;
    return size;
}

int CDataBitmap::SetBitmap(tagBMP_FILE_HDR& fileHeader, tagBMP_INFO_HDR& infoHeader, void* bits, int size)
{
    if (!bits) size = 0;
    if (MakeBuffer(size) == 0) return 0;
    std::memcpy(m_Buffer.get(), bits, static_cast<size_t>(size));
    m_FileHeader = fileHeader;
    m_InfoHeader = infoHeader;
    return 1;
}

int64_t CDataBitmap::Stride() const
{
    return (static_cast<int64_t>(m_InfoHeader.biBitCount) * static_cast<uint32_t>(m_InfoHeader.biWidth)) >> 3;
}

int64_t CDataBitmap::PixelOffset(int64_t x, int64_t y) const
{
    return almanac::PixelOffset64(x, y, Stride(), m_InfoHeader.biBitCount / 8);
}

int CDataBitmap::GetPixelIndex(int x, int y)
{
    // The exported index keeps 32 bits; the operations use PixelOffset.
    return static_cast<int>(static_cast<uint32_t>(PixelOffset(x, y)));
}

bool CDataBitmap::Covers(int64_t offset, int64_t count) const
{
    return m_Buffer && offset >= 0 && count >= 0 && offset <= m_Length && count <= m_Length - offset;
}

CStatus CDataBitmap::LoadFromFile(String& path)
{
    if (almanac::HasPngExtension(path)) return almanac::LoadPng(path, *this);
    std_file_stream in;
    CStatus status = in.Open(path, "rb");
    if (!status) return status;
    if (in.read(1, sizeof m_FileHeader, &m_FileHeader) < sizeof m_FileHeader)
        return CStatus::MakeError("Incorrect bitmap Format. (3502)");
    if (in.read(1, sizeof m_InfoHeader, &m_InfoHeader) < sizeof m_InfoHeader)
        return CStatus::MakeError("Incorrect bitmap Format. (3503)");
    Clear();
    // A garbage biSizeImage must not cost a huge allocation: never allocate
    // more than the file still holds.
    const long fileSize = in.Size();
    const int64_t remaining = fileSize < 0 ? INT_MAX : static_cast<int64_t>(fileSize) - 54;
    const int64_t wanted = m_InfoHeader.biSizeImage;
    if (wanted > remaining || wanted > INT_MAX) {
        if (remaining > 0 && remaining <= INT_MAX && MakeBuffer(static_cast<int>(remaining)) > 0)
            m_Length = static_cast<int>(in.read(1, static_cast<size_t>(remaining), m_Buffer.get()));
        return CStatus::MakeError("Incorrect bitmap Format. (3504)");
    }
    const int size = static_cast<int>(wanted);
    if (MakeBuffer(size) > 0 && in.read(1, static_cast<size_t>(size), m_Buffer.get()) < static_cast<size_t>(size))
        return CStatus::MakeError("Incorrect bitmap Format. (3504)");
    in.Close();
    return CStatus();
}

CStatus CDataBitmap::SaveToFile(String& path)
{
    if (almanac::HasPngExtension(path)) return almanac::SavePng(path, *this);
    std_ofile_stream out;
    CStatus status = out.Open(path, "wb");
    if (!status) return status;
    out.write(1, sizeof m_FileHeader, &m_FileHeader);
    out.write(1, sizeof m_InfoHeader, &m_InfoHeader);
    const size_t written = m_Length > 0 ? out.write(1, static_cast<size_t>(m_Length), m_Buffer.get()) : 0;
    if (written == static_cast<size_t>(m_Length)) return out.Close();
    return CStatus().Format(CStatus::Error, "Bitmap save unsuccessful - %s. (5111)", path.c_str());
}

CStatus CDataBitmap::GetColorAt(int x, int y, int& red, int& green, int& blue)
{
    if (!(static_cast<uint32_t>(x) < static_cast<uint32_t>(m_InfoHeader.biWidth) &&
          static_cast<uint32_t>(y) < static_cast<uint32_t>(m_InfoHeader.biHeight)))
        return CStatus().Format(CStatus::Error, "Indices out of bitmap bounds: [%d,%d]. (5138)", x, y);
    const int64_t i = PixelOffset(x, y);
    if (!Covers(i, 3)) return CStatus::MakeError(kOutsideBuffer);
    red = m_Buffer[i + 2];
    green = m_Buffer[i + 1];
    blue = m_Buffer[i];
    return CStatus();
}

CStatus CDataBitmap::SetPixels(int x1, int y1, int x2, int y2, int red, int green, int blue)
{
    if (y2 < y1)
        return CStatus().Format(CStatus::Error, "Second Y index must not be less than the first: %d, %d. (5114)", y1, y2);
    if (x2 < x1)
        return CStatus().Format(CStatus::Error, "Second X index must not be less than the first: %d, %d. (5115)", x1, x2);
    if (!IsColor(red) || !IsColor(green) || !IsColor(blue))
        return CStatus::MakeError("Color values must be from 0 to 255. (5113)");
    const int w = m_InfoHeader.biWidth;
    const int h = m_InfoHeader.biHeight;
    if (x1 < 0 || x2 < 0 || y1 < 0 || y2 < 0 || x1 >= w || x2 >= w || y1 >= h || y2 >= h)
        return CStatus().Format(CStatus::Error, "Indices out of bitmap bounds: [%d,%d], [%d,%d]. (5112)", x1, y1, x2, y2);
    const int bytes = m_InfoHeader.biBitCount / 8;
    if (bytes < 3) return CStatus::MakeError("Invalid bitmap color depth. (5116)");
    if (bytes > 4) return CStatus::MakeError("Invalid bitmap color depth. (5117)");
    // Offsets grow with x and y: the last pixel is the farthest one.
    if (!Covers(PixelOffset(x2, y2), 3)) return CStatus::MakeError(kOutsideBuffer);
    for (int y = y1; y <= y2; ++y) {
        for (int x = x1; x <= x2; ++x) {
            unsigned char* p = m_Buffer.get() + PixelOffset(x, y);
            p[0] = static_cast<unsigned char>(blue);
            p[1] = static_cast<unsigned char>(green);
            p[2] = static_cast<unsigned char>(red);
        }
    }
    return CStatus();
}

CStatus CDataBitmap::ReplaceColor(bool other, int r1, int g1, int b1, int r2, int g2, int b2)
{
    if (!IsColor(r1) || !IsColor(g1) || !IsColor(b1) || !IsColor(r2) || !IsColor(g2) || !IsColor(b2))
        return CStatus::MakeError(other ? "Color values must be from 0 to 255. (5135)" : "Color values must be from 0 to 255. (5137)");
    int step;
    if (m_InfoHeader.biBitCount > 24) step = 4;
    else if (m_InfoHeader.biBitCount == 24) step = 3;
    else if (other) return CStatus::MakeError("ReplaceAllOther supports only 24-bit and 32-bit bitmaps. (5134)");
    else return CStatus::MakeError("ReplaceAll supports only 24-bit and 32-bit bitmaps. (5136)");
    for (int64_t i = 0; i + 2 < m_Length; i += step) {
        unsigned char* p = m_Buffer.get() + i;
        const bool same = p[0] == b1 && p[1] == g1 && p[2] == r1;
        if (same != other) {
            p[0] = static_cast<unsigned char>(b2);
            p[1] = static_cast<unsigned char>(g2);
            p[2] = static_cast<unsigned char>(r2);
        }
    }
    return CStatus();
}

CStatus CDataBitmap::Blit(int x, int y, const CDataBitmap& source, const CDataBitmap* mask)
{
    const int sw = source.m_InfoHeader.biWidth;
    const int sh = source.m_InfoHeader.biHeight;
    if (mask && (mask->m_InfoHeader.biHeight != sh || mask->m_InfoHeader.biWidth != sw))
        return CStatus::MakeError("Blit source and mask must have the same dimenstions. (5132)");
    if (static_cast<uint32_t>(x) + static_cast<uint32_t>(sw) > static_cast<uint32_t>(m_InfoHeader.biWidth) ||
        static_cast<uint32_t>(y) + static_cast<uint32_t>(sh) > static_cast<uint32_t>(m_InfoHeader.biHeight))
        return CStatus::MakeError("Blit source will not fit at X,Y location. (5131)");
    if (x < 0 || y < 0) return CStatus::MakeError("Blit origin must be >= 0. (5130)");
    if (sw <= 0 || sh <= 0) return CStatus();  // no pixel to copy
    const int64_t lastSource = source.PixelOffset(sw - 1, sh - 1);
    // Every pixel takes at least one byte (which bounds the work by the
    // buffer size), and the farthest pixel lies inside each buffer.
    if (static_cast<int64_t>(sw) * sh > source.m_Length ||
        !Covers(PixelOffset(static_cast<int64_t>(x) + sw - 1, static_cast<int64_t>(y) + sh - 1), 3) ||
        !source.Covers(lastSource, 3) || (mask && !mask->Covers(lastSource, 3)))
        return CStatus::MakeError(kOutsideBuffer);
    for (int n = 0; n < sh; ++n) {
        for (int c = 0; c < sw; ++c) {
            unsigned char* d = m_Buffer.get() + PixelOffset(static_cast<int64_t>(x) + c, static_cast<int64_t>(y) + n);
            const int64_t s = source.PixelOffset(c, n);
            const unsigned char* src = source.m_Buffer.get() + s;
            for (int k = 0; k < 3; ++k) {
                const unsigned char m = mask ? mask->m_Buffer[s + k] : 255;
                if (m != 0) d[k] = static_cast<unsigned char>(src[k] & m);
            }
        }
    }
    return CStatus();
}

CStatus CDataBitmap::FindPattern(int& x, int& y, const CDataBitmap& pattern, bool& found)
{
    return Search(x, y, pattern, 0, 5140, found);
}

CStatus CDataBitmap::Search(int& x, int& y, const CDataBitmap& pattern, int tolerance, int depthCode, bool& found)
{
    found = false;
    const int pw = pattern.m_InfoHeader.biWidth;
    const int ph = pattern.m_InfoHeader.biHeight;
    if (static_cast<uint32_t>(x) + static_cast<uint32_t>(pw) > static_cast<uint32_t>(m_InfoHeader.biWidth) ||
        static_cast<uint32_t>(y) + static_cast<uint32_t>(ph) > static_cast<uint32_t>(m_InfoHeader.biHeight))
        return CStatus();
    if (x < 0 || y < 0) return CStatus().Format(CStatus::Error, "The search start location must be > 0: %d, %d (5133)", x, y);
    if (pattern.m_InfoHeader.biBitCount != m_InfoHeader.biBitCount)
        return CStatus().Format(CStatus::Error, "Bitmap and pattern differ in color depth: %d and %d bits. (%d)",
                                m_InfoHeader.biBitCount, pattern.m_InfoHeader.biBitCount, depthCode);
    const almanac::PixelView image = Pixels();
    const almanac::PixelView view = pattern.Pixels();
    switch (almanac::CheckSearchRange(image, view, x, y)) {
    case almanac::SearchRange::Empty: return CStatus();
    case almanac::SearchRange::OutsideBuffer: return CStatus::MakeError(kOutsideBuffer);
    case almanac::SearchRange::Ready: break;
    }
    int fx = 0, fy = 0;
    const bool hit = tolerance == 0 ? almanac::FindPattern(image, view, x, y, fx, fy)
                                    : almanac::FindSimilar(image, view, x, y, tolerance, fx, fy);
    if (hit) {
        x = fx;
        y = fy;
        found = true;
    }
    return CStatus();
}

void CDataBitmap::ZeroPixels()
{
    if (m_Length > 0) std::memset(m_Buffer.get(), 0, static_cast<size_t>(m_Length));
}

void CDataBitmap::Invert()
{
    const bool keepFourth = m_InfoHeader.biBitCount > 24;
    for (int i = 0; i < m_Length; ++i) {
        if (keepFourth && i % 4 == 3) continue;
        m_Buffer[i] = static_cast<unsigned char>(255 - m_Buffer[i]);
    }
}

CData* CDataBitmap::operator_equal(CData* other, OpInfoT*)
{
    CopyData(other);
    return this;
}

bool CDataBitmap::CopyData(CData* other)
{
    if (!other || other->GetType() != GetType()) return false;
    if (other == this) return true;
    CDataBitmap* source = static_cast<CDataBitmap*>(other);
    SetBitmap(source->m_FileHeader, source->m_InfoHeader, source->m_Buffer.get(), source->m_Length);
    // An empty source still hands over its headers, so that a copy never
    // keeps the size of the image it held before.
    m_FileHeader = source->m_FileHeader;
    m_InfoHeader = source->m_InfoHeader;
    return true;
}

bool CDataBitmap::DataFromString(const String&) { return false; }

String CDataBitmap::GetString() { return "Bitmap"; }

int CDataBitmap::SizeOf() { return 0; }

CStatus CDataBitmap::operator_compare(CData* other, int& out)
{
    if (!other || other->GetType() != GetType()) return CData::operator_compare(other, out);
    const CDataBitmap* b = static_cast<const CDataBitmap*>(other);
    const bool differ = m_InfoHeader.biSizeImage != b->m_InfoHeader.biSizeImage || m_Length != b->m_Length ||
                        (m_Length > 0 && std::memcmp(m_Buffer.get(), b->m_Buffer.get(), static_cast<size_t>(m_Length)) != 0);
    out = differ ? -1 : 0;
    return CStatus();
}
