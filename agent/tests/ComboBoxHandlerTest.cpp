// Combo boxes: GetCount, Select and GetElement with their range errors.
#include "AgentTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class ComboBoxHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitTestControls();
        for (const char* item : {"red", "green", "blue"}) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    HWND frame = SharedFrame();
    TestWindow combo{"ComboBox", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, 5, 5, 150, 120, frame};
};

TEST_F(ComboBoxHandlerTest, GetCount)
{
    AgentCall call("GetCount");
    call.Run(combo, "ComboBox");
    EXPECT_EQ(1, call.State());
    EXPECT_EQ(3, call.ResultInt());
}

TEST_F(ComboBoxHandlerTest, SelectSetsTheSelection)
{
    AgentCall call("Select");
    call.Int(2).Arrive(CStatus::MakeError("stale")).Run(combo, "ComboBox");
    EXPECT_EQ(1, call.State());
    EXPECT_EQ("OK", call.Message());
    EXPECT_EQ(2, SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

TEST_F(ComboBoxHandlerTest, SelectOutOfRangeNamesTheCount)
{
    for (int index : {3, -1}) {
        AgentCall call("Select");
        call.Int(index).Run(combo, "ComboBox");
        EXPECT_EQ(0, call.State());
        EXPECT_EQ("Selection (" + std::to_string(index) +
                      ") invalid.  There are from 0 to 3 elements in this control. (K01520)",
                  call.Message());
    }
}

TEST_F(ComboBoxHandlerTest, GetElementReadsTheItemAndClosesTheList)
{
    AgentCall call("GetElement");
    call.Int(1).Run(combo, "ComboBox");
    EXPECT_EQ(1, call.State());
    EXPECT_EQ("green", call.ResultString());
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
}

TEST_F(ComboBoxHandlerTest, GetElementOutOfRangeStoresAnEmptyText)
{
    AgentCall call("GetElement");
    call.Int(7).Run(combo, "ComboBox");
    EXPECT_EQ(0, call.State());
    EXPECT_EQ("Selection (7) invalid.  There are from 0 to 3 elements in this control. (K01521)", call.Message());
    EXPECT_EQ("", call.ResultString());
    EXPECT_FALSE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
}

// CB_GETLBTEXT takes no buffer size: a text longer than the 1,024-byte
// buffer is read whole and cut to 1,023 characters, never written past it.
TEST_F(ComboBoxHandlerTest, GetElementCutsALongTextTo1023Characters)
{
    const std::string longText(3000, 'q');
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(longText.c_str()));
    AgentCall call("GetElement");
    call.Int(3).Run(combo, "ComboBox");
    EXPECT_EQ(1, call.State());
    EXPECT_EQ(std::string(1023, 'q'), call.ResultString());
}

}  // namespace
