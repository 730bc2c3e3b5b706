// Small owners of GDI resources: each releases its resource on every path
// out of a scope and cannot be copied.
#pragma once

#include <windows.h>

// A device context from GetDC, released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND wnd) : m_Wnd(wnd), m_DC(GetDC(wnd)) {}
    ~WindowDC() { if (m_DC) ReleaseDC(m_Wnd, m_DC); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return m_DC; }

private:
    HWND m_Wnd;
    HDC m_DC;
};

// A memory device context, deleted with DeleteDC.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatible) : m_DC(CreateCompatibleDC(compatible)) {}
    ~MemoryDC() { if (m_DC) DeleteDC(m_DC); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return m_DC; }

private:
    HDC m_DC;
};

// A GDI object (bitmap, palette), deleted with DeleteObject.
template <typename Handle>
class GdiObject {
public:
    explicit GdiObject(Handle handle = nullptr) : m_Handle(handle) {}
    ~GdiObject() { if (m_Handle) DeleteObject(m_Handle); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    Handle Get() const { return m_Handle; }

private:
    Handle m_Handle;
};

// Selects an object into a device context and selects the previous one
// back at the end of the scope (before the object itself is deleted, when
// declared after it).
class ObjectSelection {
public:
    ObjectSelection(HDC dc, HGDIOBJ object) : m_DC(dc), m_Previous(SelectObject(dc, object)) {}
    ~ObjectSelection() { Restore(); }
    ObjectSelection(const ObjectSelection&) = delete;
    ObjectSelection& operator=(const ObjectSelection&) = delete;
    bool Selected() const { return m_Previous != nullptr && m_Previous != HGDI_ERROR; }
    void Restore()
    {
        if (Selected()) SelectObject(m_DC, m_Previous);
        m_Previous = nullptr;
    }

private:
    HDC m_DC;
    HGDIOBJ m_Previous;
};

// Selects and realises a palette, selecting the previous one back at the end.
class PaletteSelection {
public:
    PaletteSelection(HDC dc, HPALETTE palette) : m_DC(dc), m_Previous(SelectPalette(dc, palette, FALSE))
    {
        RealizePalette(dc);
    }
    ~PaletteSelection() { if (m_Previous) SelectPalette(m_DC, m_Previous, FALSE); }
    PaletteSelection(const PaletteSelection&) = delete;
    PaletteSelection& operator=(const PaletteSelection&) = delete;

private:
    HDC m_DC;
    HPALETTE m_Previous;
};
