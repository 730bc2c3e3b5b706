#include "WindowFunctionTable.h"

#include "ClassWindow.h"

namespace {

// Parameter and result codes: i int, s string, b bool, w window,
// m bitmap (the standard package's type; none while it is not loaded).
const WindowFunctionEntry kWindowFunctions[] = {
    {"MainWin", "AddChild", "ws", 0},
    {"MainWin", "GetText", "", 's'},
    {"MainWin", "SetText", "s", 0},
    {"MainWin", "Maximize", "", 0},
    {"MainWin", "Minimize", "", 0},
    {"MainWin", "Restore", "", 0},
    {"MainWin", "Close", "", 0},
    {"MainWin", "KeyDown", "s", 0},
    {"MainWin", "KeyUp", "s", 0},
    {"MainWin", "BringToTop", "", 0},
    {"MainWin", "SetActive", "", 0},
    {"MainWin", "MoveWin", "ii", 0},
    {"MainWin", "MouseMove", "ii", 0},
    {"MainWin", "MouseClick", "iiii", 0},
    {"MainWin", "TypeKeys", "s", 0},
    {"MainWin", "ResizeWin", "ii", 0},
    {"MainWin", "MainWin", "ss", 'w'},
    {"MainWin", "MainWin", "is", 'w'},
    {"MainWin", "GetHandle", "", 'i'},
    {"MainWin", "SetHandle", "i", 0},
    {"MainWin", "GetWindowX", "", 'i'},
    {"MainWin", "GetWindowY", "", 'i'},
    {"MainWin", "GetWindowWidth", "", 'i'},
    {"MainWin", "GetWindowHeight", "", 'i'},
    {"MainWin", "IsActive", "", 'b'},
    {"MainWin", "Blink", "i", 0},
    {"MainWin", "GetCaretX", "", 'i'},
    {"MainWin", "GetCaretY", "", 'i'},
    {"MainWin", "CaptureBitmap", "", 'm'},
    {"MainWin", "IsEnabled", "", 'b'},
    {"MainWin", "GetChild", "", 'w'},
    {"MainWin", "GetParent", "", 'w'},
    {"MainWin", "GetNextSibling", "", 'w'},
    {"MainWin", "GetPrevSibling", "", 'w'},
    {"MainWin", "GetTopParent", "", 'w'},
    {"SysTabControl32", "GetActiveTab", "", 'i'},
    {"SysTabControl32", "GetTabText", "i", 's'},
    {"SysTabControl32", "SelectTab", "i", 0},
    {"SysTabControl32", "GetCount", "", 'i'},
    {"Button", "Click", "", 0},
    {"Button", "IsSelected", "", 'b'},
    {"Button", "IsChecked", "", 'b'},
    {"ScrollBar", "SetPos", "i", 0},
    {"ScrollBar", "GetPos", "", 'i'},
    {"ScrollBar", "GetMaximum", "", 'i'},
    {"ScrollBar", "GetMinimum", "", 'i'},
    {"SysTreeView32", "GetCount", "", 'i'},
    {"SysTreeView32", "GetSelected", "", 's'},
    {"SysTreeView32", "Select", "s", 0},
    {"SysTreeView32", "Expand", "s", 0},
    {"SysTreeView32", "Collapse", "s", 0},
    {"SysTreeView32", "IsExpanded", "s", 'b'},
    {"SysListView32", "GetCount", "", 'i'},
    {"SysListView32", "GetColumnCount", "", 'i'},
    {"SysListView32", "GetItemText", "ii", 's'},
    {"SysListView32", "GetColumnText", "i", 's'},
    {"SysListView32", "Select", "i", 0},
    {"ComboBox", "GetCount", "", 'i'},
    {"ComboBox", "Select", "i", 0},
    {"ComboBox", "GetElement", "i", 's'},
    {"ListBox", "GetCount", "", 'i'},
    {"ListBox", "GetElement", "i", 's'},
    {"ListBox", "Select", "i", 0},
    {"ListBox", "SelectString", "s", 'b'},
    {"ListBox", "GetSel", "", 'i'},
    {"ToolbarWindow32", "GetCount", "", 'i'},
    {"ToolbarWindow32", "GetRows", "", 'i'},
    {"ToolbarWindow32", "PressButton", "i", 0},
    {"MenuItem", "IsChecked", "", 'b'},
    {"MenuItem", "Select", "", 0},
    {"MenuItem", "IsEnabled", "", 'b'},
    {"MenuItem", "IsSeparator", "", 'b'},
    {"MenuItem", "GetMenuText", "", 's'},
    {"MenuItem", "GetMenuCount", "", 'i'},
    {"Menu", "IsChecked", "", 'b'},
    {"Menu", "Select", "", 0},
    {"Menu", "IsEnabled", "", 'b'},
    {"Menu", "IsSeparator", "", 'b'},
    {"Menu", "GetMenuText", "", 's'},
    {"Menu", "GetMenuCount", "", 'i'},
};

int TypeOf(char code)
{
    switch (code) {
    case 'i': return CDataInt::GetRegisteredType();
    case 's': return CDataString::GetRegisteredType();
    case 'b': return CDataBool::GetRegisteredType();
    case 'w': return CDataWindow::GetRegisteredType();
    case 'm': return Factory_GetTypeByName("bitmap");
    default: return 0;
    }
}

}  // namespace

const WindowFunctionEntry* WindowFunctionRows(int& count)
{
    count = static_cast<int>(sizeof kWindowFunctions / sizeof kWindowFunctions[0]);
    return kWindowFunctions;
}

void RegisterWindowFunctions(CDataWindow& window)
{
    CFunctionDecl decl;
    for (const WindowFunctionEntry& entry : kWindowFunctions) {
        decl.SetName(entry.name);
        if (entry.result)
            decl.SetReturnType(TypeOf(entry.result));
        for (const char* p = entry.params; *p; ++p)
            decl.addType(TypeOf(*p), "");
        decl.SetProcessor(&window);
        String className(entry.windowClass);
        window.AddFunction(decl, className);
        decl.Clear();
    }
}
