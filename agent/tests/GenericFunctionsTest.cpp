// The window functions every window supports, run through the processor on
// windows of this process.
#include "AgentTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>

namespace {

class GenericFunctionsTest : public ::testing::Test {
protected:
    void SetUp() override { InitTestControls(); }
};

TEST_F(GenericFunctionsTest, GetTextAndSetText)
{
    HWND frame = SharedFrame();
    TestWindow label("Static", "before", WS_CHILD | WS_VISIBLE, 5, 5, 80, 20, frame);
    AgentCall set("SetText");
    set.Str("after").Arrive(CStatus::MakeError("stale")).Run(label, "Static");
    EXPECT_EQ(1, set.State());
    EXPECT_EQ("OK", set.Message());
    EXPECT_EQ(0, set.Flag());
    AgentCall get("GetText");
    get.Run(label, "Static");
    EXPECT_EQ(1, get.State());
    EXPECT_EQ("after", get.ResultString());
    // An unknown class is served by the same functions.
    AgentCall frameText("GetText");
    frameText.Run(frame, TestFrame::ClassName());
    EXPECT_EQ("Kestrel agent tests", frameText.ResultString());
}

// A window class whose text is 40,000 characters long, answered by its own
// WM_GETTEXT (WINE_DIFFERENCE: Wine refuses a window title that long, and an edit control
// takes tens of seconds to lay it out).
LRESULT CALLBACK LongTextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const std::string text(40000, 'k');
    if (message == WM_GETTEXT) {
        if (wParam == 0) return 0;
        const size_t count = std::min<size_t>(text.size(), wParam - 1);
        char* out = reinterpret_cast<char*>(lParam);
        std::copy(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(count), out);
        out[count] = '\0';
        return static_cast<LRESULT>(count);
    }
    if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(GenericFunctionsTest, GetTextReturnsAtMost32766Characters)
{
    WNDCLASSA longTextClass{};
    longTextClass.lpfnWndProc = LongTextProc;
    longTextClass.hInstance = GetModuleHandleA(nullptr);
    longTextClass.lpszClassName = "KestrelAgentLongText";
    RegisterClassA(&longTextClass);
    TestWindow window("KestrelAgentLongText", "", WS_CHILD, 5, 5, 80, 20, SharedFrame());
    ASSERT_TRUE(window.Handle());
    AgentCall get("GetText");
    get.Run(window, "KestrelAgentLongText");
    EXPECT_EQ(1, get.State()) << get.Message();
    const std::string text = get.ResultString();
    EXPECT_EQ(32766u, text.size());
    EXPECT_EQ(std::string::npos, text.find_first_not_of('k'));
}

TEST_F(GenericFunctionsTest, GeometryOfTheWindowRectangle)
{
    TestWindow popup(TestFrame::ClassName(), "geometry", WS_POPUP, 10, 20, 100, 50);
    const char* names[] = {"GetWindowX", "GetWindowY", "GetWindowWidth", "GetWindowHeight"};
    const int expected[] = {10, 20, 100, 50};
    for (int i = 0; i < 4; ++i) {
        AgentCall call(names[i]);
        call.Run(popup, TestFrame::ClassName());
        EXPECT_EQ(1, call.State()) << names[i];
        EXPECT_EQ(expected[i], call.ResultInt()) << names[i];
    }
}

RECT ChildRect(HWND child)
{
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

TEST_F(GenericFunctionsTest, MoveWinAndResizeWinOfAChild)
{
    HWND frame = SharedFrame();
    TestWindow child("Static", "c", WS_CHILD | WS_VISIBLE, 10, 15, 60, 30, frame);
    AgentCall move("MoveWin");
    move.Int(40).Int(50).Arrive(CStatus(3, "Success", 0)).Run(child, "Static");
    EXPECT_EQ(3, move.State());  // status unchanged
    RECT moved = ChildRect(child);
    EXPECT_EQ(40, moved.left);
    EXPECT_EQ(50, moved.top);
    EXPECT_EQ(60, moved.right - moved.left);
    EXPECT_EQ(30, moved.bottom - moved.top);
    AgentCall resize("ResizeWin");
    resize.Int(120).Int(70).Run(child, "Static");
    RECT resized = ChildRect(child);
    EXPECT_EQ(40, resized.left);
    EXPECT_EQ(50, resized.top);
    EXPECT_EQ(120, resized.right - resized.left);
    EXPECT_EQ(70, resized.bottom - resized.top);
}

TEST_F(GenericFunctionsTest, MoveWinOfAChildOfAMirroredParent)
{
    TestWindow parent(TestFrame::ClassName(), "rtl", WS_POPUP, 100, 100, 300, 200, nullptr, 0,
                      WS_EX_LAYOUTRTL);
    TestWindow child("Static", "c", WS_CHILD | WS_VISIBLE, 10, 15, 60, 30, parent);
    AgentCall move("MoveWin");
    move.Int(20).Int(25).Run(child, "Static");
    RECT rect{};
    GetWindowRect(child, &rect);
    EXPECT_EQ(60, rect.right - rect.left);
    EXPECT_EQ(30, rect.bottom - rect.top);
}

// An owned pop-up is top level: its rectangle stays in screen coordinates
// (GetParent would name its owner and shift it by the owner's client origin).
TEST_F(GenericFunctionsTest, ResizeWinOfAnOwnedPopupKeepsItsScreenPosition)
{
    HWND owner = SharedFrame();
    TestWindow popup(TestFrame::ClassName(), "owned", WS_POPUP, 250, 260, 200, 120, owner);
    ASSERT_EQ(owner, GetParent(popup));
    AgentCall resize("ResizeWin");
    resize.Int(150).Int(90).Run(popup, TestFrame::ClassName());
    RECT rect{};
    GetWindowRect(popup, &rect);
    EXPECT_EQ(250, rect.left);
    EXPECT_EQ(260, rect.top);
    EXPECT_EQ(150, rect.right - rect.left);
    EXPECT_EQ(90, rect.bottom - rect.top);
}

TEST_F(GenericFunctionsTest, ShowingStateAndClose)
{
    TestWindow window(TestFrame::ClassName(), "states", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200);
    AgentCall minimize("Minimize");
    minimize.Arrive(CStatus(3, "Success", 0)).Run(window, TestFrame::ClassName());
    EXPECT_EQ(3, minimize.State());
    EXPECT_TRUE(IsIconic(window));
    AgentCall maximize("Maximize");
    maximize.Run(window, TestFrame::ClassName());
    EXPECT_TRUE(IsZoomed(window));
    AgentCall restore("Restore");
    restore.Run(window, TestFrame::ClassName());
    EXPECT_FALSE(IsZoomed(window));
    EXPECT_FALSE(IsIconic(window));
    AgentCall close("Close");
    close.Run(window, TestFrame::ClassName());
    EXPECT_TRUE(IsWindow(window));  // posted, not sent
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }));
}

