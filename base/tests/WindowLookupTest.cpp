// Lookup of window values on windows this test creates: exact, partial and
// numeric tags, class patterns carried down the path, the messages of a
// failed lookup, and menus resolved to their menu and command.
#include "ClassWindow.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// Exposes the protected searches.
class TestWindow : public CDataWindow {
public:
    using CDataWindow::FindNumericWindow;
    using CDataWindow::FindPartialWindow;
};

const char kFrameClass[] = "KestrelLookupFrame";

// A top-level frame with a menu and these children in creation order:
// Edit "one", Edit "two", Button "OK", Button "Cancel", Static "Status text",
// Edit "three".
class LookupWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kFrameClass;
        RegisterClassA(&wc);
        frame = CreateWindowExA(0, kFrameClass, "Lookup Test Frame", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300,
                                nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(frame, nullptr);
        edit1 = Child("EDIT", "one");
        edit2 = Child("EDIT", "two");
        ok = Child("BUTTON", "OK");
        cancel = Child("BUTTON", "Cancel");
        status = Child("STATIC", "Status text");
        edit3 = Child("EDIT", "three");

        // Menu bar: "File" popup (Open 101, separator, "Recent" popup with
        // First 201), then the command "Go" 102.
        HMENU recent = CreatePopupMenu();
        AppendMenuA(recent, MF_STRING, 201, "First");
        HMENU file = CreatePopupMenu();
        AppendMenuA(file, MF_STRING, 101, "Open");
        AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "Recent");
        HMENU bar = CreateMenu();
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "File");
        AppendMenuA(bar, MF_STRING, 102, "Go");
        SetMenu(frame, bar);
        fileMenu = file;
        recentMenu = recent;
        menuBar = bar;
    }
    void TearDown() override { DestroyWindow(frame); }

    HWND Child(const char* cls, const char* text)
    {
        return CreateWindowExA(0, cls, text, WS_CHILD, 0, 0, 10, 10, frame, nullptr, nullptr, nullptr);
    }

    // A value with class and tag (or numeric tag), looked up under `parent`.
    static void Describe(CDataWindow& w, const char* cls, const char* tag, int number = 0,
                         CDataWindow* parent = nullptr)
    {
        w.windowClass = cls;
        w.tag = tag;
        w.tagNumber = number;
        w.name = "Thing";
        if (parent) parent->ConstructChildPath(&w);
    }

    static HWND Find(CDataWindow& w, CStatus* out = nullptr)
    {
        unsigned id = 0;
        HMENU menu = nullptr;
        CStatus status = w.FindMe(id, menu);
        if (out) *out = status;
        return status.IsSuccess() ? w.foundWindow : nullptr;
    }

    HWND frame = nullptr, edit1 = nullptr, edit2 = nullptr, ok = nullptr, cancel = nullptr, status = nullptr,
         edit3 = nullptr;
    HMENU menuBar = nullptr, fileMenu = nullptr, recentMenu = nullptr;
};

TEST_F(LookupWindows, ExactPartialAndNumericTags)
{
    CDataWindow top;
    Describe(top, kFrameClass, "Lookup Test Frame");
    EXPECT_EQ(Find(top), frame);
    EXPECT_TRUE(top.boolean());

    CDataWindow button;
    Describe(button, "Button", "Cancel", 0, &top);
    EXPECT_EQ(Find(button), cancel);

    // A word followed by '*' matches the text anywhere, not only at the start.
    CDataWindow partialTop;
    Describe(partialTop, kFrameClass, "Test Fr*");
    EXPECT_EQ(Find(partialTop), frame);
    CDataWindow statusText;
    Describe(statusText, "Static", "text*", 0, &partialTop);
    EXPECT_EQ(Find(statusText), status);

    // Only the tag partial: the class must equal the pattern, case included.
    CDataWindow wrongCase;
    Describe(wrongCase, "static", "text*", 0, &partialTop);
    EXPECT_EQ(Find(wrongCase), nullptr);

    // Numeric tags count windows of the class in the system's order; above
    // 255 they select the first one.
    CDataWindow second, huge, fourth;
    Describe(second, "Edit", "", 2, &top);
    Describe(huge, "Edit", "", 300, &top);
    Describe(fourth, "Edit", "", 4, &top);
    EXPECT_EQ(Find(second), edit2);
    EXPECT_EQ(Find(huge), edit1);
    CStatus status;
    EXPECT_EQ(Find(fourth, &status), nullptr);
    EXPECT_EQ(status.GetStatusMessage(), "Window 'Thing' not found (Class='Edit', Tag=''). (K00100)");
}

