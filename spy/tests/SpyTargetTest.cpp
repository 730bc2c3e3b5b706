// KestrelSpy on KestrelTarget: a golden --tree of a dialog with fixed
// controls, declarations files of the main window and of every dialog read
// back through `use` in a script, the same file twice, and the errors.
#include "SpyTestSupport.h"
#include "TargetProcess.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace spy::test {
namespace {

using kt::test::TargetProcess;
using kt::test::TempDir;

struct DialogCase {
    int command;
    const char* caption;
    const char* handWritten;  // its MainWin in examples/KestrelTarget.dec, or null
};

const DialogCase kDialogs[] = {
    {ID_CONTROLS_TREEVIEW, "TreeView Dialog", "TreeViewDialog"},
    {ID_CONTROLS_LISTBOX, "ListBox Dialog", "ListBoxDialog"},
    {ID_CONTROLS_DRAWING, "Drawing Dialog", "DrawingDialog"},
    {ID_CONTROLS_LISTVIEW, "List View Dialog", "ListViewDialog"},
    {ID_CONTROLS_CHECKBOX, "Check Box Dialog", "CheckBoxDialog"},
    {ID_CONTROLS_RADIO, "Radio Buttons", "RadioDialog"},
    {ID_CONTROLS_COMBOBOX, "Combo Box Dialog", "ComboBoxDialog"},
    {ID_CONTROLS_PAGELIST, "Page List Dialog", "PageListDialog"},
    {ID_CONTROLS_PUSHBUTTON, "Button Dialog", "ButtonDialog"},
    {ID_CONTROLS_SCROLLBARS, "Scroll Bar Dialog", "ScrollBarDialog"},
    {ID_CONTROLS_STATICTEXT, "Static Dialog", "StaticDialog"},
    {ID_CONTROLS_EDITBOX, "Edit Dialog", "EditDialog"},
    {ID_CONTROLS_KEYBOARD, "Keyboard Events Dialog", "KeyboardDialog"},
    {ID_CONTROLS_CURSORS, "Cursor Dialog", nullptr},
    {ID_CONTROLS_STATUSBAR, "Status Bar Dialog", nullptr},
    {ID_CONTROLS_DRAGDROP, "Drag & Drop", nullptr},
    {ID_CONTROLS_TEXTFIELD, "Text Field Dialog", "TextFieldDialog"},
};

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

// Writes a declarations file of the window with this caption and checks
// that a script finds every declared window with it and reads the same
// values as through the hand-written file.
void RoundTrip(const std::string& title, const char* handWritten, const std::string& dir)
{
    SCOPED_TRACE(title);
    const std::string dec = dir + "\\generated.dec";
    RunResult spy = RunSpy("--title " + Quoted(title) + " --out " + Quoted(dec), dir);
    ASSERT_EQ(spy.exitCode, 0) << spy.err;
    EXPECT_EQ(spy.err.find("note:"), std::string::npos) << spy.err;
    ScriptReadBack generated = ReadThroughScript(dec, "", dir);
    ASSERT_GT(generated.paths.size(), 1u) << ReadFile(dec);
    EXPECT_EQ(generated.output.find("K00100"), std::string::npos) << generated.output;
    for (const std::string& path : generated.paths)
        EXPECT_TRUE(generated.values.count(path)) << "not read: " << path << "\n" << generated.output;
    if (!handWritten) return;
    ScriptReadBack reference =
        ReadThroughScript(SourceDir() + "\\examples\\KestrelTarget.dec", handWritten, dir);
    std::map<std::string, std::string> byHandle;
    for (const auto& entry : generated.values)
        if (entry.second.handle != "menu") byHandle[entry.second.handle] = entry.second.text;
    int compared = 0;
    for (const auto& entry : reference.values) {
        if (entry.second.handle == "menu") continue;
        auto found = byHandle.find(entry.second.handle);
        ASSERT_NE(found, byHandle.end()) << "the generated file does not reach " << entry.first << "\n"
                                         << ReadFile(dec);
        EXPECT_EQ(found->second, entry.second.text) << entry.first;
        ++compared;
    }
    EXPECT_GT(compared, 0) << reference.output;
}

TEST(SpyTarget, DeclarationsOfTheMainWindowAndEveryDialogReadBackThroughUse)
{
    TargetProcess target("");
    ASSERT_TRUE(target.frame());
    TempDir dir;
    RoundTrip(TargetProcess::Text(target.frame()), "KestrelTarget", dir.path());
    for (const DialogCase& dialog : kDialogs) {
        HWND window = target.OpenDialog(dialog.command, dialog.caption);
        ASSERT_TRUE(window) << dialog.caption;
        RoundTrip(dialog.caption, dialog.handWritten, dir.path());
        ASSERT_TRUE(TargetProcess::Cancel(window)) << dialog.caption;
    }
}

TEST(SpyTarget, TwoRunsWriteTheSameFile)
{
    TargetProcess target("");
    ASSERT_TRUE(target.frame());
    TempDir dir;
    const std::string title = TargetProcess::Text(target.frame());
    ASSERT_EQ(RunSpy("--title " + Quoted(title) + " --out first.dec", dir.path()).exitCode, 0);
    ASSERT_EQ(RunSpy("--title " + Quoted(title) + " --out second.dec", dir.path()).exitCode, 0);
    const std::string first = ReadFile(dir.path() + "\\first.dec");
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, ReadFile(dir.path() + "\\second.dec"));
}