TEST_F(GenericFunctionsTest, MouseMovePlacesTheCursorAndPostsTheMove)
{
    HWND frame = SharedFrame();
    AgentCall move("MouseMove");
    move.Int(30).Int(40).Arrive(CStatus::MakeError("stale")).Run(frame, TestFrame::ClassName());
    EXPECT_EQ(1, move.State());
    EXPECT_EQ("OK", move.Message());
    POINT expected{30, 40};
    ClientToScreen(frame, &expected);
    POINT cursor{};
    GetCursorPos(&cursor);
    EXPECT_EQ(expected.x, cursor.x);
    EXPECT_EQ(expected.y, cursor.y);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, frame, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
    EXPECT_EQ(static_cast<LPARAM>(MAKELPARAM(30, 40)), msg.lParam);
    EXPECT_EQ(0u, msg.wParam);
}

TEST_F(GenericFunctionsTest, SetActiveAndIsActive)
{
    TestFrame frame("active frame");
    TestWindow button("Button", "b", WS_CHILD | WS_VISIBLE, 5, 5, 60, 20, frame);
    AgentCall activate("SetActive");
    activate.Arrive(CStatus::MakeError("stale")).Run(button, "Button");
    EXPECT_EQ(1, activate.State());
    EXPECT_EQ("OK", activate.Message());
    SetForegroundWindow(frame);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == frame.Handle(); }));
    AgentCall onControl("IsActive");
    onControl.Run(button, "Button");
    ASSERT_TRUE(onControl.HasBoolResult());  // declared bool in the table
    EXPECT_TRUE(onControl.ResultBool());

    // A dialog owned by the frame comes to the foreground: its controls and
    // itself are active, the frame it belongs to is not.
    TestWindow dialog(TestFrame::ClassName(), "owned dialog", WS_POPUP | WS_CAPTION | WS_VISIBLE, 150, 150, 200,
                      100, frame);
    TestWindow inDialog("Button", "d", WS_CHILD | WS_VISIBLE, 5, 5, 60, 20, dialog);
    AgentCall bring("BringToTop");
    bring.Run(inDialog, "Button");
    EXPECT_EQ(1, bring.State());
    SetForegroundWindow(dialog);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == dialog.Handle(); }));
    AgentCall dialogControl("IsActive");
    dialogControl.Run(inDialog, "Button");
    EXPECT_TRUE(dialogControl.ResultBool());
    AgentCall dialogItself("IsActive");
    dialogItself.Run(dialog, TestFrame::ClassName());
    EXPECT_TRUE(dialogItself.ResultBool());
    AgentCall owner("IsActive");
    owner.Run(button, "Button");
    ASSERT_TRUE(owner.HasBoolResult());
    EXPECT_FALSE(owner.ResultBool());
}

