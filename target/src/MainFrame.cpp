#include "MainFrame.h"

#include "ChildWindow.h"
#include "Dialogs.h"
#include "EventLog.h"
#include "resource.h"

#include <commctrl.h>

#include <string>

namespace kt {
namespace {

// The Controls commands: pick event (after "KestrelTarget.Controls.") and
// the dialog each one runs.
struct ControlsCommand {
    int id;
    const char* pick;
    void (*run)(HWND owner);
};

const ControlsCommand kControlsCommands[] = {
    {ID_CONTROLS_TREEVIEW, "TreeView.Pick()", &RunTreeViewDialog},
    {ID_CONTROLS_LISTBOX, "ListBox.Pick", &RunListBoxDialog},
    {ID_CONTROLS_DRAWING, "Drawing.Pick", &RunDrawingDialog},
    {ID_CONTROLS_LISTVIEW, "ListView.Pick", &RunListViewDialog},
    {ID_CONTROLS_CHECKBOX, "CheckBox.Pick", &RunCheckBoxDialog},
    {ID_CONTROLS_RADIO, "RadioButton.Pick", &RunRadioDialog},
    {ID_CONTROLS_COMBOBOX, "ComboBox.Pick", &RunComboBoxDialog},
    {ID_CONTROLS_PAGELIST, "PageList.Pick", &RunPageListDialog},
    {ID_CONTROLS_PUSHBUTTON, "PushButton.Pick", &RunButtonDialog},
    {ID_CONTROLS_SCROLLBARS, "ScrollBars.Pick", &RunScrollBarDialog},
    {ID_CONTROLS_STATICTEXT, "StaticText.Pick", &RunStaticDialog},
    {ID_CONTROLS_EDITBOX, "EditBox.Pick", &RunEditDialog},
    {ID_CONTROLS_KEYBOARD, "KeyBoard.Pick", &RunKeyboardDialog},
    {ID_CONTROLS_CURSORS, "Cursors.Pick", &RunCursorDialog},
    {ID_CONTROLS_STATUSBAR, "StatusBar.Pick", &RunStatusBarDialog},
    {ID_CONTROLS_DRAGDROP, "Drag&Drop.Pick", &RunDragDropDialog},
    {ID_CONTROLS_TEXTFIELD, "TextField.Pick", &RunTextFieldDialog},
};

// Menus commands and their pick events ("KestrelTarget.Menus." + name).
struct MenusCommand {
    int id;
    const char* name;
};

const MenusCommand kMenusCommands[] = {
    {ID_MENUS_ACCEL, "Accel.Pick"},
    {ID_MENUS_CASCADE_ITEM1, "Cascade.Item1.Pick"},
    {ID_MENUS_CASCADE_ITEM2, "Cascade.Item2.Pick"},
    {ID_MENUS_CASCADE2_ITEM1, "Cascade.Cascade.Item1.Pick"},
    {ID_MENUS_CASCADE2_ITEM2, "Cascade.Cascade.Item2.Pick"},
    {ID_MENUS_MENUITEM, "MenuItem.Pick"},
    {ID_MENUS_MENUITEM1, "MenuItem1.Pick"},
    {ID_MENUS_MENUITEM2, "MenuItem2.Pick"},
    {ID_MENUS_GRAPHIC1, "Graphic1.Pick"},
};

// Echo-mask items and the category bit each one toggles.
struct EchoItem {
    int id;
    std::uint32_t bit;
};

const EchoItem kEchoItems[] = {
    {ID_ECHO_CONTROLS, kControls}, {ID_ECHO_MOVESIZE, kMoveSize}, {ID_ECHO_MENUS, kMenus},
    {ID_ECHO_MISC, kMisc},         {ID_ECHO_MOUSE, kMouse},
};

const int kToolbarImageA = 0;
const int kToolbarImageC = 1;

}  // namespace

bool MainFrame::Create(HINSTANCE instance) {
    instance_ = instance;
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                      ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    WNDCLASSA wc{};
    wc.lpfnWndProc = &MainFrame::Proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc)) return false;
    ChildWindow::Register(instance);
    RegisterDrawSurfaceClass(instance);

    accelerators_ = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
    hwnd_ = CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, menu, instance, this);
    if (!hwnd_) {
        if (menu) DestroyMenu(menu);
        return false;
    }
    return true;
}

