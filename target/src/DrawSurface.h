// The drawing surface of the drawing dialog: a child window with a canvas
// bitmap of its own. Left-button drags draw lines with the current pen; a
// right click reports the point to the dialog. Its mouse, key, move and size
// events are logged with the prefix "DrawDialog".
#pragma once

#include "Handles.h"

#include <windows.h>

#include <functional>
#include <string>

namespace kt {

class DrawSurface {
public:
    static constexpr const char* kClassName = "KestrelDrawSurface";
    static void Register(HINSTANCE instance);

    DrawSurface() = default;
    ~DrawSurface();
    DrawSurface(const DrawSurface&) = delete;
    DrawSurface& operator=(const DrawSurface&) = delete;

    // Takes over the surface window `hwnd` (created from the dialog template).
    void Attach(HWND hwnd);

    void SetPen(COLORREF colour, int width);
    void Clear();
    // Draws text with its top-left corner at (x, y); false when the point is
    // not strictly inside the surface.
    bool PutText(int x, int y, const std::string& text);

    std::function<void(int x, int y)> onRightClick;

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void MakeCanvas();
    void Paint();

    HWND hwnd_ = nullptr;
    SIZE size_{};
    MemoryDc canvasDc_;
    Bitmap canvas_;
    HGDIOBJ originalBitmap_ = nullptr;
    Pen pen_;
    bool drawing_ = false;
    POINT last_{};
};

}  // namespace kt
