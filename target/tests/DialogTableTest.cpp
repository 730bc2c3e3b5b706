// Walks every dialog the Controls commands open: its pick event, caption,
// control ids, and the Cancel event under its prefix.
#include "TargetProcess.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace kt::test {
namespace {

struct DialogEntry {
    int command;
    const char* pick;
    const char* caption;
    const char* cancel;  // the event Cancel logs
    std::vector<int> controls;
};

const DialogEntry kDialogs[] = {
    {ID_CONTROLS_TREEVIEW, "TreeView.Pick()", "TreeView Dialog", "TreeViewDialog.Cancel()",
     {IDC_TREE, IDC_TREE_EDIT, IDC_TREE_INSERT, IDC_TREE_DELETE, IDC_TREE_CLEAR}},
    {ID_CONTROLS_LISTBOX, "ListBox.Pick", "ListBox Dialog", "ListBoxDialog.Cancel",
     {IDC_LISTBOX, IDC_LISTBOX_EDIT, IDC_LISTBOX_INSERT, IDC_LISTBOX_DELETE, IDC_LISTBOX_CLEAR}},
    {ID_CONTROLS_DRAWING, "Drawing.Pick", "Drawing Dialog", "DrawingDialog.Cancel",
     {IDC_DRAW_SURFACE, IDC_DRAW_RED, IDC_DRAW_GREEN, IDC_DRAW_BLUE, IDC_DRAW_X, IDC_DRAW_Y,
      IDC_DRAW_TEXT, IDC_DRAW_SIZE, IDC_DRAW_SETPEN, IDC_DRAW_RESET, IDC_DRAW_SETTEXT}},
    {ID_CONTROLS_LISTVIEW, "ListView.Pick", "List View Dialog", "ListViewDialog.Cancel",
     {IDC_LISTVIEW, IDC_LISTVIEW_EDIT, IDC_LISTVIEW_ADDITEM, IDC_LISTVIEW_ADDCOL, IDC_LISTVIEW_DELETE}},
    {ID_CONTROLS_CHECKBOX, "CheckBox.Pick", "Check Box Dialog", "CheckBoxDialog.Cancel",
     {IDC_CHECKBOX, IDC_ENABLEDCHECKBOX, IDC_ENABLE}},
    {ID_CONTROLS_RADIO, "RadioButton.Pick", "Radio Buttons", "RadioDialog.Cancel",
     {IDC_RADIO_GROUP, IDC_RADIO1, IDC_RADIO2, IDC_RADIO3}},
    {ID_CONTROLS_COMBOBOX, "ComboBox.Pick", "Combo Box Dialog", "ComboBoxDialog.Cancel",
     {IDC_COMBO, IDC_COMBO_EDIT, IDC_COMBO_INSERT, IDC_COMBO_DELETE, IDC_COMBO_EXPAND, IDC_COMBO_CLEAR}},
    {ID_CONTROLS_PAGELIST, "PageList.Pick", "Page List Dialog", "PageListDialog.Cancel",
     {IDC_PAGELIST_TAB, IDC_PAGELIST_EDIT, IDC_PAGELIST_INSERT, IDC_PAGELIST_DELETE}},
    {ID_CONTROLS_PUSHBUTTON, "PushButton.Pick", "Button Dialog", "ButtonDialog.Cancel",
     {IDC_BUTTON1, IDC_DEFAULTBUTTON, IDC_GRAPHICBUTTON, IDC_BUTTON_STATUS}},
    {ID_CONTROLS_SCROLLBARS, "ScrollBars.Pick", "Scroll Bar Dialog", "ScrollBarDialog.Cancel",
     {IDC_HSCROLL, IDC_VSCROLL, 1039, 1040, 1041, 1042, 1043, 1044, IDC_SCROLL_SET}},
    {ID_CONTROLS_STATICTEXT, "StaticText.Pick", "Static Dialog", "StaticDialog.Cancel",
     {IDC_STATIC_NONEDIT, IDC_STATIC_DISABLED, IDC_STATIC_TABSTOP, IDC_STATIC_EDIT, IDC_STATIC_SETTEXT}},
    {ID_CONTROLS_EDITBOX, "EditBox.Pick", "Edit Dialog", "EditDialog.Cancel",
     {IDC_EDIT_LONG, IDC_EDIT_SHORT, IDC_EDIT_MULTI, IDC_EDIT_RESET}},
    {ID_CONTROLS_KEYBOARD, "KeyBoard.Pick", "Keyboard Events Dialog", "KeyboardDialog.Cancel",
     {IDC_KEY_LIST, IDC_KEY_RESET}},
    {ID_CONTROLS_CURSORS, "Cursors.Pick", "Cursor Dialog", "CursorDialog.Cancel",
     {2624, 2625, 2626, 2627, 2628, 2629}},
    {ID_CONTROLS_STATUSBAR, "StatusBar.Pick", "Status Bar Dialog", "StatusBarDialog.Cancel",
     {IDC_STATUSBAR_EDIT}},
    {ID_CONTROLS_DRAGDROP, "Drag&Drop.Pick", "Drag & Drop", "DragDropDialog.Cancel", {}},
    {ID_CONTROLS_TEXTFIELD, "TextField.Pick", "Text Field Dialog", "TextFieldDialog.Cancel",
     {IDC_FIELD1, IDC_FIELD2, IDC_RESET_FIELD1, IDC_RESET_FIELD2, IDC_SELECTED_TEXT}},
};

TEST(DialogTable, EveryControlsCommandOpensItsDialog) {
    TargetProcess target;
    std::vector<std::string> expected;
    for (const DialogEntry& entry : kDialogs) {
        SCOPED_TRACE(entry.caption);
        HWND dialog = target.OpenDialog(entry.command, entry.caption);
        ASSERT_TRUE(dialog);
        EXPECT_FALSE(IsWindowEnabled(target.frame())) << "the dialog must be modal";
        for (int id : entry.controls) EXPECT_TRUE(GetDlgItem(dialog, id)) << "control id " << id;
        EXPECT_TRUE(GetDlgItem(dialog, IDOK));
        ASSERT_TRUE(TargetProcess::Cancel(dialog));
        expected.push_back(std::string("KestrelTarget.Controls.") + entry.pick);
        expected.push_back(entry.cancel);
        // The pick comes before the dialog, the Cancel after it; nothing else.
        EXPECT_EQ(target.WaitLog(expected.size()), expected);
    }
}

// Scripts name a button by its text: within each dialog every button that
// shows text has one of its own. A disabled static stays disabled.
TEST(DialogTable, EveryButtonOfADialogHasATextOfItsOwn) {
    TargetProcess target("");
    for (const DialogEntry& entry : kDialogs) {
        SCOPED_TRACE(entry.caption);
        HWND dialog = target.OpenDialog(entry.command, entry.caption);
        ASSERT_TRUE(dialog);
        std::vector<std::string> texts;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char className[32] = {};
            GetClassNameA(child, className, sizeof className);
            const LONG style = GetWindowLongA(child, GWL_STYLE);
            const bool picture = (style & (BS_BITMAP | BS_ICON)) != 0 || (style & BS_TYPEMASK) == BS_OWNERDRAW;
            if (lstrcmpiA(className, "Button") != 0 || picture) continue;
            const std::string text = TargetProcess::Text(child);
            EXPECT_FALSE(text.empty()) << "button " << GetDlgCtrlID(child);
            for (const std::string& seen : texts) EXPECT_NE(seen, text) << "button " << GetDlgCtrlID(child);
            texts.push_back(text);
        }
        ASSERT_TRUE(TargetProcess::Cancel(dialog));
    }
    HWND statics = target.OpenDialog(ID_CONTROLS_STATICTEXT, "Static Dialog");
    ASSERT_TRUE(statics);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(statics, IDC_STATIC_DISABLED)));
    EXPECT_TRUE(TargetProcess::Cancel(statics));
}

}  // namespace
}  // namespace kt::test
