#include "WindowReader.h"

#include "AgentQuery.h"
#include "MenuReader.h"
#include "ResponseBound.h"

#include <commctrl.h>

#include <cstdio>
#include <map>

namespace spy {

namespace {

// Trees past this many windows are not read further: a guard against an
// application that makes windows faster than they can be read.
constexpr int kMaxWindows = 5000;
constexpr int kMaxDepth = 64;
constexpr int kTextLimit = 4096;

std::string Narrow(const wchar_t* text, int length)
{
    if (length <= 0) return std::string();
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, &out[0], bytes, nullptr, nullptr);
    return out;
}

bool SameProcessBitness(HWND wnd)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return false;
    BOOL theirs = FALSE, ours = FALSE;
    IsWow64Process(process, &theirs);
    IsWow64Process(GetCurrentProcess(), &ours);
    CloseHandle(process);
    return theirs == ours;
}

// The first level of a tree view, read with a text buffer inside the
// application (the agent has no function that lists items).
void ReadTreeRoots(HWND tree, int limit, std::vector<std::string>& items, int& count)
{
    count = 0;
    if (!SameProcessBitness(tree)) return;
    constexpr size_t kText = 512;
    RemoteBuffer buffer(tree, sizeof(TVITEMW) + kText * sizeof(wchar_t));
    if (!buffer.Valid()) return;
    LRESULT item = 0;
    if (!squire::SendWithinBound(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0, item)) return;
    for (; item; ++count) {
        if (count < limit) {
            TVITEMW record{};
            record.mask = TVIF_TEXT;
            record.hItem = reinterpret_cast<HTREEITEM>(item);
            record.pszText = reinterpret_cast<wchar_t*>(buffer.Param(sizeof(TVITEMW)));
            record.cchTextMax = kText;
            wchar_t text[kText] = {};
            LRESULT ok = 0;
            if (buffer.Write(&record, sizeof record) &&
                squire::SendWithinBound(tree, TVM_GETITEMW, 0, buffer.Param(), ok, true) && ok &&
                buffer.Read(text, sizeof text, sizeof(TVITEMW))) {
                text[kText - 1] = 0;
                items.push_back(Narrow(text, lstrlenW(text)));
            } else {
                items.push_back("?");
            }
        }
        LRESULT next = 0;
        if (!squire::SendWithinBound(tree, TVM_GETNEXTITEM, TVGN_NEXT, item, next)) break;
        item = next;
        if (count > 100000) break;
    }
}

// Tool-bar buttons: "id N" with the text when there is one, or separator.
void ReadToolbarButtons(HWND bar, int limit, std::vector<std::string>& items, int& count)
{
    LRESULT n = 0;
    if (!squire::SendWithinBound(bar, TB_BUTTONCOUNT, 0, 0, n)) return;
    count = static_cast<int>(n);
    if (!SameProcessBitness(bar)) return;
    constexpr size_t kText = 256;
    RemoteBuffer buffer(bar, sizeof(TBBUTTON) + kText * sizeof(wchar_t));
    if (!buffer.Valid()) return;
    for (int i = 0; i < count && i < limit; ++i) {
        LRESULT ok = 0;
        TBBUTTON button{};
        if (!squire::SendWithinBound(bar, TB_GETBUTTON, i, buffer.Param(), ok) || !ok ||
            !buffer.Read(&button, sizeof button)) {
            items.push_back("?");
            continue;
        }
        if (button.fsStyle & BTNS_SEP) {
            items.push_back("separator");
            continue;
        }
        std::string line = "id " + std::to_string(button.idCommand);
        wchar_t text[kText] = {};
        LRESULT length = 0;
        if (squire::SendWithinBound(bar, TB_GETBUTTONTEXTW, button.idCommand, buffer.Param(sizeof(TBBUTTON)),
                                    length, true) &&
            length > 0 && length < static_cast<LRESULT>(kText) &&
            buffer.Read(text, sizeof text, sizeof(TBBUTTON)))
            line += " \"" + Narrow(text, static_cast<int>(length)) + "\"";
        if (!(button.fsState & TBSTATE_ENABLED)) line += " disabled";
        if (button.fsState & TBSTATE_CHECKED) line += " checked";
        items.push_back(line);
    }
}

}  // namespace

std::string WindowReader::Text(HWND wnd)
{
    LRESULT length = 0;
    if (!squire::SendWithinBound(wnd, WM_GETTEXTLENGTH, 0, 0, length, true))
        return squire::StoredWindowText(wnd).str();
    if (length <= 0) return std::string();
    if (length > kTextLimit) length = kTextLimit;
    std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = 0;
    if (!squire::SendWithinBound(wnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), copied,
                                 true))
        return squire::StoredWindowText(wnd).str();
    return Narrow(buffer.data(), lstrlenW(buffer.data()));
}

std::string WindowReader::ClassOf(HWND wnd)
{
    char buffer[1024] = {};
    int n = GetClassNameA(wnd, buffer, sizeof buffer);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n)) : std::string();
}