TEST_F(LookupWindows, ClassPatternOfAnAncestorAppliesToLowerLevels)
{
    CDataWindow top;
    Describe(top, "KestrelLookup*", "");
    EXPECT_EQ(Find(top), frame);
    // "utto" holds no '*' but matches as a substring below a partial class.
    CDataWindow button;
    Describe(button, "utto", "OK", 0, &top);
    EXPECT_EQ(Find(button), ok);
    // Numeric with a partial class counts matching classes: "dit" twice.
    CDataWindow numeric;
    Describe(numeric, "dit", "", 3, &top);
    EXPECT_EQ(Find(numeric), edit3);
    TestWindow probe;
    String cls("BUTT"), tag;
    EXPECT_EQ(probe.FindPartialWindow(frame, nullptr, cls, tag, 1, 0), nullptr);
}

TEST_F(LookupWindows, FailedAncestorsReportTheirLevel)
{
    CDataWindow missingTop;
    Describe(missingTop, kFrameClass, "No Such Frame*");
    CDataWindow child;
    Describe(child, "Button", "OK", 0, &missingTop);
    CStatus status;
    EXPECT_EQ(Find(child, &status), nullptr);
    EXPECT_EQ(status.GetStatusMessage(),
              String::Printf("Window '' not found (Class='%s', Tag='No Such Frame'). (K00100)", kFrameClass));
    EXPECT_EQ(child.foundWindow, nullptr);

    CDataWindow top, numericLevel, below;
    Describe(top, kFrameClass, "Lookup Test Frame");
    Describe(numericLevel, "ListBox", "", 2, &top);
    Describe(below, "Button", "OK", 0, &numericLevel);
    EXPECT_EQ(Find(below, &status), nullptr);
    EXPECT_EQ(status.GetStatusMessage(), "Window '' not found (Class='ListBox', Tag=2). (K00104)");
    EXPECT_FALSE(below.boolean());
}

TEST(PartialDecision, EveryRowOfTheTable)
{
    auto M = [](const char* C, const char* T, const char* P, const char* Q, int cp, int tp) {
        return CDataWindow::PartialMatches(C, T, P, Q, cp, tp);
    };
    EXPECT_FALSE(M("", "", "", "", 1, 1));               // both empty: never
    EXPECT_TRUE(M("", "Hello", "", "ell", 0, 0));        // no class, no class pattern
    EXPECT_FALSE(M("", "Hello", "", "xyz", 1, 1));
    EXPECT_TRUE(M("Button", "", "utt", "", 0, 0));       // no text, no tag pattern
    EXPECT_FALSE(M("Button", "", "xyz", "", 1, 1));
    EXPECT_TRUE(M("Button", "OK", "utt", "K", 1, 1));    // both partial
    EXPECT_TRUE(M("Button", "OK", "", "", 1, 1));
    EXPECT_FALSE(M("Button", "", "utt", "K", 1, 1));
    EXPECT_TRUE(M("Button", "OK", "utt", "OK", 1, 0));   // class partial: tag equal
    EXPECT_FALSE(M("Button", "OK", "utt", "O", 1, 0));
    EXPECT_TRUE(M("Button", "OK", "utt", "", 1, 0));
    EXPECT_TRUE(M("Button", "Cancel", "Button", "anc", 0, 1));  // tag partial: class equal
    EXPECT_FALSE(M("Button", "Cancel", "button", "anc", 0, 1));
    EXPECT_FALSE(M("Button", "Cancel", "Button", "Cancel", 0, 0));  // neither flag
}

