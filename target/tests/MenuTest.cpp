// Frame commands: the Menus menu, the tool bar, child windows, About box.
#include "TargetProcess.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace kt::test {
namespace {

using Lines = std::vector<std::string>;

TEST(MenusMenu, EveryCommandLogsItsPickEvent) {
    TargetProcess target;
    const int commands[] = {
        ID_MENUS_ACCEL, ID_MENUS_CASCADE_ITEM1, ID_MENUS_CASCADE_ITEM2, ID_MENUS_CASCADE2_ITEM1,
        ID_MENUS_CASCADE2_ITEM2, ID_MENUS_MENUITEM1, ID_MENUS_MENUITEM2, ID_MENUS_DISABLED,
        ID_MENUS_CHECKED, ID_MENUS_MENUITEM, 32809, 32810, 32811, 32812, 32813, 32814,
        ID_MENUS_GRAPHIC1, ID_MENUS_CHECKED};
    for (int command : commands) target.Send(command);
    EXPECT_EQ(target.WaitLog(17), Lines({
        "KestrelTarget.Menus.Accel.Pick",
        "KestrelTarget.Menus.Cascade.Item1.Pick",
        "KestrelTarget.Menus.Cascade.Item2.Pick",
        "KestrelTarget.Menus.Cascade.Cascade.Item1.Pick",
        "KestrelTarget.Menus.Cascade.Cascade.Item2.Pick",
        "KestrelTarget.Menus.MenuItem1.Pick",
        "KestrelTarget.Menus.MenuItem2.Pick",
        "KestrelTarget.Menus.Checked.Pick",
        "KestrelTarget.Menus.MenuItem.Pick",
        "KestrelTarget.Menus.MenuItem3.Pick",
        "KestrelTarget.Menus.MenuItem4.Pick",
        "KestrelTarget.Menus.MenuItem5.Pick",
        "KestrelTarget.Menus.MenuItem6.Pick",
        "KestrelTarget.Menus.MenuItem7.Pick",
        "KestrelTarget.Menus.MenuItem8.Pick",
        "KestrelTarget.Menus.Graphic1.Pick",
        "KestrelTarget.Menus.Checked.Pick"}));
}

TEST(ToolBar, HasButtonsAAndCThatLogAsMisc) {
    TargetProcess target;
    HWND bar = FindWindowExA(target.frame(), nullptr, TOOLBARCLASSNAMEA, nullptr);
    ASSERT_TRUE(bar);
    EXPECT_GE(SendMessageA(bar, TB_COMMANDTOINDEX, ID_TOOLBAR_A, 0), 0);
    EXPECT_GE(SendMessageA(bar, TB_COMMANDTOINDEX, ID_TOOLBAR_C, 0), 0);

    // Tool-bar clicks reach the frame as its commands.
    target.Send(ID_TOOLBAR_C);
    target.Send(ID_TOOLBAR_A);
    EXPECT_EQ(target.WaitLog(2), Lines({"KestrelTarget.ToolBarC.Pick", "KestrelTarget.ToolBarA.Pick"}));
}

int CountChildren(HWND client) {
    int count = 0;
    for (HWND child = FindWindowExA(client, nullptr, "KestrelTargetChild", nullptr); child;
         child = FindWindowExA(client, child, "KestrelTargetChild", nullptr))
        ++count;
    return count;
}

TEST(Frame, StartsWithOneChildAndOpensMoreWithoutLogging) {
    TargetProcess target;
    HWND client = FindWindowExA(target.frame(), nullptr, "MDICLIENT", nullptr);
    ASSERT_TRUE(client);
    // The first child comes right after the frame is shown.
    EXPECT_TRUE(WaitFor([&] { return CountChildren(client) == 1; }));
    target.Send(ID_WINDOW_CHILD);
    target.Send(ID_FILE_NEW);
    EXPECT_EQ(CountChildren(client), 3);
    EXPECT_EQ(TargetProcess::Text(FindWindowExA(client, nullptr, "KestrelTargetChild", "KestrelTarget3")),
              "KestrelTarget3");
    EXPECT_FALSE(target.LogExists());
}

TEST(Frame, AboutBoxShowsTheVersionResource) {
    TargetProcess target;
    HWND about = target.OpenDialog(ID_APP_ABOUT, "About Kestrel Target");
    ASSERT_TRUE(about);
    EXPECT_EQ(TargetProcess::Text(GetDlgItem(about, IDC_ABOUT_VERSION)), "KestrelTarget, V1.0.0.1");
    EXPECT_EQ(TargetProcess::Text(GetDlgItem(about, IDC_ABOUT_LEGAL)), "Copyright (C) The Kestrel Project");
    EXPECT_EQ(TargetProcess::Text(GetDlgItem(about, IDC_ABOUT_COMPANY)), "The Kestrel Project");
    TargetProcess::Click(about, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));
    EXPECT_FALSE(target.LogExists()) << "the About box logs nothing";
}

}  // namespace
}  // namespace kt::test
