// List boxes: counting, reading, and selecting in single, multiple-selection
// and multi-column lists.
#include "AgentTestSupport.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

class ListBoxHandlerTest : public ::testing::Test {
protected:
    void SetUp() override { InitTestControls(); }

    static void Fill(HWND list, std::initializer_list<const char*> items)
    {
        for (const char* item : items) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }

    HWND frame = SharedFrame();
};

constexpr DWORD kList = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER;

TEST_F(ListBoxHandlerTest, GetCountGetElementAndGetSel)
{
    TestWindow list("ListBox", "", kList, 5, 5, 150, 100, frame);
    Fill(list, {"alpha", "beta", "gamma"});
    AgentCall count("GetCount");
    count.Run(list, "ListBox");
    EXPECT_EQ(3, count.ResultInt());
    AgentCall element("GetElement");
    element.Int(2).Run(list, "ListBox");
    EXPECT_EQ(1, element.State());
    EXPECT_EQ("gamma", element.ResultString());
    AgentCall none("GetSel");
    none.Run(list, "ListBox");
    EXPECT_EQ(-1, none.ResultInt());
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    AgentCall sel("GetSel");
    sel.Run(list, "ListBox");
    EXPECT_EQ(1, sel.ResultInt());
}

TEST_F(ListBoxHandlerTest, GetElementOutOfRange)
{
    TestWindow list("ListBox", "", kList, 5, 5, 150, 100, frame);
    Fill(list, {"alpha", "beta"});
    for (int index : {2, -1}) {
        AgentCall call("GetElement");
        call.Int(index).Run(list, "ListBox");
        EXPECT_EQ(0, call.State());
        EXPECT_EQ("Selection (" + std::to_string(index) +
                      ") invalid.  There are from 0 to 2 elements in this control. (K01533)",
                  call.Message());
        EXPECT_FALSE(call.HasResult());
    }
}

TEST_F(ListBoxHandlerTest, SelectStringMatchesAPrefix)
{
    TestWindow list("ListBox", "", kList, 5, 5, 150, 100, frame);
    Fill(list, {"alpha", "beta", "gamma"});
    AgentCall found("SelectString");
    found.Str("gam").Run(list, "ListBox");
    EXPECT_EQ(1, found.State());
    EXPECT_TRUE(found.ResultBool());
    EXPECT_EQ(2, SendMessageA(list, LB_GETCURSEL, 0, 0));
    AgentCall first("SelectString");
    first.Str("alpha").Run(list, "ListBox");
    EXPECT_TRUE(first.ResultBool());
    EXPECT_EQ(0, SendMessageA(list, LB_GETCURSEL, 0, 0));
    AgentCall missing("SelectString");
    missing.Str("delta").Run(list, "ListBox");
    EXPECT_EQ(1, missing.State());
    ASSERT_TRUE(missing.HasBoolResult());
    EXPECT_FALSE(missing.ResultBool());
}

TEST_F(ListBoxHandlerTest, SelectOnASingleSelectionList)
{
    TestWindow list("ListBox", "", kList, 5, 5, 150, 100, frame);
    Fill(list, {"alpha", "beta", "gamma"});
    AgentCall select("Select");
    select.Int(1).Arrive(CStatus::MakeError("stale")).Run(list, "ListBox");
    EXPECT_EQ(1, select.State());
    EXPECT_EQ("OK", select.Message());
    EXPECT_EQ(1, SendMessageA(list, LB_GETCURSEL, 0, 0));
    AgentCall bad("Select");
    bad.Int(3).Run(list, "ListBox");
    EXPECT_EQ(0, bad.State());
    EXPECT_EQ("Selection (3) invalid.  There are from 0 to 3 elements in this control. (K01532)", bad.Message());
}

TEST_F(ListBoxHandlerTest, SelectOnAMultipleSelectionListAddsToTheSelection)
{
    TestWindow list("ListBox", "", kList | LBS_MULTIPLESEL, 5, 5, 150, 100, frame);
    Fill(list, {"alpha", "beta", "gamma"});
    AgentCall first("Select");
    first.Int(0).Run(list, "ListBox");
    AgentCall second("Select");
    second.Int(2).Run(list, "ListBox");
    EXPECT_EQ(1, second.State());
    EXPECT_EQ(2, SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    EXPECT_GT(SendMessageA(list, LB_GETSEL, 0, 0), 0);
    EXPECT_EQ(0, SendMessageA(list, LB_GETSEL, 1, 0));
    EXPECT_GT(SendMessageA(list, LB_GETSEL, 2, 0), 0);
}

TEST_F(ListBoxHandlerTest, SelectOutOfRangeOnAMultipleSelectionList)
{
    TestWindow list("ListBox", "", kList | LBS_MULTIPLESEL, 5, 5, 150, 100, frame);
    Fill(list, {"alpha", "beta", "gamma"});
    AgentCall bad("Select");
    bad.Int(5).Run(list, "ListBox");
    EXPECT_EQ(0, bad.State());
    EXPECT_EQ("Selection (5) invalid.  There are from 0 to 3 elements in this control. (K01531)", bad.Message());
    // -1 means "every item" to LB_SETSEL; it is refused, nothing is selected.
    AgentCall all("Select");
    all.Int(-1).Run(list, "ListBox");
    EXPECT_EQ(0, all.State());
    EXPECT_EQ("Selection (-1) invalid.  There are from 0 to 3 elements in this control. (K01531)", all.Message());
    EXPECT_EQ(0, SendMessageA(list, LB_GETSELCOUNT, 0, 0));
}

TEST_F(ListBoxHandlerTest, SelectOnAMultiColumnListPicksThatItem)
{
    TestWindow list("ListBox", "", kList | LBS_MULTICOLUMN, 5, 5, 250, 100, frame);
    // The second item starts with the first one's text: selecting item 0 by
    // its text must still select item 0.
    Fill(list, {"ab", "abc", "b"});
    AgentCall zero("Select");
    zero.Int(0).Run(list, "ListBox");
    EXPECT_EQ(1, zero.State());
    EXPECT_EQ(0, SendMessageA(list, LB_GETCURSEL, 0, 0));
    AgentCall two("Select");
    two.Int(2).Run(list, "ListBox");
    EXPECT_EQ(2, SendMessageA(list, LB_GETCURSEL, 0, 0));
    AgentCall bad("Select");
    bad.Int(3).Run(list, "ListBox");
    EXPECT_EQ(0, bad.State());
    EXPECT_EQ("Selection (3) invalid.  There are from 0 to 3 elements in this control. (K01530)", bad.Message());
}

}  // namespace
