// Scroll bars, tab controls and tool bars.
#include "AgentTestSupport.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class ScrollBarHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitTestControls();
        SetScrollRange(bar, SB_CTL, 10, 50, FALSE);
        SetScrollPos(bar, SB_CTL, 20, FALSE);
    }
    TestWindow bar{"ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_HORZ, 5, 5, 200, 20, SharedFrame()};
};

TEST_F(ScrollBarHandlerTest, PositionAndRange)
{
    AgentCall pos("GetPos");
    pos.Run(bar, "ScrollBar");
    EXPECT_EQ(20, pos.ResultInt());
    AgentCall minimum("GetMinimum");
    minimum.Run(bar, "ScrollBar");
    EXPECT_EQ(10, minimum.ResultInt());
    AgentCall maximum("GetMaximum");
    maximum.Run(bar, "ScrollBar");
    EXPECT_EQ(50, maximum.ResultInt());
}

TEST_F(ScrollBarHandlerTest, SetPosAcceptsTheWholeRangeInclusive)
{
    for (int position : {10, 50}) {
        AgentCall set("SetPos");
        set.Int(position).Arrive(CStatus::MakeError("stale")).Run(bar, "ScrollBar");
        EXPECT_EQ(1, set.State());
        EXPECT_EQ("OK", set.Message());
        EXPECT_EQ(position, GetScrollPos(bar, SB_CTL));
    }
}

TEST_F(ScrollBarHandlerTest, SetPosOutsideTheRangeLeavesThePosition)
{
    for (int position : {51, 9}) {
        AgentCall set("SetPos");
        set.Int(position).Run(bar, "ScrollBar");
        EXPECT_EQ(0, set.State());
        EXPECT_EQ("Selection (" + std::to_string(position) + ") invalid.  ScrollBar range is from 10 to 50. (K01531)",
                  set.Message());
        EXPECT_EQ(20, GetScrollPos(bar, SB_CTL));
    }
}

class TabCtrlHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitTestControls();
        const char* names[] = {"First", "Second", "Third"};
        for (int i = 0; i < 3; ++i) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(names[i]);
            SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
    }
    TestWindow tabs{WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 5, 5, 300, 100, SharedFrame()};
};

TEST_F(TabCtrlHandlerTest, CountActiveTabAndSelectTab)
{
    AgentCall count("GetCount");
    count.Run(tabs, "SysTabControl32");
    EXPECT_EQ(3, count.ResultInt());
    AgentCall select("SelectTab");
    select.Int(2).Arrive(CStatus::MakeError("stale")).Run(tabs, "SysTabControl32");
    EXPECT_EQ(1, select.State());
    AgentCall active("GetActiveTab");
    active.Run(tabs, "SysTabControl32");
    EXPECT_EQ(2, active.ResultInt());
    // Out of range: no error, the selection stays.
    AgentCall outside("SelectTab");
    outside.Int(9).Run(tabs, "SysTabControl32");
    EXPECT_EQ(1, outside.State());
    EXPECT_EQ(2, SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
}

TEST_F(TabCtrlHandlerTest, GetTabText)
{
    AgentCall text("GetTabText");
    text.Int(1).Run(tabs, "SysTabControl32");
    EXPECT_EQ(1, text.State());
    EXPECT_EQ("Second", text.ResultString());
    AgentCall bad("GetTabText");
    bad.Int(3).Run(tabs, "SysTabControl32");
    EXPECT_EQ(0, bad.State());
    EXPECT_EQ("TabCtrl tab (3) invalid. (K01550)", bad.Message());
    EXPECT_EQ("", bad.ResultString());
}

class ToolbarHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitTestControls();
        SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
        TBBUTTON buttons[3] = {};
        buttons[0].iBitmap = I_IMAGENONE;
        buttons[0].idCommand = 4001;
        buttons[0].fsState = TBSTATE_ENABLED;
        buttons[1].idCommand = 0;
        buttons[1].fsStyle = BTNS_SEP;
        buttons[2].iBitmap = I_IMAGENONE;
        buttons[2].idCommand = 4002;
        buttons[2].fsState = TBSTATE_ENABLED;
        SendMessageA(toolbar, TB_ADDBUTTONSA, 3, reinterpret_cast<LPARAM>(buttons));
        TestFrame::Commands().clear();
    }
    TestWindow toolbar{TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 30, SharedFrame()};
};

TEST_F(ToolbarHandlerTest, CountAndRows)
{
    AgentCall count("GetCount");
    count.Run(toolbar, "ToolbarWindow32");
    EXPECT_EQ(3, count.ResultInt());
    AgentCall rows("GetRows");
    rows.Run(toolbar, "ToolbarWindow32");
    EXPECT_EQ(1, rows.ResultInt());
}

TEST_F(ToolbarHandlerTest, PressButtonPostsTheCommandOfThatIndex)
{
    AgentCall press("PressButton");
    press.Int(2).Arrive(CStatus::MakeError("stale")).Run(toolbar, "ToolbarWindow32");
    EXPECT_EQ(1, press.State());
    EXPECT_TRUE(TestFrame::Commands().empty());  // posted, not yet handled
    ASSERT_TRUE(PumpUntil([] { return !TestFrame::Commands().empty(); }));
    EXPECT_EQ(4002u, TestFrame::Commands().front());
    // A separator posts its stored command id as well.
    TestFrame::Commands().clear();
    AgentCall separator("PressButton");
    separator.Int(1).Run(toolbar, "ToolbarWindow32");
    EXPECT_EQ(1, separator.State());
    ASSERT_TRUE(PumpUntil([] { return !TestFrame::Commands().empty(); }));
    EXPECT_EQ(0u, TestFrame::Commands().front());
}

TEST_F(ToolbarHandlerTest, PressButtonOutOfRange)
{
    AgentCall press("PressButton");
    press.Int(3).Run(toolbar, "ToolbarWindow32");
    EXPECT_EQ(0, press.State());
    EXPECT_EQ("ToolBar button (3) invalid. (K01560)", press.Message());
}

}  // namespace
