// Capture of a window's client area into a bitmap value: headers and size
// of the pixel data, row padding, refused inputs.
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

}  // namespace
