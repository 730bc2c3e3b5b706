// MDI child windows of KestrelTarget: each paints two fixed lines of text.
#pragma once

#include <windows.h>

namespace kt {

class ChildWindow {
public:
    static constexpr const char* kClassName = "KestrelTargetChild";
    static void Register(HINSTANCE instance);
    // Opens a new child in the MDI client; returns it or nullptr.
    static HWND Open(HWND mdiClient);

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
};

}  // namespace kt
