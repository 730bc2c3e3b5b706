#include "WindowObject.h"

bool CWindowObject::Attach(HWND window)
{
    if (!window || !IsWindow(window)) return false;
    m_hWnd = window;
    return true;
}

HWND CWindowObject::Detach()
{
    HWND previous = m_hWnd;
    m_hWnd = nullptr;
    return previous;
}
