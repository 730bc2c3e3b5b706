// Capture of a window's client area, as displayed on the screen, into a
// bitmap value of the standard package: the screen image is copied into an
// off-screen bitmap, converted to device-independent bits and handed over
// with its BMP headers.
#pragma once

#include "KestrelBaseApi.h"
#include "Loom.h"

#include <windows.h>

#include <memory>

class CDataBitmap;
class CDataWindow;

namespace WindowCapture {

// Copies the area of `size` at the origin of `dc` into `bitmap`: 1 on
// success, 0 when there is no device context, the area is empty, or
// copying or converting fails.
KESTRELBASE_API int WndToBmp(HDC dc, SIZE size, CDataBitmap& bitmap);
// The same for the area of `size` at `origin` of `dc`.
KESTRELBASE_API int WndToBmpAt(HDC dc, POINT origin, SIZE size, CDataBitmap& bitmap);

// The client area of `window` as the window draws it itself (PrintWindow),
// whatever covers it on the screen: 1 on success, 0 when the window does
// not render into the given device context (nothing was drawn), the
// capture fails, or under Wine, whose PrintWindow leaves out child
// controls.
KESTRELBASE_API int RenderToBmp(HWND window, CDataBitmap& bitmap);

// The image a baseline check compares: the window's own rendering where
// it gives one, else CaptureBitmap's copy. Under Wine that copy reads the
// window's own surface, so windows covering it do not show either.
KESTRELBASE_API CStatus CaptureOwnImage(CDataWindow& window, CDataBitmap& bitmap);

// The device-independent bits of `bitmap` (rows bottom-up, each padded to
// 4 bytes, at the bitmap's depth) and the completed `header`; null when
// `compression` is BI_BITFIELDS (not supported) or the system gives no
// lines. `colorTableBytes` is 4 bytes per colour-table entry.
KESTRELBASE_API std::unique_ptr<unsigned char[]> DDBToDIB(HBITMAP bitmap, DWORD compression, HPALETTE palette,
                                                          BITMAPINFOHEADER& header, int& colorTableBytes);

}  // namespace WindowCapture