TEST_F(LookupWindows, MenusResolveToMenuAndCommand)
{
    CDataWindow top;
    Describe(top, kFrameClass, "Lookup Test Frame");
    // File (submenu 0) > Recent (submenu 2) > First (item 0).
    CDataWindow file, recent, first;
    Describe(file, "Menu", "", 0, &top);
    Describe(recent, "MenuItem", "", 2, &file);
    Describe(first, "MenuItem", "", 0, &recent);
    unsigned id = 0;
    HMENU menu = nullptr;
    ASSERT_TRUE(first.FindMe(id, menu).IsSuccess());
    EXPECT_EQ(first.foundWindow, frame);
    EXPECT_EQ(menu, recentMenu);
    EXPECT_EQ(id, 201u);

    // Open is item 0 of File.
    CDataWindow open;
    Describe(open, "MenuItem", "", 0, &file);
    id = 0;
    menu = nullptr;
    ASSERT_TRUE(open.FindMe(id, menu).IsSuccess());
    EXPECT_EQ(menu, fileMenu);
    EXPECT_EQ(id, 101u);

    // No menu level in the path: the menu bar itself; a position opening
    // a submenu has no command.
    CDataWindow go, filePopup;
    Describe(go, "MenuItem", "", 1, &top);
    Describe(filePopup, "MenuItem", "", 0, &top);
    ASSERT_TRUE(go.FindMe(id, menu).IsSuccess());
    EXPECT_EQ(menu, menuBar);
    EXPECT_EQ(id, 102u);
    ASSERT_TRUE(filePopup.FindMe(id, menu).IsSuccess());
    EXPECT_EQ(id, 0xFFFFFFFFu);

    // A submenu position that does not exist, and a window level below a
    // menu level, fail with K00100.
    CDataWindow nowhere, nothing;
    Describe(nowhere, "Menu", "", 7, &top);
    Describe(nothing, "MenuItem", "", 0, &nowhere);
    CStatus status = nothing.FindMe(id, menu);
    EXPECT_EQ(status.GetStatusMessage(), "Window '' not found (Class='Menu', Tag=''). (K00100)");
    CDataWindow button;
    Describe(button, "Button", "OK", 0, &file);
    CDataWindow below;
    Describe(below, "MenuItem", "", 0, &button);
    EXPECT_FALSE(below.FindMe(id, menu).IsSuccess());
}

// A separator has no command (0) and is a menu object all the same: the
// menu functions answer for the item, not for the owner window.
TEST_F(LookupWindows, SeparatorIsAMenuObject)
{
    CDataWindow prototype;
    prototype.InitData();  // the checker learns the window functions
    CDataWindow::SetDelay(0);
    CDataWindow top, file, separator;
    Describe(top, kFrameClass, "Lookup Test Frame");
    Describe(file, "Menu", "", 0, &top);
    Describe(separator, "MenuItem", "", 1, &file);
    separator.name = "Separator";
    auto ask = [&](const char* function, int type) {
        SSI_FunctionAPI call;
        call.m_FunctionName = function;
        call.InitParams(0);
        call.GetReturnData()->SetType(type);
        separator.SSI_FunctionProcessor(call);
        CData* data = call.GetReturnData()->GetWorkingData();
        return call.m_ReturnStatus.IsSuccess() && data ? data->GetString().str()
                                                       : call.m_ReturnStatus.GetStatusMessage().str();
    };
    EXPECT_EQ(ask("IsSeparator", CDataBool::GetRegisteredType()), "true");
    EXPECT_EQ(ask("IsChecked", CDataBool::GetRegisteredType()), "false");
    EXPECT_EQ(ask("GetMenuText", CDataString::GetRegisteredType()), "");
    // Select stands for a user's pick: the menu of a window no user can see
    // is not picked (at once, with no lookup bound).
    CDataWindow::SetLookupTimeout(0);
    EXPECT_EQ(ask("Select", CDataVoid::GetRegisteredType()),
              "Window 'Lookup Test Frame' (class 'KestrelLookupFrame') is not visible; nothing was clicked. (K01621)");
    CDataWindow::SetLookupTimeout(5);
}

