#include "TreePrinter.h"

#include <cstdio>

namespace spy {

namespace {

void Indent(int depth, std::string& out)
{
    out.append(static_cast<size_t>(depth) * 3, ' ');
}

std::string Flags(const WindowNode& node)
{
    std::string flags = node.visible ? "visible" : "hidden";
    flags += node.enabled ? " enabled" : " disabled";
    const DWORD style = node.style;
    if ((style & WS_CHILD) && (style & WS_TABSTOP)) flags += " tabstop";
    if ((style & WS_CHILD) && (style & WS_GROUP)) flags += " group";
    if (node.windowClass == "Button") {
        switch (style & BS_TYPEMASK) {
        case BS_DEFPUSHBUTTON: flags += " default"; break;
        case BS_CHECKBOX: case BS_AUTOCHECKBOX: flags += " checkbox"; break;
        case BS_3STATE: case BS_AUTO3STATE: flags += " 3state"; break;
        case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON: flags += " radio"; break;
        case BS_GROUPBOX: flags += " groupbox"; break;
        case BS_OWNERDRAW: flags += " ownerdraw"; break;
        default: break;
        }
    }
    if (node.checkState == BST_CHECKED) flags += " checked";
    if (node.checkState == BST_INDETERMINATE) flags += " indeterminate";
    if (node.windowClass == "Edit") {
        if (style & ES_READONLY) flags += " readonly";
        if (style & ES_MULTILINE) flags += " multiline";
        if (style & ES_PASSWORD) flags += " password";
    }
    if (!(style & WS_CHILD) && (node.exStyle & WS_EX_TOPMOST)) flags += " topmost";
    return flags;
}

}  // namespace

std::string TreePrinter::Quote(const std::string& text)
{
    std::string shown;
    for (char c : text) {
        if (c == '\r') shown += "\\r";
        else if (c == '\n') shown += "\\n";
        else if (c == '\t') shown += "\\t";
        else if (c == '"') shown += "\\\"";
        else shown += c;
    }
    if (shown.size() > kTextLimit) shown = shown.substr(0, kTextLimit) + "...";
    return "\"" + shown + "\"";
}

std::string TreePrinter::WindowLine(const WindowNode& node)
{
    char head[64];
    std::snprintf(head, sizeof head, "0x%08llX ", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(node.hwnd)));
    char geometry[96];
    std::snprintf(geometry, sizeof geometry, " id=%d rect=(%ld,%ld)-(%ld,%ld) ", node.id, node.rect.left,
                  node.rect.top, node.rect.right, node.rect.bottom);
    return head + node.windowClass + " " + Quote(node.text) + geometry + "[" + Flags(node) + "] tag=[" +
           std::to_string(node.position) + "]";
}

void TreePrinter::PrintMenu(const std::vector<MenuNode>& items, int depth, std::string& out)
{
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuNode& item = items[i];
        Indent(depth, out);
        out += "[" + std::to_string(i) + "] ";
        if (item.separator && !item.submenu) {
            out += "separator\n";
            continue;
        }
        out += Quote(item.text);
        if (item.submenu) out += " submenu";
        else out += " id=" + std::to_string(item.id);
        if (item.checked) out += " checked";
        if (item.disabled) out += " disabled";
        out += '\n';
        if (item.submenu) PrintMenu(item.items, depth + 1, out);
    }
}

void TreePrinter::PrintNode(const WindowNode& node, int depth, int limit, std::string& out)
{
    Indent(depth, out);
    out += WindowLine(node) + '\n';
    if (node.itemCount >= 0) {
        for (size_t i = 0; i < node.items.size() && static_cast<int>(i) < limit; ++i) {
            Indent(depth + 1, out);
            out += "item " + std::to_string(i) + ": " + Quote(node.items[i]) + '\n';
        }
        const int shown = static_cast<int>(node.items.size()) < limit ? static_cast<int>(node.items.size()) : limit;
        if (node.itemCount > shown) {
            Indent(depth + 1, out);
            out += "... " + std::to_string(node.itemCount - shown) + " more (" + std::to_string(node.itemCount) +
                   " items)\n";
        }
    }
    if (node.hasMenu) {
        Indent(depth + 1, out);
        out += "menu bar\n";
        PrintMenu(node.menu, depth + 2, out);
    }
    for (const WindowNode& child : node.children) PrintNode(child, depth + 1, limit, out);
}

std::string TreePrinter::Print(const WindowNode& top, int limit)
{
    std::string out;
    PrintNode(top, 0, limit, out);
    return out;
}

}  // namespace spy