TEST(SpyTarget, TreeOfTheCheckBoxDialogMatchesItsGoldenListing)
{
    TargetProcess target("");
    TempDir dir;
    HWND dialog = target.OpenDialog(ID_CONTROLS_CHECKBOX, "Check Box Dialog");
    ASSERT_TRUE(dialog);
    RunResult spy = RunSpy("--title \"Check Box Dialog\" --tree", dir.path());
    ASSERT_EQ(spy.exitCode, 0) << spy.err;
    const std::string golden = ReadFile(SourceDir() + "\\spy\\tests\\golden\\checkbox_tree.txt");
    EXPECT_EQ(MaskHandles(spy.out), golden) << spy.out;
    TargetProcess::Cancel(dialog);
}

TEST(SpyTarget, TreeShowsMenusItemsAndTheToolBar)
{
    TargetProcess target("");
    TempDir dir;
    HWND dialog = target.OpenDialog(ID_CONTROLS_PAGELIST, "Page List Dialog");
    ASSERT_TRUE(dialog);
    // The dialog opens without tabs: two are added through it, each in
    // front of the others.
    HWND tabControl = GetDlgItem(dialog, IDC_PAGELIST_TAB);
    DWORD_PTR expected = 0;
    for (const char* text : {"first tab", "second tab"}) {
        TargetProcess::SetText(dialog, IDC_PAGELIST_EDIT, text);
        TargetProcess::Click(dialog, IDC_PAGELIST_INSERT);
        // The click is posted: the next text waits until it is handled.
        ++expected;
        ASSERT_TRUE(kt::test::WaitFor([&] {
            DWORD_PTR count = 0;
            SendMessageTimeoutA(tabControl, TCM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &count);
            return count == expected;
        }));
    }
    RunResult tabs = RunSpy("--title \"Page List Dialog\" --tree", dir.path());
    ASSERT_EQ(tabs.exitCode, 0) << tabs.err;
    EXPECT_NE(tabs.out.find("SysTabControl32"), std::string::npos) << tabs.out;
    EXPECT_NE(tabs.out.find("      item 0: \"second tab\"\n      item 1: \"first tab\"\n"), std::string::npos)
        << tabs.out;
    TargetProcess::Cancel(dialog);

    RunResult main = RunSpy("--title " + Quoted(TargetProcess::Text(target.frame())) + " --tree --items 2",
                            dir.path());
    ASSERT_EQ(main.exitCode, 0) << main.err;
    EXPECT_NE(main.out.find("menu bar\n"), std::string::npos) << main.out;
    EXPECT_NE(main.out.find("[0] \"Options\" submenu"), std::string::npos) << main.out;
    EXPECT_NE(main.out.find("separator"), std::string::npos) << main.out;
    EXPECT_NE(main.out.find("ToolbarWindow32"), std::string::npos) << main.out;
    EXPECT_NE(main.out.find("more ("), std::string::npos) << "the tool bar's items are cut at 2\n" << main.out;
}