// A partial text under a whole class: runs of the class are walked and runs
// of other classes jumped over, and the first match in the system's order
// is still the one found.
TEST(LookupMixedSiblings, FirstMatchInOrderAcrossRunsOfClasses)
{
    HWND parent = CreateWindowExA(0, "STATIC", "mixed", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    const char* children[][2] = {{"BUTTON", "a1"},    {"EDIT", "x"},   {"EDIT", "y2"},
                                 {"BUTTON", "b2"},    {"BUTTON", "c3"}, {"STATIC", "z3"},
                                 {"BUTTON", "match"}, {"BUTTON", ""},   {"EDIT", "last match"}};
    HWND made[9] = {};
    for (int i = 0; i < 9; ++i)
        made[i] = CreateWindowExA(0, children[i][0], children[i][1], WS_CHILD, 0, 0, 1, 1, parent, nullptr, nullptr,
                                  nullptr);
    TestWindow probe;
    auto find = [&](const char* cls, const char* text) {
        String c(cls), t(text);
        return probe.FindPartialWindow(parent, nullptr, c, t, 0, 1);
    };
    EXPECT_EQ(find("Button", "2"), made[3]);      // after a run of edits
    EXPECT_EQ(find("Button", "3"), made[4]);      // next to a button
    EXPECT_EQ(find("Button", "match"), made[6]);  // after a static
    EXPECT_EQ(find("Edit", "2"), made[2]);
    EXPECT_EQ(find("Edit", "match"), made[8]);    // the last child
    EXPECT_EQ(find("Static", "3"), made[5]);
    EXPECT_EQ(find("Button", "none"), nullptr);
    EXPECT_EQ(find("ComboBox", "x"), nullptr);    // no window of the class at all
    EXPECT_EQ(find("button", "2"), nullptr);      // the class compares with its case
    // An empty pattern keeps the walk over every class: a window without
    // text matches a class that merely contains the class pattern.
    String c("utton"), t;
    EXPECT_EQ(probe.FindPartialWindow(parent, nullptr, c, t, 0, 1), made[7]);
    DestroyWindow(parent);
}

// A failed lookup among 1,000 siblings ends (and says so) without waiting.
TEST(LookupManySiblings, FailedLookupAmongAThousandWindows)
{
    HWND parent = CreateWindowExA(0, "STATIC", "many", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    for (int i = 0; i < 1000; ++i)
        CreateWindowExA(0, "BUTTON", std::to_string(i).c_str(), WS_CHILD, 0, 0, 1, 1, parent, nullptr, nullptr,
                        nullptr);
    CDataWindow top, child, numbered;
    top.windowClass = "Static";
    top.tag = "many";
    child.windowClass = "Button";
    child.tag = "10*";
    top.ConstructChildPath(&child);
    unsigned id = 0;
    HMENU menu = nullptr;
    ASSERT_TRUE(child.FindMe(id, menu).IsSuccess());  // "10" is the first text holding "10"
    child.tag = "nope*";
    EXPECT_FALSE(child.FindMe(id, menu).IsSuccess());
    numbered.windowClass = "Button";
    numbered.tagNumber = 250;
    top.ConstructChildPath(&numbered);
    ASSERT_TRUE(numbered.FindMe(id, menu).IsSuccess());
    char text[16] = {};
    GetWindowTextA(numbered.foundWindow, text, sizeof text);
    EXPECT_STREQ(text, "249");
    DestroyWindow(parent);
}

}  // namespace
