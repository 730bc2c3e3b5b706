// Reads a live window and all of its descendants into a WindowNode tree.
// Every message to the application is bounded (squire::SendWithinBound), so
// a hung application makes the read fail with a message, never hang it.
#pragma once

#include "SpyModel.h"

#include <string>

namespace spy {

class WindowReader {
public:
    // How many items of one control are read; the count is always given.
    explicit WindowReader(int itemLimit = 20) : m_ItemLimit(itemLimit) {}

    // False (with a message naming the window) when the window is gone or
    // disappears while it is read, or does not answer in time.
    bool Read(HWND topLevel, WindowNode& out, std::string& error);
    // Only this window, no children, menu or items (ancestor lines of --at).
    static void ReadOne(HWND wnd, HWND topLevel, WindowNode& out);

    // The text of a window read through a bounded WM_GETTEXT; a window that
    // does not answer gives the text the system keeps for it.
    static std::string Text(HWND wnd);
    static std::string ClassOf(HWND wnd);

private:
    bool ReadChildren(WindowNode& node, HWND topLevel, int depth, std::string& error);
    void ReadItems(WindowNode& node);

    int m_ItemLimit;
    int m_Count = 0;
};

// "window 0x1234 (class 'Edit', text 'abc')": how messages name a window.
std::string DescribeWindow(HWND wnd);

}  // namespace spy
