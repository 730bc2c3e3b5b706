// What the spy reads from a live application: a window with its children,
// the items of its list-like controls and its menu bar. Plain data, filled
// by WindowReader and MenuReader, written out by TreePrinter and DecWriter.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace spy {

struct MenuNode {
    std::string text;
    unsigned id = 0;  // command identifier; 0xFFFFFFFF for a submenu
    bool checked = false;
    bool disabled = false;
    bool separator = false;
    bool submenu = false;
    std::vector<MenuNode> items;  // a submenu's items
};

struct WindowNode {
    HWND hwnd = nullptr;
    std::string windowClass;
    std::string text;
    int id = 0;
    RECT rect{};  // relative to the top-level window's upper left corner
    DWORD style = 0;
    DWORD exStyle = 0;
    bool visible = false;
    bool enabled = false;
    int position = 0;  // among the parent's children of the same class, from 1
    int checkState = -1;  // check boxes and radio buttons: BST_* ; -1 otherwise

    // Items of list boxes, combo boxes, tabs, tool bars and the first level
    // of tree and list views: the first ones read, and how many there are.
    std::vector<std::string> items;
    int itemCount = -1;  // -1: not a control with items, or not readable

    bool hasMenu = false;
    std::vector<MenuNode> menu;
    std::vector<WindowNode> children;

    // Chosen by DecWriter: the tag that finds this window.
    std::string tag;
    int tagNumber = 0;
    bool tagVerified = false;
};

}  // namespace spy
