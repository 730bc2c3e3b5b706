// CWindowObject: the agent's stand-in for a framework window wrapper. It
// refers to a window it does not own: attaching never creates the window and
// detaching (or destroying the object) never destroys it.
#pragma once

#include <windows.h>

class CWindowObject {
public:
    CWindowObject() = default;
    ~CWindowObject() { Detach(); }
    CWindowObject(const CWindowObject&) = delete;
    CWindowObject& operator=(const CWindowObject&) = delete;

    // Refers to window from now on. Fails, and stays detached, for a null
    // handle or one that names no window.
    bool Attach(HWND window);
    // Forgets the window; returns the handle it held (null when none).
    HWND Detach();
    HWND Handle() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
};
