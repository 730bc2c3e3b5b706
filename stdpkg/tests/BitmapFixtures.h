// Small bitmaps for the tests: unpadded rows, headers filled as a capture
// fills them.
#pragma once

#include "DataBitmap.h"

#include <cstdint>
#include <vector>

inline void MakeHeaders(int width, int height, int bitCount, uint32_t sizeImage, tagBMP_FILE_HDR& fh,
                        tagBMP_INFO_HDR& ih)
{
    fh = tagBMP_FILE_HDR{};
    ih = tagBMP_INFO_HDR{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = 54;
    fh.bfSize = 54 + sizeImage;
    ih.biSize = 40;
    ih.biWidth = width;
    ih.biHeight = height;
    ih.biPlanes = 1;
    ih.biBitCount = static_cast<uint16_t>(bitCount);
    ih.biSizeImage = sizeImage;
}

// A bitmap whose buffer holds exactly stride * height bytes of fill, or
// `bytes` bytes when given.
inline void MakeBitmap(CDataBitmap& b, int width, int height, int bitCount, unsigned char fill = 0, int bytes = -1)
{
    const int size = bytes >= 0 ? bytes : width * height * (bitCount / 8);
    tagBMP_FILE_HDR fh;
    tagBMP_INFO_HDR ih;
    MakeHeaders(width, height, bitCount, static_cast<uint32_t>(size), fh, ih);
    std::vector<unsigned char> bits(static_cast<size_t>(size > 0 ? size : 1), fill);
    b.SetBitmap(fh, ih, bits.data(), size);
}
