// The log file's opening, continuing and closing rules and the echo mask.
#include "TargetProcess.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kt::test {
namespace {

using Lines = std::vector<std::string>;

TEST(EventLog, OffAtStartAndFirstEventAfterOnCreatesTheFile) {
    TargetProcess target("");
    target.Send(ID_MENUS_ACCEL);
    target.Send(ID_TOOLBAR_A);
    EXPECT_FALSE(target.LogExists()) << "logging must start switched off";

    target.Send(ID_LOG_ON);
    EXPECT_FALSE(target.LogExists()) << "switching on alone writes nothing";
    target.Send(ID_MENUS_MENUITEM1);
    EXPECT_EQ(target.WaitLog(1), Lines({"KestrelTarget.Menus.MenuItem1.Pick"}));
}

TEST(EventLog, FirstEventTruncatesAnEarlierFile) {
    TargetProcess target("");
    {
        std::ofstream old(target.LogPath(), std::ios::binary);
        old << "left over\nfrom an earlier run\n";
    }
    target.Send(ID_LOG_ON);
    target.Send(ID_MENUS_ACCEL);
    EXPECT_EQ(target.WaitLog(1), Lines({"KestrelTarget.Menus.Accel.Pick"}));
}

TEST(EventLog, OffAndOnAgainContinuesTheSameFile) {
    TargetProcess target;
    target.Send(ID_MENUS_MENUITEM1);
    target.Send(ID_LOG_OFF);
    target.Send(ID_MENUS_MENUITEM2);  // not logged
    target.Send(ID_TOOLBAR_C);        // not logged
    target.Send(ID_LOG_ON);
    target.Send(ID_TOOLBAR_A);
    EXPECT_EQ(target.WaitLog(2),
              Lines({"KestrelTarget.Menus.MenuItem1.Pick", "KestrelTarget.ToolBarA.Pick"}));
}

TEST(EventLog, ExitIsTheLastLineAndClosesTheFile) {
    TargetProcess target;
    target.Send(ID_MENUS_CHECKED);
    ASSERT_TRUE(target.Exit());
    EXPECT_EQ(target.Log(), Lines({"KestrelTarget.Menus.Checked.Pick", "KestrelTarget App Exited"}));
    // Closed: it can be opened without any sharing now.
    FileHandle exclusive(CreateFileA(target.LogPath().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                     OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(static_cast<bool>(exclusive));
}

TEST(EventLog, LinesEndInLineFeedOnly) {
    TargetProcess target;
    target.Send(ID_TOOLBAR_C);
    target.WaitLog(1);
    std::ifstream in(target.LogPath(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(bytes, "KestrelTarget.ToolBarC.Pick\n");
}

TEST(EchoMask, ZeroMaskShowsNoMessageBox) {
    TargetProcess target;
    target.Send(ID_MENUS_ACCEL);   // Menus
    target.Send(ID_TOOLBAR_A);     // Misc
    HWND dialog = target.OpenDialog(ID_CONTROLS_PUSHBUTTON, "Button Dialog");
    ASSERT_TRUE(dialog);
    TargetProcess::Click(dialog, IDC_BUTTON1);  // Controls
    EXPECT_EQ(target.WaitLog(4).size(), 4u);
    EXPECT_FALSE(target.FindTopLevel("Kestrel Target Event"));
    EXPECT_TRUE(TargetProcess::Cancel(dialog));
}

TEST(EchoMask, AllOnEchoesEveryEventAndCategoryItemsToggleOneBit) {
    TargetProcess target;
    target.Send(ID_ECHO_ALLON);
    target.Post(ID_MENUS_ACCEL);
    EXPECT_EQ(target.CloseMessageBox("Kestrel Target Event"), "KestrelTarget.Menus.Accel.Pick");
    target.Post(ID_TOOLBAR_A);
    EXPECT_EQ(target.CloseMessageBox("Kestrel Target Event"), "KestrelTarget.ToolBarA.Pick");

    // Misc off: the tool bar echoes nothing, menu picks still do.
    target.Send(ID_ECHO_MISC);
    target.Post(ID_TOOLBAR_C);
    target.Post(ID_MENUS_MENUITEM1);
    EXPECT_EQ(target.CloseMessageBox("Kestrel Target Event"), "KestrelTarget.Menus.MenuItem1.Pick");

    // All off, then Menus alone.
    target.Send(ID_ECHO_ALLOFF);
    target.Send(ID_ECHO_MENUS);
    target.Post(ID_TOOLBAR_C);
    target.Post(ID_MENUS_MENUITEM2);
    EXPECT_EQ(target.CloseMessageBox("Kestrel Target Event"), "KestrelTarget.Menus.MenuItem2.Pick");
    target.Send(ID_ECHO_MENUS);
    target.Send(ID_MENUS_ACCEL);
    EXPECT_FALSE(target.FindTopLevel("Kestrel Target Event"));

    EXPECT_EQ(target.WaitLog(7), Lines({
        "KestrelTarget.Menus.Accel.Pick", "KestrelTarget.ToolBarA.Pick", "KestrelTarget.ToolBarC.Pick",
        "KestrelTarget.Menus.MenuItem1.Pick", "KestrelTarget.ToolBarC.Pick",
        "KestrelTarget.Menus.MenuItem2.Pick", "KestrelTarget.Menus.Accel.Pick"}));
}

TEST(EchoMask, EchoedDialogEventKeepsTheDialogModal) {
    TargetProcess target;
    HWND dialog = target.OpenDialog(ID_CONTROLS_PUSHBUTTON, "Button Dialog");
    ASSERT_TRUE(dialog);
    target.Send(ID_ECHO_CONTROLS);
    TargetProcess::Click(dialog, IDC_DEFAULTBUTTON);
    EXPECT_EQ(target.CloseMessageBox("Kestrel Target Event"), "ButtonDialog.DefaultButton");
    // Closing the box must not give the frame back while the dialog is open.
    EXPECT_FALSE(IsWindowEnabled(target.frame()));
    target.Send(ID_ECHO_CONTROLS);
    EXPECT_TRUE(TargetProcess::Cancel(dialog));
}

}  // namespace
}  // namespace kt::test