void MainFrame::Show(int showCommand) {
    ShowWindow(hwnd_, showCommand);
    // A fresh program shows one child window, as after "New". It is opened
    // once the frame is shown: before that the MDI client has no size yet
    // and a child made in it comes up minimised.
    if (client_) ChildWindow::Open(client_);
    UpdateWindow(hwnd_);
}

int MainFrame::Run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (client_ && TranslateMDISysAccel(client_, &msg)) continue;
        if (accelerators_ && hwnd_ && TranslateAcceleratorA(hwnd_, accelerators_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

LRESULT CALLBACK MainFrame::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<MainFrame*>(create->lpCreateParams)->hwnd_ = hwnd;
    }
    auto* self = reinterpret_cast<MainFrame*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefFrameProcA(hwnd, nullptr, msg, wParam, lParam);
    return self->Handle(msg, wParam, lParam);
}

LRESULT MainFrame::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    // A test hook: the registered message "KestrelTarget.Busy" keeps the
    // GUI thread busy for wParam milliseconds (at most 30 s), as a hung
    // application would be, so tests can check that callers stay bounded.
    // Sent rather than posted, it releases the sender as the thread becomes
    // busy, so a test knows the hang has begun before it calls.
    static const UINT busyMessage = RegisterWindowMessageA("KestrelTarget.Busy");
    if (msg == busyMessage) {
        if (InSendMessage()) ReplyMessage(0);
        Sleep(static_cast<DWORD>(wParam < 30000 ? wParam : 30000));
        return 0;
    }
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_SIZE:
        Layout();
        return 0;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam))) return 0;
        break;
    case WM_INITMENUPOPUP:
        // The Lazy Check item gets its mark only when its menu opens, as
        // many applications set their menus' states.
        if (HIWORD(lParam) == FALSE)
            CheckMenuItem(reinterpret_cast<HMENU>(wParam), ID_MENUS_LAZYCHECK, MF_BYCOMMAND | MF_CHECKED);
        break;
    case WM_DESTROY:
        // The last event of a run; the log file is closed right after it.
        LogEvent("KestrelTarget App Exited", kMisc);
        EventLog::Instance().Close();
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        client_ = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefFrameProcA(hwnd_, client_, msg, wParam, lParam);
}

void MainFrame::OnCreate() {
    CreateToolbar();
    HMENU menu = GetMenu(hwnd_);
    CLIENTCREATESTRUCT client{};
    // The MDI client lists its children at the end of the Windows menu.
    client.hWindowMenu = GetSubMenu(menu, GetMenuItemCount(menu) - 2);
    client.idFirstChild = ID_FIRST_MDICHILD;
    client_ = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                              WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL | WS_VISIBLE,
                              0, 0, 0, 0, hwnd_, nullptr, instance_, &client);
    InsertGraphicMenuItem();
    UpdateEchoChecks();
}

