// List views (items, subitems, header columns, selection) and tree views
// (dotted item paths).
#include "AgentTestSupport.h"

#include <commctrl.h>

#include <gtest/gtest.h>

namespace {

class ListViewHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitTestControls();
        const char* columns[] = {"Name", "Size"};
        for (int i = 0; i < 2; ++i) {
            LVCOLUMNA column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.cx = 100;
            column.pszText = const_cast<char*>(columns[i]);
            SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
        }
        const char* names[] = {"alpha.txt", "beta.txt"};
        const char* sizes[] = {"10", "20"};
        for (int i = 0; i < 2; ++i) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = const_cast<char*>(names[i]);
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            item.iSubItem = 1;
            item.pszText = const_cast<char*>(sizes[i]);
            SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        }
    }
    static constexpr const char* kClass = "SysListView32";
    TestWindow list{WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 5, 5, 300, 150, SharedFrame()};
};

TEST_F(ListViewHandlerTest, CountsAndTexts)
{
    AgentCall count("GetCount");
    count.Run(list, kClass);
    EXPECT_EQ(2, count.ResultInt());
    AgentCall item("GetItemText");
    item.Int(1).Int(0).Run(list, kClass);
    EXPECT_EQ(1, item.State());
    EXPECT_EQ("beta.txt", item.ResultString());
    AgentCall sub("GetItemText");
    sub.Int(0).Int(1).Run(list, kClass);
    EXPECT_EQ("10", sub.ResultString());
    AgentCall columns("GetColumnCount");
    columns.Run(list, kClass);
    EXPECT_EQ(2, columns.ResultInt());
    AgentCall column("GetColumnText");
    column.Int(1).Run(list, kClass);
    EXPECT_EQ(1, column.State());
    EXPECT_EQ("Size", column.ResultString());
}

// LVM_GETITEMTEXT answers an item out of range with an empty text; the
// handler reports the index instead of returning "".
TEST_F(ListViewHandlerTest, GetItemTextOfAMissingItem)
{
    for (int itemIndex : {2, -1}) {
        AgentCall item("GetItemText");
        item.Int(itemIndex).Int(0).Run(list, kClass);
        EXPECT_EQ(0, item.State());
        EXPECT_EQ("Bad ListView item index: " + std::to_string(itemIndex) + ", 0(K01575)", item.Message());
        EXPECT_FALSE(item.HasResult());
    }
    AgentCall sub("GetItemText");
    sub.Int(0).Int(-2).Run(list, kClass);
    EXPECT_EQ("Bad ListView item index: 0, -2(K01575)", sub.Message());
}

TEST_F(ListViewHandlerTest, GetColumnTextOutOfRange)
{
    for (int column : {2, -1}) {
        AgentCall call("GetColumnText");
        call.Int(column).Run(list, kClass);
        EXPECT_EQ(0, call.State());
        EXPECT_EQ("Bad ListView column index: " + std::to_string(column) + " (K01576)", call.Message());
    }
}

TEST_F(ListViewHandlerTest, SelectSelectsAndFocuses)
{
    AgentCall select("Select");
    select.Int(1).Arrive(CStatus(3, "Success", 0)).Run(list, kClass);
    EXPECT_EQ(3, select.State());  // no status of its own on success
    EXPECT_EQ(LVIS_SELECTED | LVIS_FOCUSED,
              SendMessageA(list, LVM_GETITEMSTATE, 1, LVIS_SELECTED | LVIS_FOCUSED));
    AgentCall bad("Select");
    bad.Int(5).Run(list, kClass);
    EXPECT_EQ(0, bad.State());
    EXPECT_EQ("Bad ListView item index: 5(K01579)", bad.Message());
    // -1 means "every item" to LVM_SETITEMSTATE; it is refused.
    AgentCall all("Select");
    all.Int(-1).Run(list, kClass);
    EXPECT_EQ("Bad ListView item index: -1(K01579)", all.Message());
    EXPECT_EQ(0, SendMessageA(list, LVM_GETITEMSTATE, 0, LVIS_SELECTED));
}

