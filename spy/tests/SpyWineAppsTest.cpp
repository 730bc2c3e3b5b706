// KestrelSpy on programs nobody here wrote: Wine's notepad (menus read
// inside the program by the agent), regedit (tree view and list view) and
// winefile. Each declarations file is read back through `use`.
#include "SpyTestSupport.h"
#include "TargetProcess.h"

#include <gtest/gtest.h>

namespace spy::test {
namespace {

using kt::test::TempDir;

// Every declared window and menu item is found by a script.
void ExpectAllFound(const std::string& dec, const std::string& dir)
{
    ScriptReadBack back = ReadThroughScript(dec, "", dir);
    ASSERT_GT(back.paths.size(), 1u) << ReadFile(dec);
    EXPECT_EQ(back.output.find("K00100"), std::string::npos) << back.output;
    for (const std::string& path : back.paths)
        EXPECT_TRUE(back.values.count(path)) << "not read: " << path << "\n" << back.output;
}

TEST(SpyWineApps, NotepadDeclarationsTypeAndPickEditSelectAll)
{
    TempDir dir;
    const std::string dec = dir.path() + "\\notepad.dec";
    // The spy starts notepad itself and ends it again.
    RunResult spy = RunSpy("--run \"C:\\windows\\system32\\notepad.exe\" --class Notepad --out \"" + dec + "\"",
                           dir.path());
    ASSERT_EQ(spy.exitCode, 0) << spy.err;
    OwnedProgram notepad("C:\\windows\\system32\\notepad.exe");
    ASSERT_TRUE(notepad.WaitWindow("Notepad"));
    const std::string text = ReadFile(dec);
    EXPECT_NE(text.find("[-]MainWin \"Notepad\"\n\t(1)Tag=\"Notepad*\"\n\t(1)Class=\"Notepad\"\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("\t\t\t[-]MenuItem \"SelectAll\"\n\t\t\t\t(1)Tag=7\n\t\t\t\t(1)Class=\"MenuItem\"\n"),
              std::string::npos)
        << text;
    ExpectAllFound(dec, dir.path());

    // The generated names drive notepad.
    std::string usePath = dec;
    for (char& c : usePath)
        if (c == '\\') c = '/';
    WriteFile(dir.path() + "\\drive.lm",
              "use \"" + usePath + "\";\nSetDelay(0);\n"
              "Notepad.Edit1.TypeKeys(\"Hello spy\");\n"
              "Notepad.Edit.SelectAll.Select();\n"
              "Notepad.Edit1.TypeKeys(\"replaced\");\n"
              "print(\"text: \" + Notepad.Edit1.GetText());\n");
    RunResult drive = RunCaptured("\"" + BinDir() + "loom.exe\" \"" + dir.path() + "\\drive.lm\"", dir.path());
    EXPECT_NE(drive.out.find("text: replaced"), std::string::npos) << drive.out << drive.err;
}

TEST(SpyWineApps, RegeditTreeAndListViewsAreDeclaredAndListed)
{
    TempDir dir;
    OwnedProgram regedit("C:\\windows\\regedit.exe");
    ASSERT_TRUE(regedit.WaitWindow());
    const std::string pid = std::to_string(regedit.Pid());
    RunResult tree = RunSpy("--pid " + pid + " --tree", dir.path());
    ASSERT_EQ(tree.exitCode, 0) << tree.err;
    EXPECT_NE(tree.out.find("SysTreeView32"), std::string::npos) << tree.out;
    EXPECT_NE(tree.out.find("SysListView32"), std::string::npos) << tree.out;
    // The first level of the key tree: the computer.
    EXPECT_NE(tree.out.find("item 0: \""), std::string::npos) << tree.out;

    const std::string dec = dir.path() + "\\regedit.dec";
    RunResult spy = RunSpy("--pid " + pid + " --out \"" + dec + "\"", dir.path());
    ASSERT_EQ(spy.exitCode, 0) << spy.err;
    const std::string text = ReadFile(dec);
    EXPECT_NE(text.find("[-]Control \"TreeView1\""), std::string::npos) << text;
    EXPECT_NE(text.find("[-]Control \"ListView1\""), std::string::npos) << text;
    ExpectAllFound(dec, dir.path());
}

TEST(SpyWineApps, WinefileIsDeclaredAndReadBack)
{
    TempDir dir;
    OwnedProgram winefile("C:\\windows\\system32\\winefile.exe");
    ASSERT_TRUE(winefile.WaitWindow());
    const std::string dec = dir.path() + "\\winefile.dec";
    RunResult spy = RunSpy("--pid " + std::to_string(winefile.Pid()) + " --out \"" + dec + "\"", dir.path());
    ASSERT_EQ(spy.exitCode, 0) << spy.err;
    ExpectAllFound(dec, dir.path());
}

}  // namespace
}  // namespace spy::test