TEST(SpyTarget, AtPointGivesThePathAndTheDeclarationsThatFindIt)
{
    TargetProcess target("");
    TempDir dir;
    HWND dialog = target.OpenDialog(ID_CONTROLS_PUSHBUTTON, "Button Dialog");
    ASSERT_TRUE(dialog);
    HWND button = GetDlgItem(dialog, IDC_DEFAULTBUTTON);
    RECT rect{};
    GetWindowRect(button, &rect);
    RunResult at = RunSpy("--at " + std::to_string((rect.left + rect.right) / 2) + "," +
                              std::to_string((rect.top + rect.bottom) / 2),
                          dir.path());
    TargetProcess::Cancel(dialog);
    ASSERT_EQ(at.exitCode, 0) << at.err;
    EXPECT_NE(at.out.find("#32770 \"Button Dialog\""), std::string::npos) << at.out;
    EXPECT_NE(at.out.find("   0x"), std::string::npos) << at.out;
    EXPECT_NE(at.out.find("[-]Control \"DefaultButton\"\n\t\t(1)Tag=\"&Default Button\""), std::string::npos)
        << at.out;
}

TEST(SpyTarget, AHungApplicationIsReportedWithinTheBound)
{
    TargetProcess target("");
    TempDir dir;
    // The target's GUI thread sleeps for 20 s, as a hung program would. The
    // message is sent, not posted: a thread takes sent messages in the order
    // they came and before any posted one, so the spy's first message waits
    // behind it even when the target is still busy starting up; a posted one
    // could be overtaken by the spy's check, which then found a live window.
    SendNotifyMessageA(target.frame(), RegisterWindowMessageA("KestrelTarget.Busy"), 20000, 0);
    const DWORD start = GetTickCount();
    RunResult hung = RunSpy("--class KestrelTargetFrame --tree", dir.path());
    const DWORD elapsed = GetTickCount() - start;
    EXPECT_EQ(hung.exitCode, 1) << hung.out;
    EXPECT_NE(hung.err.find("is not responding. (K00303)"), std::string::npos) << hung.err;
    EXPECT_LT(elapsed, 15000u);
}

TEST(SpyTarget, ErrorsAreNamedWithANonZeroStatus)
{
    TempDir dir;
    RunResult none = RunSpy("--title \"No window has this title\" --tree", dir.path());
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_NE(none.err.find("no window matches --title 'No window has this title'"), std::string::npos) << none.err;

    RunResult missing = RunSpy("--run \"C:\\no\\such\\program.exe\" --tree", dir.path());
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.err.find("cannot start 'C:\\no\\such\\program.exe'"), std::string::npos) << missing.err;

    // A program that runs but never shows the window asked for; the spy
    // ends it again.
    RunResult noWindow = RunSpy("--run " + Quoted(BinDir() + "KestrelTarget.exe") +
                                    " --title \"Never shown\" --wait 1 --tree",
                                dir.path());
    EXPECT_EQ(noWindow.exitCode, 1);
    EXPECT_NE(noWindow.err.find("showed no window matching --title 'Never shown' within 1 s"), std::string::npos)
        << noWindow.err;
    EXPECT_FALSE(FindWindowA("KestrelTargetFrame", nullptr)) << "the started program was left running";

    RunResult usage = RunSpy("--tree", dir.path());
    EXPECT_EQ(usage.exitCode, 2);
    EXPECT_NE(usage.err.find("no window selected"), std::string::npos) << usage.err;

    TargetProcess target("");
    RunResult unwritable = RunSpy("--title " + Quoted(TargetProcess::Text(target.frame())) +
                                      " --out \"C:\\no\\such\\folder\\x.dec\"",
                                  dir.path());
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.err.find("cannot write 'C:\\no\\such\\folder\\x.dec'"), std::string::npos)
        << unwritable.err;
}

}  // namespace
}  // namespace spy::test