TEST_F(GenericFunctionsTest, BlinkRestoresTheVisibility)
{
    HWND frame = SharedFrame();
    TestWindow hidden("Static", "h", WS_CHILD, 5, 5, 60, 20, frame);
    // WINE_DIFFERENCE: steady_clock, not GetTickCount: the latter moves in 16 ms steps under Wine.
    const auto start = std::chrono::steady_clock::now();
    AgentCall blink("Blink");
    blink.Int(1).Arrive(CStatus(3, "Success", 0)).Run(hidden, "Static");
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count(), 480);
    EXPECT_EQ(3, blink.State());
    EXPECT_FALSE(IsWindowVisible(hidden));
    TestWindow shown("Static", "s", WS_CHILD | WS_VISIBLE, 5, 30, 60, 20, frame);
    AgentCall none("Blink");
    none.Int(0).Run(shown, "Static");
    EXPECT_TRUE(IsWindowVisible(shown));
}

TEST_F(GenericFunctionsTest, CaretOfTheCallingThread)
{
    HWND frame = SharedFrame();
    ASSERT_TRUE(CreateCaret(frame, nullptr, 2, 12));
    SetCaretPos(17, 23);
    AgentCall x("GetCaretX");
    x.Run(frame, TestFrame::ClassName());
    AgentCall y("GetCaretY");
    y.Run(frame, TestFrame::ClassName());
    DestroyCaret();
    EXPECT_EQ(17, x.ResultInt());
    EXPECT_EQ(23, y.ResultInt());
}

// A window of another thread answers with that thread's caret, not with the
// caret of the thread that runs the call.
TEST_F(GenericFunctionsTest, CaretOfTheWindowsOwnThread)
{
    std::atomic<HWND> remote{nullptr};
    std::atomic<bool> quit{false};
    std::thread owner([&] {
        TestWindow window(TestFrame::ClassName(), "caret owner", WS_POPUP, 300, 300, 200, 100);
        CreateCaret(window, nullptr, 2, 12);
        SetCaretPos(41, 7);
        remote = window.Handle();
        while (!quit) {
            PumpPending();
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        DestroyCaret();
    });
    struct Joiner {
        std::thread& thread;
        std::atomic<bool>& quit;
        ~Joiner() { quit = true; thread.join(); }
    } joiner{owner, quit};

    HWND local = SharedFrame();
    ASSERT_TRUE(CreateCaret(local, nullptr, 2, 12));
    SetCaretPos(3, 4);
    ASSERT_TRUE(PumpUntil([&] { return remote.load() != nullptr; }));
    AgentCall x("GetCaretX");
    x.Run(remote, TestFrame::ClassName());
    AgentCall y("GetCaretY");
    y.Run(remote, TestFrame::ClassName());
    DestroyCaret();
    EXPECT_EQ(41, x.ResultInt());
    EXPECT_EQ(7, y.ResultInt());
}

TEST_F(GenericFunctionsTest, CaretOfAnEditControl)
{
    HWND frame = SharedFrame();
    TestWindow edit("Edit", "abcdef", WS_CHILD | WS_VISIBLE | WS_BORDER, 5, 5, 200, 24, frame);
    SetForegroundWindow(frame);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 3, 3);
    POINT expected{};
    ASSERT_TRUE(GetCaretPos(&expected));
    AgentCall x("GetCaretX");
    x.Run(edit, "Edit");
    AgentCall y("GetCaretY");
    y.Run(edit, "Edit");
    EXPECT_EQ(expected.x, x.ResultInt());
    EXPECT_EQ(expected.y, y.ResultInt());
    EXPECT_GT(x.ResultInt(), 0);
}

}  // namespace
