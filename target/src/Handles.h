// Small owning wrappers for the Win32 handles KestrelTarget creates, so that
// every GDI object, device context and file is released on every path.
#pragma once

#include <windows.h>

#include <utility>

namespace kt {

// Owns one handle and releases it with Traits::Release. Move-only.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : handle_(h) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::Valid(handle_); }

    Handle release() { return std::exchange(handle_, Traits::Empty()); }
    void reset(Handle h = Traits::Empty()) {
        if (Traits::Valid(handle_)) Traits::Release(handle_);
        handle_ = h;
    }

private:
    Handle handle_ = Traits::Empty();
};

struct FileTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Release(Handle h) { CloseHandle(h); }
};
using FileHandle = UniqueHandle<FileTraits>;

template <typename T>
struct GdiTraits {
    using Handle = T;
    static Handle Empty() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Release(Handle h) { DeleteObject(h); }
};
using Bitmap = UniqueHandle<GdiTraits<HBITMAP>>;
using Pen = UniqueHandle<GdiTraits<HPEN>>;
using Brush = UniqueHandle<GdiTraits<HBRUSH>>;
using Font = UniqueHandle<GdiTraits<HFONT>>;

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Release(Handle h) { DeleteDC(h); }
};
using MemoryDc = UniqueHandle<MemoryDcTraits>;

// GetDC/ReleaseDC pair for one window.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDc() { if (dc_) ReleaseDC(hwnd_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint/EndPaint pair for WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
    ~PaintDc() { EndPaint(hwnd_, &ps_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }
    const RECT& area() const { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// Selects an object into a DC for one scope and restores the previous one.
class SelectIn {
public:
    SelectIn(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
    ~SelectIn() { if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_); }
    SelectIn(const SelectIn&) = delete;
    SelectIn& operator=(const SelectIn&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace kt
