// Menu functions on a menu of this process, and on KestrelTarget's menu bar
// from outside (where Wine lets only the owner read its menus).
#include "MenuFunctions.h"
#include "MenuRemote.h"
#include "TargetProcess.h"

#include <gtest/gtest.h>

namespace {

// A top-level window with File (Open 101, separator, Gone 102 grayed,
// Ticked 103 checked) and a submenu Recent at position 4.
class MenuWindow {
public:
    MenuWindow()
    {
        HMENU file = CreatePopupMenu();
        AppendMenuA(file, MF_STRING, 101, "&Open");
        AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(file, MF_STRING | MF_GRAYED, 102, "Gone");
        AppendMenuA(file, MF_STRING | MF_CHECKED, 103, "Ticked");
        HMENU recent = CreatePopupMenu();
        AppendMenuA(recent, MF_STRING, 104, "one.txt");
        AppendMenuA(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "Recent");
        HMENU bar = CreateMenu();
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
        m_Window = CreateWindowExA(0, "STATIC", "menus", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, bar,
                                   GetModuleHandleA(nullptr), nullptr);
    }
    ~MenuWindow() { DestroyWindow(m_Window); }
    HWND Get() const { return m_Window; }

private:
    HWND m_Window;
};

// Runs a menu function on the item at (submenus, item) of window.
SSI_FunctionAPI* RunOn(SSI_FunctionAPI& call, HWND window, std::vector<int> submenus, int item, const char* name,
                     int returnType)
{
    call.m_FunctionName = name;
    call.InitParams(0);
    if (returnType) call.GetReturnData()->SetType(returnType);
    MenuPath path{submenus, item};
    HMENU menu = nullptr;
    UINT id = 0;
    EXPECT_TRUE(ResolveMenu(window, path, menu, id));
    MenuItemRef ref;
    ref.owner = window;
    ref.menu = menu;
    ref.itemId = id;
    ref.position = item;
    ref.objectName = "Item";
    ref.tagNumber = item;
    RunMenuFunction(call, ref);
    return &call;
}

String Value(SSI_FunctionAPI& call)
{
    CData* d = call.GetReturnData()->GetWorkingData();
    return d ? d->GetString() : String("<none>");
}

}  // namespace

TEST(MenuFunctionsTest, StatesTextsAndCountsOfItems)
{
    MenuWindow w;
    ASSERT_TRUE(CanReadMenu(w.Get()));
    const int b = CDataBool::GetRegisteredType();
    {
        SSI_FunctionAPI c;
        EXPECT_EQ(Value(*RunOn(c, w.Get(), {0}, 0, "IsEnabled", b)), "true");
    }
    {
        SSI_FunctionAPI c;
        EXPECT_EQ(Value(*RunOn(c, w.Get(), {0}, 2, "IsEnabled", b)), "false");
    }
    {
        SSI_FunctionAPI c;
        EXPECT_EQ(Value(*RunOn(c, w.Get(), {0}, 3, "IsChecked", b)), "true");
    }
    {
        SSI_FunctionAPI c;
        EXPECT_EQ(Value(*RunOn(c, w.Get(), {0}, 1, "IsSeparator", b)), "true");
    }
    {
        SSI_FunctionAPI c;
        EXPECT_EQ(Value(*RunOn(c, w.Get(), {0}, 0, "GetMenuText", CDataString::GetRegisteredType())), "&Open");
    }
    {
        // A position that opens a submenu is read by position, not as command 0xFFFFFFFF.
        SSI_FunctionAPI c;
        EXPECT_EQ(Value(*RunOn(c, w.Get(), {0}, 4, "GetMenuText", CDataString::GetRegisteredType())), "Recent");
        SSI_FunctionAPI d;
        EXPECT_EQ(Value(*RunOn(d, w.Get(), {0}, 4, "IsEnabled", b)), "true");
    }
    {
        SSI_FunctionAPI c;
        EXPECT_EQ(Value(*RunOn(c, w.Get(), {0, 4}, 0, "GetMenuCount", CDataInt::GetRegisteredType())), "1");
    }
    {
        SSI_FunctionAPI c;
        RunOn(c, w.Get(), {0}, 0, "Maximize", 0);
        EXPECT_EQ(c.m_ReturnStatus.GetStatusMessage(), "Function 'Maximize' not supported by menus. (K00201)");
    }
    MenuPath missing{{7}, 0};
    HMENU menu = nullptr;
    UINT id = 0;
    EXPECT_FALSE(ResolveMenu(w.Get(), missing, menu, id));
    SSI_FunctionAPI invalid;
    invalid.m_FunctionName = "Select";
    MenuItemRef gone;
    gone.owner = w.Get();
    gone.itemId = 101;
    gone.objectName = "Open";
    gone.tagNumber = 2;
    RunMenuFunction(invalid, gone);
    EXPECT_EQ(invalid.m_ReturnStatus.GetStatusMessage(), "Invalid Menu 'Open' (Tag = 2). (K00200)");
}

TEST(MenuFunctionsTest, MenusOfAnotherProcessRunInsideIt)
{
    kt::test::TargetProcess target;
    ASSERT_NE(target.frame(), nullptr);
    // WINE_DIFFERENCE: Wine keeps menus inside the process that made them; Windows does not.
    const bool underWine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    EXPECT_EQ(CanReadMenu(target.frame()), !underWine);

    SSI_FunctionAPI text;
    text.m_FunctionName = "GetMenuText";
    text.InitParams(0);
    text.GetReturnData()->SetType(CDataString::GetRegisteredType());
    RunMenuFunctionRemote(text, target.frame(), MenuPath{{1}, 3}, "ListView", 3, "not found");
    ASSERT_TRUE(text.m_ReturnStatus.IsSuccess()) << text.m_ReturnStatus.GetStatusMessage().c_str();
    EXPECT_EQ(Value(text), "List&View");

    SSI_FunctionAPI missing;
    missing.m_FunctionName = "IsEnabled";
    missing.InitParams(0);
    missing.GetReturnData()->SetType(CDataBool::GetRegisteredType());
    RunMenuFunctionRemote(missing, target.frame(), MenuPath{{9}, 0}, "Nothing", 0,
                          "Window 'Nothing' not found (Class='MenuItem', Tag=''). (K00100)");
    EXPECT_EQ(missing.m_ReturnStatus.GetStatusMessage(),
              "Window 'Nothing' not found (Class='MenuItem', Tag=''). (K00100)");

    // Select posts the command: the List View dialog opens.
    SSI_FunctionAPI select;
    select.m_FunctionName = "Select";
    select.InitParams(0);
    RunMenuFunctionRemote(select, target.frame(), MenuPath{{1}, 3}, "ListView", 3, "not found");
    ASSERT_TRUE(select.m_ReturnStatus.IsSuccess()) << select.m_ReturnStatus.GetStatusMessage().c_str();
    EXPECT_NE(target.WaitTopLevel("List View Dialog"), nullptr);
}
