#include "ChildWindow.h"

#include "Handles.h"
#include "resource.h"

#include <string>

namespace kt {

void ChildWindow::Register(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &ChildWindow::Proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDR_CHILDFRAME));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
}

HWND ChildWindow::Open(HWND mdiClient) {
    // Numbered like new documents: KestrelTarget1, KestrelTarget2, ...
    static int counter = 0;
    std::string title = "KestrelTarget" + std::to_string(++counter);
    MDICREATESTRUCTA create{};
    create.szClass = kClassName;
    create.szTitle = title.c_str();
    create.hOwner = GetModuleHandleA(nullptr);
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    return reinterpret_cast<HWND>(
        SendMessageA(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&create)));
}

LRESULT CALLBACK ChildWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) {
        PaintDc dc(hwnd);
        static const char kFirst[] = "Kestrel Target Child Window";
        static const char kSecond[] = "Hello Kestrel User!";
        SetBkMode(dc.get(), TRANSPARENT);
        TextOutA(dc.get(), 10, 10, kFirst, sizeof kFirst - 1);
        TextOutA(dc.get(), 10, 30, kSecond, sizeof kSecond - 1);
        return 0;
    }
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}

}  // namespace kt
