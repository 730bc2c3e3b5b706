#include "DrawSurface.h"

#include "EventLog.h"

#include <algorithm>

namespace kt {
namespace {
const char kPrefix[] = "DrawDialog.";
void Log(const char* what, unsigned category) { LogEvent(std::string(kPrefix) + what, category); }
}  // namespace

void DrawSurface::Register(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &DrawSurface::Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_CROSS);
    wc.hbrBackground = nullptr;  // the canvas paints everything
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
}

DrawSurface::~DrawSurface() {
    if (hwnd_ && IsWindow(hwnd_)) SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
    // Put the canvas DC's own bitmap back before both are deleted.
    if (canvasDc_ && originalBitmap_) SelectObject(canvasDc_.get(), originalBitmap_);
}

void DrawSurface::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetPen(RGB(0, 0, 0), 3);
    MakeCanvas();
}

void DrawSurface::MakeCanvas() {
    RECT r{};
    GetClientRect(hwnd_, &r);
    size_ = {std::max<LONG>(r.right, 1), std::max<LONG>(r.bottom, 1)};
    WindowDc screen(hwnd_);
    if (canvasDc_ && originalBitmap_) SelectObject(canvasDc_.get(), originalBitmap_);
    canvasDc_.reset(CreateCompatibleDC(screen.get()));
    canvas_.reset(CreateCompatibleBitmap(screen.get(), size_.cx, size_.cy));
    originalBitmap_ = nullptr;
    if (!canvasDc_ || !canvas_) return;
    originalBitmap_ = SelectObject(canvasDc_.get(), canvas_.get());
    Clear();
}

void DrawSurface::SetPen(COLORREF colour, int width) {
    pen_.reset(CreatePen(PS_SOLID, width, colour));
}

void DrawSurface::Clear() {
    if (!canvasDc_) return;
    RECT all{0, 0, size_.cx, size_.cy};
    FillRect(canvasDc_.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    InvalidateRect(hwnd_, nullptr, FALSE);
}

bool DrawSurface::PutText(int x, int y, const std::string& text) {
    if (x <= 0 || y <= 0 || x >= size_.cx || y >= size_.cy) return false;
    if (!canvasDc_) return true;
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(GetParent(hwnd_), WM_GETFONT, 0, 0));
    SelectIn select(canvasDc_.get(), font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(canvasDc_.get(), TRANSPARENT);
    TextOutA(canvasDc_.get(), x, y, text.c_str(), static_cast<int>(text.size()));
    InvalidateRect(hwnd_, nullptr, FALSE);
    return true;
}

void DrawSurface::Paint() {
    PaintDc dc(hwnd_);
    if (canvasDc_) BitBlt(dc.get(), 0, 0, size_.cx, size_.cy, canvasDc_.get(), 0, 0, SRCCOPY);
}

LRESULT CALLBACK DrawSurface::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Until the dialog attaches its object (after creation, so the creation
    // time move and size are not events) the surface is a plain window.
    auto* self = reinterpret_cast<DrawSurface*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    return self->Handle(msg, wParam, lParam);
}

LRESULT DrawSurface::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
        SetFocus(hwnd_);
        SetCapture(hwnd_);
        drawing_ = true;
        last_ = at;
        Log("LeftButton.Down", kMouse);
        return 0;
    case WM_MOUSEMOVE:
        if (drawing_ && canvasDc_ && pen_) {
            SelectIn select(canvasDc_.get(), pen_.get());
            MoveToEx(canvasDc_.get(), last_.x, last_.y, nullptr);
            LineTo(canvasDc_.get(), at.x, at.y);
            last_ = at;
            InvalidateRect(hwnd_, nullptr, FALSE);
        }
        return 0;
    case WM_LBUTTONUP:
        if (drawing_) {
            drawing_ = false;
            ReleaseCapture();
        }
        Log("LeftButton.Up", kMouse);
        return 0;
    case WM_CAPTURECHANGED:
        drawing_ = false;
        return 0;
    case WM_LBUTTONDBLCLK: Log("LeftButton.DoubleClick", kMouse); return 0;
    case WM_RBUTTONDOWN:
        if (onRightClick) onRightClick(at.x, at.y);
        Log("RightButton.Down", kMouse);
        return 0;
    case WM_RBUTTONUP:     Log("RightButton.Up", kMouse); return 0;
    case WM_RBUTTONDBLCLK: Log("RightButton.DoubleClick", kMouse); return 0;
    case WM_KEYDOWN:       Log("KeyDown", kMisc); return 0;
    case WM_KEYUP:         Log("KeyUp", kMisc); return 0;
    case WM_MOVE:          Log("Move", kMoveSize); return 0;
    case WM_SIZE:
        MakeCanvas();
        Log("Resize", kMoveSize);
        return 0;
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

}  // namespace kt