std::string DescribeWindow(HWND wnd)
{
    char handle[32];
    std::snprintf(handle, sizeof handle, "0x%llX", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(wnd)));
    return std::string("window ") + handle + " (class '" + WindowReader::ClassOf(wnd) + "', text '" +
           squire::StoredWindowText(wnd).str() + "')";
}

void WindowReader::ReadOne(HWND wnd, HWND topLevel, WindowNode& out)
{
    out.hwnd = wnd;
    out.windowClass = ClassOf(wnd);
    out.text = Text(wnd);
    out.style = static_cast<DWORD>(GetWindowLongPtrA(wnd, GWL_STYLE));
    out.exStyle = static_cast<DWORD>(GetWindowLongPtrA(wnd, GWL_EXSTYLE));
    out.id = (out.style & WS_CHILD) ? static_cast<int>(GetWindowLongPtrA(wnd, GWLP_ID)) : 0;
    out.visible = IsWindowVisible(wnd) != 0;
    out.enabled = IsWindowEnabled(wnd) != 0;
    if (out.windowClass == "Button") {
        const DWORD kind = out.style & BS_TYPEMASK;
        LRESULT state = 0;
        if (kind != BS_PUSHBUTTON && kind != BS_DEFPUSHBUTTON && kind != BS_GROUPBOX && kind != BS_OWNERDRAW &&
            squire::SendWithinBound(wnd, BM_GETCHECK, 0, 0, state))
            out.checkState = static_cast<int>(state);
    }
    RECT origin{}, own{};
    GetWindowRect(topLevel, &origin);
    GetWindowRect(wnd, &own);
    out.rect = {own.left - origin.left, own.top - origin.top, own.right - origin.left, own.bottom - origin.top};
    // The position among the parent's children of the same class, counted
    // the way the lookup counts (the system's order).
    HWND parent = (out.style & WS_CHILD) ? GetParent(wnd) : nullptr;
    out.position = 0;
    HWND found = nullptr;
    for (int n = 1; n <= 100000; ++n) {
        found = FindWindowExA(parent, found, out.windowClass.c_str(), nullptr);
        if (!found) break;
        if (found == wnd) {
            out.position = n;
            break;
        }
    }
}

void WindowReader::ReadItems(WindowNode& node)
{
    const std::string& cls = node.windowClass;
    std::string error;
    int count = -1;
    auto readAll = [&](const char* handlerClass, const char* countFn, const char* textFn, bool column) {
        if (!AgentInt(node.hwnd, handlerClass, countFn, {}, count, error)) {
            count = -1;
            return;
        }
        for (int i = 0; i < count && i < m_ItemLimit; ++i) {
            std::string text;
            std::vector<int> args{i};
            if (column) args.push_back(0);
            if (!AgentText(node.hwnd, handlerClass, textFn, args, text, error)) text = "?";
            node.items.push_back(text);
        }
    };
    if (cls == "ListBox" || cls == "ComboLBox") readAll("ListBox", "GetCount", "GetElement", false);
    else if (cls == "ComboBox") readAll("ComboBox", "GetCount", "GetElement", false);
    else if (cls == "SysTabControl32") readAll("SysTabControl32", "GetCount", "GetTabText", false);
    else if (cls == "SysListView32") readAll("SysListView32", "GetCount", "GetItemText", true);
    else if (cls == "SysTreeView32") ReadTreeRoots(node.hwnd, m_ItemLimit, node.items, count);
    else if (cls == "ToolbarWindow32") ReadToolbarButtons(node.hwnd, m_ItemLimit, node.items, count);
    else return;
    node.itemCount = count;
}

bool WindowReader::ReadChildren(WindowNode& node, HWND topLevel, int depth, std::string& error)
{
    if (depth > kMaxDepth) return true;
    for (HWND child = GetWindow(node.hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (++m_Count > kMaxWindows) {
            error = DescribeWindow(topLevel) + " has more than " + std::to_string(kMaxWindows) + " windows";
            return false;
        }
        WindowNode childNode;
        ReadOne(child, topLevel, childNode);
        ReadItems(childNode);
        if (!ReadChildren(childNode, topLevel, depth + 1, error)) return false;
        node.children.push_back(std::move(childNode));
    }
    return true;
}

bool WindowReader::Read(HWND topLevel, WindowNode& out, std::string& error)
{
    if (!IsWindow(topLevel)) {
        error = DescribeWindow(topLevel) + " does not exist";
        return false;
    }
    LRESULT ignored = 0;
    if (!squire::SendWithinBound(topLevel, WM_NULL, 0, 0, ignored)) {
        error = squire::NotRespondingMessage(topLevel).str();
        return false;
    }
    m_Count = 0;
    out = WindowNode();
    ReadOne(topLevel, topLevel, out);
    if (!ReadChildren(out, topLevel, 1, error)) return false;
    MenuReader menus;
    out.hasMenu = GetMenu(topLevel) != nullptr;
    if (out.hasMenu && !menus.Read(topLevel, out.menu, error)) return false;
    if (!IsWindow(topLevel)) {
        error = DescribeWindow(topLevel) + " disappeared while it was read";
        return false;
    }
    return true;
}

}  // namespace spy
