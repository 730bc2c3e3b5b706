#include "WindowCapture.h"

#include "ClassWindow.h"
#include "GdiHandles.h"

#include "BmpHeaders.h"
#include "DataBitmap.h"

#include <cstring>
#include <vector>

namespace WindowCapture {

namespace {

int RoundedDepth(int depth)
{
    if (depth <= 1) return 1;
    if (depth <= 4) return 4;
    if (depth <= 8) return 8;
    if (depth <= 16) return 16;
    if (depth <= 24) return 24;
    return depth;
}

// A palette of the 256 system palette entries of a palette-based `dc`.
HPALETTE SystemPalette(HDC dc)
{
    std::vector<unsigned char> storage(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY));
    LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = 256;
    GetSystemPaletteEntries(dc, 0, 256, logical->palPalEntry);
    return CreatePalette(logical);
}

}  // namespace

std::unique_ptr<unsigned char[]> DDBToDIB(HBITMAP bitmap, DWORD compression, HPALETTE palette,
                                          BITMAPINFOHEADER& header, int& colorTableBytes)
{
    colorTableBytes = 0;
    if (compression == BI_BITFIELDS || !bitmap)
        return nullptr;
    if (!palette)
        palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    BITMAP description{};
    if (!GetObject(bitmap, sizeof description, &description))
        return nullptr;
    const int depth = description.bmPlanes * description.bmBitsPixel;
    const int rounded = RoundedDepth(depth);

    // Room for the header and a colour table of up to 256 entries, which
    // the system may fill in.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info{};
    BITMAPINFOHEADER& h = info.header;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = description.bmWidth;
    h.biHeight = description.bmHeight;
    h.biPlanes = 1;
    h.biBitCount = static_cast<WORD>(depth);
    h.biCompression = compression;
    h.biSizeImage = 0;
    h.biClrUsed = rounded < 24 ? (1u << rounded) : 0;
    const int entries = depth <= 8 ? (1 << depth) : 0;
    colorTableBytes = 4 * entries;

    WindowDC screen(nullptr);
    if (!screen.Get())
        return nullptr;
    PaletteSelection selection(screen.Get(), palette);
    BITMAPINFO* asInfo = reinterpret_cast<BITMAPINFO*>(&info);
    GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(h.biHeight), nullptr, asInfo, DIB_RGB_COLORS);
    if (h.biSizeImage == 0) {
        DWORD row = ((static_cast<DWORD>(h.biBitCount) * static_cast<DWORD>(h.biWidth) + 31) & ~31u) / 8;
        h.biSizeImage = row * static_cast<DWORD>(h.biHeight);
        if (compression != BI_RGB)
            h.biSizeImage = h.biSizeImage * 3 / 2;
    }
    if (h.biSizeImage == 0)
        return nullptr;
    std::unique_ptr<unsigned char[]> bits(new (std::nothrow) unsigned char[h.biSizeImage]);
    if (!bits)
        return nullptr;
    int lines = GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(h.biHeight), bits.get(), asInfo,
                          DIB_RGB_COLORS);
    if (lines == 0)
        return nullptr;
    header = h;
    return bits;
}

namespace {

// The colour an off-screen image is filled with before a window is asked
// to render into it: still there everywhere afterwards means the window
// drew nothing.
constexpr COLORREF kUntouched = RGB(1, 254, 3);

// Hands the pixels of `image` (deselected) to `bitmap` with BMP headers.
int ImageToBitmap(HBITMAP image, HPALETTE palette, CDataBitmap& bitmap);

// Under Wine every window draws into a surface of its own, which the
// window's device context reads whatever covers it on the screen; its
// PrintWindow, though, leaves out child controls.
bool RunningUnderWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

#ifndef PW_RENDERFULLCONTENT
#define PW_RENDERFULLCONTENT 0x00000002
#endif

}  // namespace

int WndToBmp(HDC dc, SIZE size, CDataBitmap& bitmap) { return WndToBmpAt(dc, POINT{0, 0}, size, bitmap); }

int WndToBmpAt(HDC dc, POINT origin, SIZE size, CDataBitmap& bitmap)
{
    if (!dc || size.cx <= 0 || size.cy <= 0)
        return 0;
    MemoryDC memory(dc);
    GdiObject<HBITMAP> image(CreateCompatibleBitmap(dc, size.cx, size.cy));
    if (!memory.Get() || !image.Get())
        return 0;
    GdiObject<HPALETTE> palette((GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) ? SystemPalette(dc) : nullptr);
    {
        ObjectSelection selection(memory.Get(), image.Get());
        if (!selection.Selected())
            return 0;
        if (!BitBlt(memory.Get(), 0, 0, size.cx, size.cy, dc, origin.x, origin.y, SRCCOPY))
            return 0;
    }  // the bitmap is deselected before it is read
    return ImageToBitmap(image.Get(), palette.Get(), bitmap);
}

