// PNG files for the bitmap type, through the stb image headers.
//
// A PNG image loads as a 32-bit bitmap with the headers a window capture
// has: rows bottom-up (row 0 is the picture's bottom row), blue, green,
// red, and a fourth byte of 255 minus the pixel's alpha, so an opaque
// picture has 0 there as captures do. Saving writes 24-bit bitmaps as RGB
// and 32-bit bitmaps as RGBA (alpha = 255 minus the fourth byte), so a
// 32-bit bitmap comes back byte for byte.
#pragma once

#include "AlmanacApi.h"
#include "Loom.h"

class CDataBitmap;

namespace almanac {

// Whether the path ends in ".png", in any case.
ALMANAC_API bool HasPngExtension(const String& path);

// Replaces the bitmap's headers and pixels with the file's; on an error
// the bitmap is unchanged. A damaged file is an error (5906), never a
// crash or a huge allocation.
ALMANAC_API CStatus LoadPng(const String& path, CDataBitmap& bitmap);

// Writes a 24-bit or 32-bit bitmap (other depths: 5908).
ALMANAC_API CStatus SavePng(const String& path, const CDataBitmap& bitmap);

// The same on bytes in memory (the fuzz driver's entry point).
ALMANAC_API CStatus DecodePng(const unsigned char* data, int length, CDataBitmap& bitmap);

}  // namespace almanac
