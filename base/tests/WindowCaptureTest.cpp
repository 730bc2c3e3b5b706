// Capture of a window's client area into a bitmap value: headers and size
// of the pixel data, row padding, refused inputs; child controls; a
// window's own rendering while another window covers it.
#include "ClassWindow.h"
#include "WindowCapture.h"

#include "DataBitmap.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

TEST(WindowCapture, ClientAreaOfAWindowWithItsHeaders)
{
    RECT frame{0, 0, 200, 100};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, 0);
    HWND wnd = CreateWindowExA(0, "STATIC", "capture", WS_POPUP | WS_BORDER | WS_VISIBLE, 10, 10,
                               frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, nullptr,
                               nullptr);
    ASSERT_NE(wnd, nullptr);
    RECT client{};
    GetClientRect(wnd, &client);
    ASSERT_EQ(client.right, 200);
    ASSERT_EQ(client.bottom, 100);
    CDataWindow w;
    w.foundWindow = wnd;
    CDataBitmap bitmap;
    ASSERT_TRUE(w.CaptureBitmap(bitmap).IsSuccess());
    const auto& info = bitmap.GetInfoHeader();
    const auto& file = bitmap.GetFileHeader();
    EXPECT_EQ(info.biWidth, 200);
    EXPECT_EQ(info.biHeight, 100);
    EXPECT_EQ(info.biPlanes, 1);
    const unsigned row = ((info.biBitCount * 200u + 31) & ~31u) / 8;
    EXPECT_EQ(info.biSizeImage, row * 100);
    EXPECT_EQ(file.bfType, 0x4D42);
    EXPECT_EQ(file.bfOffBits, 54u);
    EXPECT_EQ(file.bfSize, 54u + info.biSizeImage);
    if (info.biBitCount == 32) {
        EXPECT_EQ(info.biSizeImage, 80000u);
        EXPECT_EQ(file.bfSize, 80054u);
        EXPECT_EQ(info.biClrUsed, 0u);
    }
    DestroyWindow(wnd);
    // A window that has gone cannot be captured; the bitmap keeps its image.
    EXPECT_EQ(w.CaptureBitmap(bitmap).GetStatusMessage(), "Could not capture bitmap. (K00411)");
    EXPECT_EQ(bitmap.GetInfoHeader().biWidth, 200);
}

TEST(WindowCapture, RowsArePaddedAndBitFieldsRefused)
{
    HDC screen = GetDC(nullptr);
    HBITMAP image = CreateCompatibleBitmap(screen, 3, 2);
    ASSERT_NE(image, nullptr);
    BITMAPINFOHEADER header{};
    int colorTableBytes = -1;
    auto bits = WindowCapture::DDBToDIB(image, BI_RGB, nullptr, header, colorTableBytes);
    ASSERT_TRUE(bits);
    EXPECT_EQ(header.biWidth, 3);
    EXPECT_EQ(header.biHeight, 2);
    const unsigned row = ((header.biBitCount * 3u + 31) & ~31u) / 8;
    EXPECT_EQ(row % 4, 0u);
    EXPECT_EQ(header.biSizeImage, row * 2);
    EXPECT_EQ(colorTableBytes, header.biBitCount <= 8 ? 4 << header.biBitCount : 0);
    EXPECT_FALSE(WindowCapture::DDBToDIB(image, BI_BITFIELDS, nullptr, header, colorTableBytes));
    // No device context, or an empty area: nothing is captured.
    CDataBitmap bitmap;
    EXPECT_EQ(WindowCapture::WndToBmp(nullptr, SIZE{3, 2}, bitmap), 0);
    EXPECT_EQ(WindowCapture::WndToBmp(screen, SIZE{0, 5}, bitmap), 0);
    EXPECT_EQ(WindowCapture::WndToBmp(screen, SIZE{3, 2}, bitmap), 1);
    EXPECT_EQ(bitmap.GetInfoHeader().biWidth, 3);
    DeleteObject(image);
    ReleaseDC(nullptr, screen);
}

// A popup with a white background and a push button and an edit as
// children; shown and painted.
struct Panel {
    HWND top = nullptr;
    HWND button = nullptr;
    HWND edit = nullptr;
    Panel(int x, int y)
    {
        top = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_WHITERECT, x, y, 240, 120, nullptr,
                              nullptr, nullptr, nullptr);
        button = CreateWindowExA(0, "BUTTON", "Press", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 30, 90, 28, top,
                                 nullptr, nullptr, nullptr);
        edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "some text", WS_CHILD | WS_VISIBLE, 120, 70, 100, 24, top,
                               nullptr, nullptr, nullptr);
        UpdateWindow(top);
        UpdateWindow(button);
        UpdateWindow(edit);
    }
    ~Panel() { DestroyWindow(top); }
};

CDataBitmap Capture(HWND wnd)
{
    CDataWindow w;
    w.foundWindow = wnd;
    CDataBitmap bitmap;
    EXPECT_TRUE(w.CaptureBitmap(bitmap).IsSuccess());
    return bitmap;
}

// The child's rectangle of a capture of its top-level window (rows count
// from the bottom).
CDataBitmap ChildPart(CDataBitmap& whole, HWND top, HWND child)
{
    RECT c{};
    GetClientRect(child, &c);
    POINT origin{0, 0};
    MapWindowPoints(child, top, &origin, 1);
    CDataBitmap part;
    const int y = whole.GetInfoHeader().biHeight - origin.y - c.bottom;
    EXPECT_TRUE(whole.Crop(origin.x, y, c.right, c.bottom, part));
    return part;
}

bool Same(CDataBitmap& a, CDataBitmap& b)
{
    int64_t count = -1;
    return a.GetInfoHeader().biWidth == b.GetInfoHeader().biWidth &&
           a.GetInfoHeader().biHeight == b.GetInfoHeader().biHeight && a.CountDifferences(b, 0, count) &&
           count == 0;
}

TEST(WindowCapture, ChildControlsEqualTheirRectangleOfTheTopLevelWindow)
{
    Panel panel(30, 30);
    ASSERT_NE(panel.edit, nullptr);
    CDataBitmap whole = Capture(panel.top);
    if (whole.GetInfoHeader().biBitCount != 32) GTEST_SKIP() << "the screen is not 32-bit";
    for (HWND child : {panel.button, panel.edit}) {
        CDataBitmap own = Capture(child);
        CDataBitmap part = ChildPart(whole, panel.top, child);
        EXPECT_TRUE(Same(own, part));
    }
}

TEST(WindowCapture, OwnImageIgnoresWhatCoversTheWindow)
{
    Panel panel(300, 40);
    CDataBitmap uncovered = Capture(panel.top);
    if (uncovered.GetInfoHeader().biBitCount != 32) GTEST_SKIP() << "the screen is not 32-bit";
    // A black window over the left half, the button included.
    HWND cover = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_BLACKRECT, 290, 30, 140,
                                 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(cover, nullptr);
    UpdateWindow(cover);
    CDataWindow w;
    w.foundWindow = panel.top;
    CDataBitmap own;
    ASSERT_TRUE(WindowCapture::CaptureOwnImage(w, own).IsSuccess());
    EXPECT_TRUE(Same(own, uncovered));
    DestroyWindow(cover);
    CDataBitmap none;
    EXPECT_EQ(WindowCapture::RenderToBmp(nullptr, none), 0);
}

}  // namespace
