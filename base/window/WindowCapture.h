// Capture of a window's client area, as displayed on the screen, into a
// bitmap value of the standard package: the screen image is copied into an
// off-screen bitmap, converted to device-independent bits and handed over
// with its BMP headers.
#pragma once

#include "KestrelBaseApi.h"

#include <windows.h>

#include <memory>

class CDataBitmap;

namespace WindowCapture {

// Copies the area of `size` at the origin of `dc` into `bitmap`: 1 on
// success, 0 when there is no device context, the area is empty, or
// copying or converting fails.
KESTRELBASE_API int WndToBmp(HDC dc, SIZE size, CDataBitmap& bitmap);

// The device-independent bits of `bitmap` (rows bottom-up, each padded to
// 4 bytes, at the bitmap's depth) and the completed `header`; null when
// `compression` is BI_BITFIELDS (not supported) or the system gives no
// lines. `colorTableBytes` is 4 bytes per colour-table entry.
KESTRELBASE_API std::unique_ptr<unsigned char[]> DDBToDIB(HBITMAP bitmap, DWORD compression, HPALETTE palette,
                                                          BITMAPINFOHEADER& header, int& colorTableBytes);

}  // namespace WindowCapture
