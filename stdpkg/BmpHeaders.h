// The two headers of a Windows BMP file, byte for byte as the system's
// BITMAPFILEHEADER and BITMAPINFOHEADER (little-endian on every target).
#pragma once

#include <cstdint>

#pragma pack(push, 1)
struct tagBMP_FILE_HDR {
    uint16_t bfType;
    uint32_t bfSize;
    uint16_t bfReserved1;
    uint16_t bfReserved2;
    uint32_t bfOffBits;
};
#pragma pack(pop)

struct tagBMP_INFO_HDR {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};

static_assert(sizeof(tagBMP_FILE_HDR) == 14, "BMP file header must be 14 bytes");
static_assert(sizeof(tagBMP_INFO_HDR) == 40, "BMP info header must be 40 bytes");
