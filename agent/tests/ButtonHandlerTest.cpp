// Buttons: Click, IsSelected and IsChecked by button type.
#include "AgentTestSupport.h"

#include <gtest/gtest.h>

namespace {

class ButtonHandlerTest : public ::testing::Test {
protected:
    void SetUp() override { InitTestControls(); }
    HWND frame = SharedFrame();
};

TEST_F(ButtonHandlerTest, ClickPostsAClickThatTogglesACheckBox)
{
    TestWindow box("Button", "box", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 5, 5, 100, 20, frame);
    AgentCall click("Click");
    click.Arrive(CStatus(3, "Success", 0)).Run(box, "Button");
    EXPECT_EQ(3, click.State());  // no status of its own on success
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(box, BM_GETCHECK, 0, 0));  // posted, not yet handled
    EXPECT_TRUE(PumpUntil([&] { return SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
}

TEST_F(ButtonHandlerTest, ClickOnAWindowThatIsGone)
{
    HWND gone;
    {
        TestWindow box("Button", "box", WS_CHILD | BS_AUTOCHECKBOX, 5, 5, 100, 20, frame);
        gone = box;
        // Attach refuses a dead window before Click can run.
    }
    AgentCall click("Click");
    click.Run(gone, "Button");
    EXPECT_EQ("Internal error in .\\FunctionProcessor at line 42.", click.Message());
}

TEST_F(ButtonHandlerTest, IsSelectedOfRadioButtons)
{
    TestWindow manual("Button", "r1", WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON, 5, 5, 100, 20, frame);
    TestWindow automatic("Button", "r2", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 5, 30, 100, 20, frame);
    SendMessageA(automatic, BM_SETCHECK, BST_CHECKED, 0);
    AgentCall off("IsSelected");
    off.Run(manual, "Button");
    EXPECT_EQ(1, off.State());
    ASSERT_TRUE(off.HasBoolResult());
    EXPECT_FALSE(off.ResultBool());
    AgentCall on("IsSelected");
    on.Run(automatic, "Button");
    EXPECT_EQ(1, on.State());
    EXPECT_TRUE(on.ResultBool());
}

TEST_F(ButtonHandlerTest, IsSelectedOfAPushButtonIsAnErrorWithFalse)
{
    TestWindow push("Button", "push", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 100, 20, frame);
    TestWindow box("Button", "box", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 5, 30, 100, 20, frame);
    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    for (HWND button : {push.Handle(), box.Handle()}) {
        AgentCall call("IsSelected");
        call.Run(button, "Button");
        EXPECT_EQ(0, call.State());
        EXPECT_EQ(1, call.Flag());
        EXPECT_EQ("Button must be a radio button for 'IsSelected'. (K01511)", call.Message());
        ASSERT_TRUE(call.HasBoolResult());
        EXPECT_FALSE(call.ResultBool());
    }
}

TEST_F(ButtonHandlerTest, IsCheckedOfTheFourCheckBoxTypes)
{
    const DWORD types[] = {BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE, BS_AUTO3STATE};
    const WPARAM states[] = {BST_CHECKED, BST_UNCHECKED, BST_INDETERMINATE, BST_CHECKED};
    const bool expected[] = {true, false, true, true};
    for (int i = 0; i < 4; ++i) {
        TestWindow box("Button", "box", WS_CHILD | WS_VISIBLE | types[i], 5, 5, 100, 20, frame);
        SendMessageA(box, BM_SETCHECK, states[i], 0);
        AgentCall call("IsChecked");
        call.Run(box, "Button");
        EXPECT_EQ(1, call.State()) << i;
        EXPECT_EQ(expected[i], call.ResultBool()) << i;
    }
}

TEST_F(ButtonHandlerTest, IsCheckedOfARadioButtonIsAnErrorWithFalse)
{
    TestWindow radio("Button", "r", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 5, 5, 100, 20, frame);
    SendMessageA(radio, BM_SETCHECK, BST_CHECKED, 0);
    AgentCall call("IsChecked");
    call.Run(radio, "Button");
    EXPECT_EQ(0, call.State());
    EXPECT_EQ("Button must be a check box for 'IsChecked'. (K01512)", call.Message());
    ASSERT_TRUE(call.HasBoolResult());
    EXPECT_FALSE(call.ResultBool());
}

TEST_F(ButtonHandlerTest, OtherNamesGoToTheGenericFunctions)
{
    TestWindow push("Button", "Press me", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 5, 100, 20, frame);
    AgentCall text("GetText");
    text.Run(push, "Button");
    EXPECT_EQ("Press me", text.ResultString());
    AgentCall unknown("Select");
    unknown.Run(push, "Button");
    EXPECT_EQ("Function 'Select' not supported by window class 'Button'", unknown.Message());
}

}  // namespace
