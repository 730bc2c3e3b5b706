// The function processor and its class table: which handler serves which
// class, how the registry numbers and releases prototypes, and the statuses
// of calls that never reach a function.
#include "AgentTestSupport.h"
#include "HandlerRegistry.h"
#include "WindowHandler.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ProcessorTest : public ::testing::Test {
protected:
    void SetUp() override { InitTestControls(); }
    void TearDown() override { CHandlerRegistry::Reset(); }
};

TEST_F(ProcessorTest, InitWindowsRegistersTheNineClassesInOrder)
{
    CFunctionProcessor processor;
    EXPECT_EQ(1, processor.InitWindows());
    CHandlerRegistry& registry = CHandlerRegistry::Instance();
    EXPECT_EQ(9, registry.GetCount());
    const char* expected[] = {"SysTabControl32", "Button",   "ScrollBar", "Static",         "SysTreeView32",
                              "SysListView32",   "ComboBox", "ListBox",   "ToolbarWindow32"};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(i + 1, registry.GetId(expected[i])) << expected[i];
    EXPECT_EQ(0, registry.GetId("Edit"));
    EXPECT_EQ(0, registry.GetId("button"));
}

TEST_F(ProcessorTest, SecondInitKeepsIdsAndReleasesTheDuplicates)
{
    CFunctionProcessor processor;
    processor.InitWindows();
    processor.InitWindows();  // as after a failed call, which does not reset
    EXPECT_EQ(9, CHandlerRegistry::Instance().GetCount());
    EXPECT_EQ(2, CHandlerRegistry::Instance().GetId("Button"));
}

TEST_F(ProcessorTest, DuplicateNameGetsTheExistingIdAndIsNotKept)
{
    CFunctionProcessor processor;
    processor.InitWindows();
    CWindowHandler duplicate(String("ListBox"));
    EXPECT_EQ(8, duplicate.GetRegistrationId());
    EXPECT_FALSE(CHandlerRegistry::Instance().Holds(&duplicate));
    EXPECT_EQ(9, CHandlerRegistry::Instance().GetCount());
    EXPECT_EQ(-1, CHandlerRegistry::Instance().Register(nullptr));
}

TEST_F(ProcessorTest, PrototypeDestroyedElsewhereLeavesTheList)
{
    auto* own = new CWindowHandler(String("KestrelOwnClass"));
    EXPECT_EQ(1, own->GetRegistrationId());
    EXPECT_TRUE(CHandlerRegistry::Instance().Holds(own));
    delete own;
    EXPECT_EQ(0, CHandlerRegistry::Instance().GetCount());
}

TEST_F(ProcessorTest, FindClonesTheClassHandlerOrMakesAGenericOne)
{
    CFunctionProcessor processor;
    processor.InitWindows();
    std::unique_ptr<CWindowHandler> button(CHandlerRegistry::Instance().Find("Button"));
    ASSERT_TRUE(button);
    EXPECT_EQ("Button", button->GetHandlerClassName().str());
    EXPECT_EQ(2, button->GetRegistrationId());
    EXPECT_FALSE(CHandlerRegistry::Instance().Holds(button.get()));
    std::unique_ptr<CWindowHandler> edit(CHandlerRegistry::Instance().Find("Edit"));
    ASSERT_TRUE(edit);
    EXPECT_EQ("Edit", edit->GetHandlerClassName().str());
    EXPECT_EQ(0, edit->GetRegistrationId());
    EXPECT_EQ(0, CHandlerRegistry::Instance().GetId("Edit"));
}

TEST_F(ProcessorTest, TheRegistryIsBuiltOnceAndKeptAcrossCalls)
{
    HWND frame = SharedFrame();
    TestWindow label("Static", "hello", WS_CHILD | WS_VISIBLE, 5, 5, 80, 20, frame);
    std::vector<const CWindowHandler*> first;
    for (int round = 0; round < 2; ++round) {
        AgentCall call("GetText");
        call.Run(label, "Static");
        EXPECT_EQ(1, call.State());
        EXPECT_EQ("hello", call.ResultString());
        // The same nine prototypes, with the same ids, after every call.
        EXPECT_EQ(9, CHandlerRegistry::Instance().GetCount());
        EXPECT_EQ(1, CHandlerRegistry::Instance().GetId("SysTabControl32"));
        if (round == 0) first = CHandlerRegistry::Instance().Prototypes();
        else EXPECT_EQ(first, CHandlerRegistry::Instance().Prototypes());
    }
}

TEST_F(ProcessorTest, UnsupportedNameNamesTheFunctionAndTheClass)
{
    HWND frame = SharedFrame();
    TestWindow label("Static", "x", WS_CHILD | WS_VISIBLE, 5, 5, 80, 20, frame);
    TestWindow edit("Edit", "x", WS_CHILD | WS_VISIBLE, 5, 30, 80, 20, frame);
    AgentCall onStatic("Click");
    onStatic.Run(label, "Static");
    EXPECT_EQ(0, onStatic.State());
    EXPECT_EQ(1, onStatic.Flag());
    EXPECT_EQ("Function 'Click' not supported by window class 'Static'", onStatic.Message());
    AgentCall onEdit("GetCount");
    onEdit.Run(edit, "Edit");
    EXPECT_EQ("Function 'GetCount' not supported by window class 'Edit'", onEdit.Message());
    // Names are matched whole and with case: "button" is not the Button class.
    TestWindow push("Button", "OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 60, 80, 20, frame);
    AgentCall lower("IsChecked");
    lower.Run(push, "button");
    EXPECT_EQ("Function 'IsChecked' not supported by window class 'button'", lower.Message());
    AgentCall wrongCase("gettext");
    wrongCase.Run(label, "Static");
    EXPECT_EQ("Function 'gettext' not supported by window class 'Static'", wrongCase.Message());
}

TEST_F(ProcessorTest, WindowThatCannotBeAttachedRunsNothing)
{
    AgentCall nullWindow("GetText");
    nullWindow.Run(nullptr, "Static");
    EXPECT_EQ(0, nullWindow.State());
    EXPECT_EQ("Internal error in .\\FunctionProcessor at line 42.", nullWindow.Message());
    EXPECT_FALSE(nullWindow.HasResult());
    // The failed call leaves the registry in place; the next call reuses it.
    EXPECT_EQ(9, CHandlerRegistry::Instance().GetCount());
    HWND gone;
    {
        TestWindow child("Static", "", WS_CHILD, 0, 0, 10, 10, SharedFrame());
        gone = child;
    }
    AgentCall destroyed("GetText");
    destroyed.Run(gone, "Static");
    EXPECT_EQ("Internal error in .\\FunctionProcessor at line 42.", destroyed.Message());
}

TEST_F(ProcessorTest, MissingOrMistypedParameterIsAnInternalError)
{
    HWND frame = SharedFrame();
    TestWindow bar("ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 5, 5, 200, 20, frame);
    AgentCall missing("SetPos");
    missing.Run(bar, "ScrollBar");
    EXPECT_EQ(0, missing.State());
    EXPECT_EQ("Internal error: parameter 1 of 'SetPos' is not an int.", missing.Message());
    AgentCall mistyped("SetPos");
    mistyped.Str("3").Run(bar, "ScrollBar");
    EXPECT_EQ(0, mistyped.State());
    EXPECT_EQ("Internal error: parameter 1 of 'SetPos' is not an int.", mistyped.Message());
}

}  // namespace