int RenderToBmp(HWND window, CDataBitmap& bitmap)
{
    RECT client{};
    if (!window || RunningUnderWine() || !GetClientRect(window, &client))
        return 0;
    const SIZE size{client.right - client.left, client.bottom - client.top};
    WindowDC dc(window);
    if (!dc.Get() || size.cx <= 0 || size.cy <= 0)
        return 0;
    MemoryDC memory(dc.Get());
    GdiObject<HBITMAP> image(CreateCompatibleBitmap(dc.Get(), size.cx, size.cy));
    if (!memory.Get() || !image.Get())
        return 0;
    {
        ObjectSelection selection(memory.Get(), image.Get());
        if (!selection.Selected())
            return 0;
        GdiObject<HBRUSH> untouched(CreateSolidBrush(kUntouched));
        RECT all{0, 0, size.cx, size.cy};
        FillRect(memory.Get(), &all, untouched.Get());
        if (!PrintWindow(window, memory.Get(), PW_CLIENTONLY | PW_RENDERFULLCONTENT))
            return 0;
        GdiFlush();
        // A window that rendered itself changed at least one pixel.
        bool drawn = false;
        for (int y = 0; y < size.cy && !drawn; y += 1 + size.cy / 16)
            for (int x = 0; x < size.cx && !drawn; x += 1 + size.cx / 16)
                drawn = GetPixel(memory.Get(), x, y) != kUntouched;
        if (!drawn)
            return 0;
    }
    return ImageToBitmap(image.Get(), nullptr, bitmap);
}

namespace {

int ImageToBitmap(HBITMAP image, HPALETTE palette, CDataBitmap& bitmap)
{
    BITMAPINFOHEADER info{};
    int colorTableBytes = 0;
    std::unique_ptr<unsigned char[]> bits = DDBToDIB(image, BI_RGB, palette, info, colorTableBytes);
    if (!bits)
        return 0;
    tagBMP_FILE_HDR fileHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfSize = 14 + info.biSize + info.biSizeImage;
    fileHeader.bfOffBits = info.biSize + 14;
    tagBMP_INFO_HDR infoHeader{};
    infoHeader.biSize = info.biSize;
    infoHeader.biWidth = info.biWidth;
    infoHeader.biHeight = info.biHeight;
    infoHeader.biPlanes = info.biPlanes;
    infoHeader.biBitCount = info.biBitCount;
    infoHeader.biCompression = info.biCompression;
    infoHeader.biSizeImage = info.biSizeImage;
    infoHeader.biXPelsPerMeter = info.biXPelsPerMeter;
    infoHeader.biYPelsPerMeter = info.biYPelsPerMeter;
    infoHeader.biClrUsed = info.biClrUsed;
    infoHeader.biClrImportant = info.biClrImportant;
    bitmap.SetBitmap(fileHeader, infoHeader, bits.get(), static_cast<int>(info.biSizeImage));
    return 1;
}

}  // namespace

}  // namespace WindowCapture

CStatus WindowCapture::CaptureOwnImage(CDataWindow& window, CDataBitmap& bitmap)
{
    if (window.foundWindow && RenderToBmp(window.foundWindow, bitmap))
        return CStatus::MakeOK();
    return window.CaptureBitmap(bitmap);
}

CStatus CDataWindow::CaptureBitmap(CDataBitmap& bitmap)
{
    if (!foundWindow || !IsWindow(foundWindow))
        return CStatus::MakeError("Could not capture bitmap. (K00411)");
    RECT client{};
    GetClientRect(foundWindow, &client);
    WindowDC dc(foundWindow);
    if (!dc.Get())
        return CStatus::MakeError("Could not capture bitmap. (K00418)");
    SIZE size{client.right - client.left, client.bottom - client.top};
    if (WindowCapture::WndToBmp(dc.Get(), size, bitmap))
        return CStatus::MakeOK();
    // Under Wine a copy from a child window's own device context fails,
    // while the top-level window's context shows the child at its offset:
    // the same pixels.
    HWND top = GetAncestor(foundWindow, GA_ROOT);
    if (top && top != foundWindow) {
        POINT origin{0, 0};
        MapWindowPoints(foundWindow, top, &origin, 1);
        WindowDC topDc(top);
        if (topDc.Get() && WindowCapture::WndToBmpAt(topDc.Get(), origin, size, bitmap))
            return CStatus::MakeOK();
    }
    return CStatus::MakeError("Could not capture bitmap. (K00419)");
}