void MainFrame::CreateToolbar() {
    toolbar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                               WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT | CCS_TOP,
                               0, 0, 0, 0, hwnd_, nullptr, instance_, nullptr);
    if (!toolbar_) return;
    SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBADDBITMAP bitmap{instance_, IDR_TOOLBAR};
    SendMessageA(toolbar_, TB_ADDBITMAP, 2, reinterpret_cast<LPARAM>(&bitmap));
    TBBUTTON buttons[] = {
        {kToolbarImageA, ID_TOOLBAR_A, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
        {kToolbarImageC, ID_TOOLBAR_C, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
    };
    SendMessageA(toolbar_, TB_ADDBUTTONSA, sizeof buttons / sizeof buttons[0],
                 reinterpret_cast<LPARAM>(buttons));
    SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
}

void MainFrame::InsertGraphicMenuItem() {
    graphic_.reset(LoadBitmapA(instance_, MAKEINTRESOURCEA(IDB_GRAPHIC1)));
    if (!graphic_) return;
    // Right after "&Accel" in the Menus menu.
    HMENU menus = GetSubMenu(GetMenu(hwnd_), 2);
    int count = GetMenuItemCount(menus);
    for (int i = 0; i < count; ++i) {
        if (GetMenuItemID(menus, i) == ID_MENUS_ACCEL) {
            InsertMenuA(menus, i + 1, MF_BYPOSITION | MF_BITMAP, ID_MENUS_GRAPHIC1,
                        reinterpret_cast<LPCSTR>(graphic_.get()));
            break;
        }
    }
    DrawMenuBar(hwnd_);
}

void MainFrame::Layout() {
    RECT area{};
    GetClientRect(hwnd_, &area);
    int top = 0;
    if (toolbar_) {
        SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
        RECT bar{};
        GetWindowRect(toolbar_, &bar);
        top = bar.bottom - bar.top;
    }
    if (client_) MoveWindow(client_, 0, top, area.right, area.bottom - top, TRUE);
}

void MainFrame::Check(int id, bool checked) const {
    CheckMenuItem(GetMenu(hwnd_), id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MainFrame::UpdateEchoChecks() const {
    std::uint32_t mask = EventLog::Instance().EchoMask();
    for (const EchoItem& item : kEchoItems) Check(item.id, (mask & item.bit) != 0);
}

bool MainFrame::OnCommand(int id) {
    EventLog& log = EventLog::Instance();
    switch (id) {
    case ID_ECHO_ALLON:
        log.SetEchoMask(0xFFFFFFFFu);
        UpdateEchoChecks();
        return true;
    case ID_ECHO_ALLOFF:
        log.SetEchoMask(0);
        UpdateEchoChecks();
        return true;
    case ID_LOG_ON:
        log.SetEnabled(true);
        return true;
    case ID_LOG_OFF:
        log.SetEnabled(false);
        return true;
    case ID_APP_EXIT:
        PostMessageA(hwnd_, WM_CLOSE, 0, 0);
        return true;
    case ID_WINDOW_LAZY:
        LogEvent("KestrelTarget.Windows.LazyDialog.Pick", kMenus);
        RunLazyDialog(hwnd_);
        return true;
    case ID_WINDOW_CHILD:
    case ID_FILE_NEW:
        ChildWindow::Open(client_);
        return true;
    case ID_APP_ABOUT:
        RunAboutDialog(hwnd_);
        return true;
    case ID_TOOLBAR_A:
        LogEvent("KestrelTarget.ToolBarA.Pick", kMisc);
        return true;
    case ID_TOOLBAR_C:
        LogEvent("KestrelTarget.ToolBarC.Pick", kMisc);
        return true;
    }
    for (const EchoItem& item : kEchoItems) {
        if (item.id == id) {
            log.ToggleEcho(item.bit);
            UpdateEchoChecks();
            return true;
        }
    }
    return RunControlsCommand(id) || RunMenusCommand(id);
}

bool MainFrame::RunControlsCommand(int id) {
    for (const ControlsCommand& command : kControlsCommands) {
        if (command.id == id) {
            LogEvent(std::string("KestrelTarget.Controls.") + command.pick, kMenus);
            command.run(hwnd_);
            return true;
        }
    }
    return false;
}

bool MainFrame::RunMenusCommand(int id) {
    if (id == ID_MENUS_CHECKED) {
        checked_ = !checked_;
        Check(id, checked_);
        LogEvent("KestrelTarget.Menus.Checked.Pick", kMenus);
        return true;
    }
    if (id == ID_MENUS_DISABLED) return true;  // picks nothing
    if (id == ID_MENUS_LAZYCHECK) {
        LogEvent("KestrelTarget.Menus.LazyCheck.Pick", kMenus);
        return true;
    }
    if (id >= ID_MENUS_MENUITEM3 && id <= ID_MENUS_MENUITEM8) {
        LogEvent("KestrelTarget.Menus.MenuItem" + std::to_string(id - ID_MENUS_MENUITEM3 + 3) + ".Pick",
                 kMenus);
        return true;
    }
    for (const MenusCommand& command : kMenusCommands) {
        if (command.id == id) {
            LogEvent(std::string("KestrelTarget.Menus.") + command.name, kMenus);
            return true;
        }
    }
    return false;
}

}  // namespace kt