// A window of another class standing in for a list view without header:
// LVM_GETHEADER gives no window.
TEST(ListViewWithoutHeaderTest, ColumnFunctions)
{
    InitTestControls();
    TestWindow noHeader("Static", "", WS_CHILD, 5, 5, 100, 100, SharedFrame());
    AgentCall count("GetColumnCount");
    count.Run(noHeader, "SysListView32");
    EXPECT_EQ(0, count.ResultInt());
    AgentCall text("GetColumnText");
    text.Int(-1).Run(noHeader, "SysListView32");
    EXPECT_EQ(0, text.State());
    EXPECT_EQ("ListView does not have a column header.(K01578)", text.Message());
}

class TreeViewHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitTestControls();
        root = Insert(TVI_ROOT, "Root");
        child = Insert(root, "Child");
        leaf = Insert(child, "Leaf");
        Insert(root, "Second");
        other = Insert(TVI_ROOT, "Other");
        dotted = Insert(TVI_ROOT, "a.b");
    }
    HTREEITEM Insert(HTREEITEM parent, const char* text)
    {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<char*>(text);
        return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
    }
    bool Expanded(HTREEITEM item)
    {
        return (SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    }
    static constexpr const char* kClass = "SysTreeView32";
    TestWindow tree{WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, 5, 5, 200, 200, SharedFrame()};
    HTREEITEM root = nullptr, child = nullptr, leaf = nullptr, other = nullptr, dotted = nullptr;
};

TEST_F(TreeViewHandlerTest, CountSelectAndGetSelected)
{
    AgentCall count("GetCount");
    count.Run(tree, kClass);
    EXPECT_EQ(6, count.ResultInt());
    AgentCall select("Select");
    select.Str("Root.Child.Leaf").Arrive(CStatus::MakeError("stale")).Run(tree, kClass);
    EXPECT_EQ(1, select.State());
    EXPECT_EQ(leaf, reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)));
    AgentCall selected("GetSelected");
    selected.Run(tree, kClass);
    EXPECT_EQ(1, selected.State());
    EXPECT_EQ("Leaf", selected.ResultString());
    AgentCall top("Select");
    top.Str("Other").Run(tree, kClass);
    EXPECT_EQ(other, reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

TEST_F(TreeViewHandlerTest, GetSelectedWithoutSelection)
{
    AgentCall selected("GetSelected");
    selected.Run(tree, kClass);
    EXPECT_EQ(0, selected.State());
    EXPECT_EQ("Could not retrieve item text. (K01572)", selected.Message());
    EXPECT_FALSE(selected.HasResult());
}

TEST_F(TreeViewHandlerTest, ExpandCollapseAndIsExpanded)
{
    AgentCall expand("Expand");
    expand.Str("Root").Run(tree, kClass);
    EXPECT_EQ(1, expand.State());
    EXPECT_TRUE(Expanded(root));
    AgentCall is("IsExpanded");
    is.Str("Root").Run(tree, kClass);
    EXPECT_EQ(1, is.State());
    EXPECT_TRUE(is.ResultBool());
    AgentCall collapse("Collapse");
    collapse.Str("Root").Run(tree, kClass);
    EXPECT_FALSE(Expanded(root));
    AgentCall isNot("IsExpanded");
    isNot.Str("Root").Run(tree, kClass);
    ASSERT_TRUE(isNot.HasBoolResult());
    EXPECT_FALSE(isNot.ResultBool());
}

TEST_F(TreeViewHandlerTest, PathsThatNameNoItem)
{
    struct Case {
        const char* path;
        const char* message;
    } cases[] = {
        {"Root.Missing", "Item 'Missing' not found. (K01574)"},
        {"Nowhere.Child", "Item 'Nowhere' not found. (K01573)"},
        {"Root.Child.Leaf.Below", "Could not retrieve item text. (K01572)"},  // Leaf has no children
        {"Other.Anything", "Could not retrieve item text. (K01572)"},
        {"a.b", "Item 'a' not found. (K01573)"},  // a text with "." cannot be named
    };
    for (const Case& c : cases) {
        for (const char* function : {"Select", "Expand", "Collapse", "IsExpanded"}) {
            AgentCall call(function);
            call.Str(c.path).Run(tree, kClass);
            EXPECT_EQ(0, call.State()) << function << " " << c.path;
            EXPECT_EQ(c.message, call.Message()) << function << " " << c.path;
        }
    }
}

}  // namespace
