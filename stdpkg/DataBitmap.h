// CDataBitmap: the script type "bitmap", an uncompressed true-colour image
// in memory together with the two BMP headers. Files whose name ends in
// ".png" are read and written as PNG (PngFile.h), all others as BMP.
//
// Pixel model: rows of (biBitCount * biWidth) / 8 bytes lie back to back,
// row 0 first; a pixel's bytes are blue, green, red (and a fourth byte in
// 32-bit images, which the colour operations leave alone).
//
// Headers and buffer may disagree (a file whose biSizeImage is 0 or too
// small, a SetBitmap that kept older headers, bitmaps of different depths).
// No operation ever reads or writes outside a buffer: an operation that
// would fails with "Bitmap pixel data does not cover ... (5139)" before it
// changes anything, and Find on bitmaps of different depths fails with
// (5140). Find and blit also refuse (5139) an image that describes more
// pixels than its buffer has bytes, which bounds their work by the buffer
// size (images of fewer than 8 bits per pixel fall under this). Operations
// on the whole buffer (Clear, Invert, ReplaceAll, comparison) stay within
// it by construction. Offsets are computed in 64 bits and saturate, so
// huge header values cannot overflow them.
#pragma once

#include "AlmanacApi.h"
#include "BitmapSearch.h"
#include "BmpHeaders.h"
#include "Loom.h"
#include "TypeRegistration.h"

#include <cstdint>
#include <memory>

class ALMANAC_API CDataBitmap : public CData {
public:
    CDataBitmap();
    // Copies own their buffer: two bitmaps never share one.
    CDataBitmap(const CDataBitmap& other);
    CDataBitmap& operator=(const CDataBitmap& other);
    ~CDataBitmap() override;

    LOOM_VALUE_TYPE_MEMBERS;

    // Frees the buffer; the headers stay.
    void Clear();
    // Clear(), then a buffer of size bytes (zeroed); 0 when size <= 0.
    int MakeBuffer(int size);
    // Copies size bytes from bits and both headers; 0 (empty bitmap,
    // headers unchanged) when size <= 0 or bits is null.
    int SetBitmap(tagBMP_FILE_HDR& fileHeader, tagBMP_INFO_HDR& infoHeader, void* bits, int size);
    // y * stride + x * (biBitCount / 8), no range check.
    int GetPixelIndex(int x, int y);
    CStatus LoadFromFile(String& path);
    CStatus SaveToFile(String& path);

    const tagBMP_FILE_HDR& GetFileHeader() const { return m_FileHeader; }
    const tagBMP_INFO_HDR& GetInfoHeader() const { return m_InfoHeader; }
    const unsigned char* GetBuffer() const { return m_Buffer.get(); }
    unsigned char* GetBuffer() { return m_Buffer.get(); }
    int GetBufferLength() const { return m_Length; }
    // Buffer, length and the header's dimensions, for the search functions.
    almanac::PixelView Pixels() const;

    // The script-visible operations (member functions of the type).
    CStatus GetColorAt(int x, int y, int& red, int& green, int& blue);
    CStatus SetPixels(int x1, int y1, int x2, int y2, int red, int green, int blue);
    // ReplaceAll (other = false) or ReplaceAllOther (other = true).
    CStatus ReplaceColor(bool other, int r1, int g1, int b1, int r2, int g2, int b2);
    // mask may be null.
    CStatus Blit(int x, int y, const CDataBitmap& source, const CDataBitmap* mask);
    // found is false without error when the pattern does not fit at (x, y)
    // or does not occur; on success x and y hold the position found.
    CStatus FindPattern(int& x, int& y, const CDataBitmap& pattern, bool& found);
    // FindPattern where each byte may differ by up to tolerance (0-255,
    // else 5901); depths that differ give 5902.
    CStatus FindSimilar(int& x, int& y, const CDataBitmap& pattern, int tolerance, bool& found);
    // The pixels of equal-sized images of one whole-byte depth that differ
    // by more than tolerance in any byte (5901 to 5904 on bad arguments).
    CStatus CountDifferences(const CDataBitmap& other, int tolerance, int64_t& count) const;
    // This image with the differing pixels solid red and every other pixel
    // faded to a third of its contrast (toward white); 24 and 32 bits only.
    CStatus DiffImage(const CDataBitmap& other, int tolerance, CDataBitmap& diff) const;
    // The width x height rectangle whose bottom-left pixel is (x, y), in
    // this image's coordinates; a rectangle outside the image is 5905.
    CStatus Crop(int x, int y, int width, int height, CDataBitmap& part) const;
    void ZeroPixels();
    void Invert();

    // CData slots.
    CStatus InitData() override;
    void SSI_FunctionProcessor(SSI_FunctionAPI& call) override;
    CStatus operator_compare(CData* other, int& out) override;

    // The member functions' rows (InitData declares them, the processor
    // runs them).
    static const loom::MemberRow<CDataBitmap>* Rows(size_t& count);

private:
    static CStatus OutsideBuffer();
    int64_t Stride() const;
    int64_t PixelOffset(int64_t x, int64_t y) const;
    // True when count bytes from offset lie inside the buffer.
    bool Covers(int64_t offset, int64_t count) const;

    void CallGetColorAt(SSI_FunctionAPI& call);
    void CallSetPixels(SSI_FunctionAPI& call);
    void CallFind(SSI_FunctionAPI& call, bool similar);
    void CallCountDifferences(SSI_FunctionAPI& call);
    void CallDiffImage(SSI_FunctionAPI& call);
    void CallCrop(SSI_FunctionAPI& call);
    // The rules FindPattern and FindSimilar share: fit, then start, then
    // depth (depthCode is the error for differing depths).
    CStatus Search(int& x, int& y, const CDataBitmap& pattern, int tolerance, int depthCode, bool& found);
    // Width, height and depth agree and both buffers cover the pixels.
    CStatus CheckComparable(const CDataBitmap& other, int tolerance) const;
    void CallBlit(SSI_FunctionAPI& call);
    void CallReplace(SSI_FunctionAPI& call, bool other);
    void CallLoadSave(SSI_FunctionAPI& call, bool save);

    std::unique_ptr<unsigned char[]> m_Buffer;
    int m_Length = 0;
    tagBMP_FILE_HDR m_FileHeader{};
    tagBMP_INFO_HDR m_InfoHeader{};

    static int sType;
};
