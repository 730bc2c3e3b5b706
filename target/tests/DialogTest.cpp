// The control dialogs' own events and the generic events every dialog logs.
#include "TargetProcess.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cwchar>

namespace kt::test {
namespace {

using Lines = std::vector<std::string>;

// Opens one dialog in a fresh target; the log then holds the pick event.
class DialogTest : public ::testing::Test {
protected:
    HWND Open(int command, const char* caption) {
        dialog_ = target_.OpenDialog(command, caption);
        EXPECT_TRUE(dialog_) << caption;
        target_.WaitLog(1);
        return dialog_;
    }
    // The lines after the pick event, once there are `count` of them.
    Lines After(size_t count) {
        Lines all = target_.WaitLog(count + 1);
        return all.empty() ? all : Lines(all.begin() + 1, all.end());
    }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    LRESULT Send(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(Item(id), msg, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result);
        return static_cast<LRESULT>(result);
    }
    void Click(int id) const { TargetProcess::Click(dialog_, id); }
    void SetText(int id, const std::string& text) const { TargetProcess::SetText(dialog_, id, text); }

    TargetProcess target_;
    HWND dialog_ = nullptr;
};

TEST_F(DialogTest, ButtonDialogButtonsLogAndSetTheStatus) {
    Open(ID_CONTROLS_PUSHBUTTON, "Button Dialog");
    Click(IDC_BUTTON1);
    EXPECT_EQ(After(1), Lines({"ButtonDialog.Button1"}));
    EXPECT_EQ(TargetProcess::Text(Item(IDC_BUTTON_STATUS)), "Status: Button1 Clicked");
    Click(IDC_GRAPHICBUTTON);
    EXPECT_EQ(After(2).back(), "ButtonDialog.GraphicButton");
    EXPECT_EQ(TargetProcess::Text(Item(IDC_BUTTON_STATUS)), "Status: Graphic Clicked");
    Click(IDC_DEFAULTBUTTON);
    EXPECT_EQ(After(3).back(), "ButtonDialog.DefaultButton");
    EXPECT_EQ(TargetProcess::Text(Item(IDC_BUTTON_STATUS)), "Status: Default Clicked");
    Click(IDOK);
    EXPECT_EQ(After(4).back(), "ButtonDialog.OK");
}

TEST_F(DialogTest, GenericEventsUseTheDialogPrefix) {
    Open(ID_CONTROLS_PUSHBUTTON, "Button Dialog");
    const UINT messages[] = {WM_KEYDOWN, WM_KEYUP, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                             WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK};
    for (UINT msg : messages) PostMessageA(dialog_, msg, msg < WM_MOUSEFIRST ? 'Q' : 0, MAKELPARAM(4, 4));
    EXPECT_EQ(After(8), Lines({"ButtonDialog.KeyDown", "ButtonDialog.KeyUp", "ButtonDialog.LeftButton.Down",
                               "ButtonDialog.LeftButton.Up", "ButtonDialog.LeftButton.DoubleClick",
                               "ButtonDialog.RightButton.Down", "ButtonDialog.RightButton.Up",
                               "ButtonDialog.RightButton.DoubleClick"}));
    SetWindowPos(dialog_, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(After(9).back(), "ButtonDialog.Move");
    SetWindowPos(dialog_, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(After(10).back(), "ButtonDialog.Resize");
    PostMessageA(dialog_, WM_CLOSE, 0, 0);
    EXPECT_EQ(After(11).back(), "ButtonDialog.Cancel");
}

TEST_F(DialogTest, CheckBoxesFlipAndEnableTogglesTheSecond) {
    Open(ID_CONTROLS_CHECKBOX, "Check Box Dialog");
    EXPECT_EQ(Send(IDC_CHECKBOX, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(Send(IDC_ENABLEDCHECKBOX, BM_GETCHECK), BST_UNCHECKED);
    Click(IDC_CHECKBOX);
    Click(IDC_ENABLEDCHECKBOX);
    Click(IDC_ENABLE);
    EXPECT_EQ(After(3), Lines({"CheckBoxDialog.CheckBox", "CheckBoxDialog.EnabledCheckBox",
                               "CheckBoxDialog.Enable"}));
    EXPECT_EQ(Send(IDC_CHECKBOX, BM_GETCHECK), BST_UNCHECKED);
    EXPECT_EQ(Send(IDC_ENABLEDCHECKBOX, BM_GETCHECK), BST_CHECKED);
    EXPECT_FALSE(IsWindowEnabled(Item(IDC_ENABLEDCHECKBOX)));
    Click(IDC_ENABLE);
    EXPECT_EQ(After(4).back(), "CheckBoxDialog.Enable");
    EXPECT_TRUE(IsWindowEnabled(Item(IDC_ENABLEDCHECKBOX)));
}

TEST_F(DialogTest, RadioButtonsFlipTheirOwnCheck) {
    Open(ID_CONTROLS_RADIO, "Radio Buttons");
    Click(IDC_RADIO1);
    Click(IDC_RADIO3);
    Click(IDC_RADIO2);
    Click(IDC_RADIO1);
    EXPECT_EQ(After(4), Lines({"RadioDialog.Radio1", "RadioDialog.Radio3", "RadioDialog.Radio2",
                               "RadioDialog.Radio1"}));
    EXPECT_EQ(Send(IDC_RADIO1, BM_GETCHECK), BST_UNCHECKED);
    EXPECT_EQ(Send(IDC_RADIO2, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(Send(IDC_RADIO3, BM_GETCHECK), BST_CHECKED);
}

TEST_F(DialogTest, ComboBoxButtonsAndNotifications) {
    Open(ID_CONTROLS_COMBOBOX, "Combo Box Dialog");
    SetText(IDC_COMBO_EDIT, "alpha");
    Click(IDC_COMBO_INSERT);
    EXPECT_EQ(After(2), Lines({"ComboBoxDialog.Edit.SetText(alpha)", "ComboBoxDialog.Insert"}));
    EXPECT_EQ(Send(IDC_COMBO, CB_GETCOUNT), 1);

    Click(IDC_COMBO_DELETE);  // nothing selected: nothing deleted
    EXPECT_EQ(After(3).back(), "ComboBoxDialog.Delete");
    EXPECT_EQ(Send(IDC_COMBO, CB_GETCOUNT), 1);
    Send(IDC_COMBO, CB_SETCURSEL, 0);
    Click(IDC_COMBO_DELETE);
    EXPECT_EQ(After(4).back(), "ComboBoxDialog.Delete");
    EXPECT_EQ(Send(IDC_COMBO, CB_GETCOUNT), 0);

    Click(IDC_COMBO_EXPAND);
    EXPECT_EQ(After(6), Lines({"ComboBoxDialog.Edit.SetText(alpha)", "ComboBoxDialog.Insert",
                               "ComboBoxDialog.Delete", "ComboBoxDialog.Delete",
                               "ComboBoxDialog.ComboBox.DropDown", "ComboBoxDialog.Expand"}));
    EXPECT_TRUE(Send(IDC_COMBO, CB_GETDROPPEDSTATE));
    Send(IDC_COMBO, CB_SHOWDROPDOWN, FALSE);
    EXPECT_EQ(After(7).back(), "ComboBoxDialog.ComboBox.CloseUp");

    Click(IDC_COMBO_INSERT);
    Click(IDC_COMBO_CLEAR);
    EXPECT_EQ(After(9).back(), "ComboBoxDialog.Clear");
    EXPECT_EQ(Send(IDC_COMBO, CB_GETCOUNT), 0);
}

TEST_F(DialogTest, ListBoxDeleteWithoutSelectionShowsAnError) {
    Open(ID_CONTROLS_LISTBOX, "ListBox Dialog");
    SetText(IDC_LISTBOX_EDIT, "one");
    Click(IDC_LISTBOX_INSERT);
    SetText(IDC_LISTBOX_EDIT, "two");
    Click(IDC_LISTBOX_INSERT);
    EXPECT_EQ(After(2), Lines({"ListBoxDialog.Insert", "ListBoxDialog.Insert"}));
    EXPECT_EQ(Send(IDC_LISTBOX, LB_GETCOUNT), 2);

    Click(IDC_LISTBOX_DELETE);
    EXPECT_EQ(target_.CloseMessageBox("Error"), "ERROR!!! No Item Selected");
    EXPECT_EQ(After(3).back(), "ListBoxDialog.Delete");
    EXPECT_EQ(Send(IDC_LISTBOX, LB_GETCOUNT), 2);

    Send(IDC_LISTBOX, LB_SETCURSEL, 0);
    Click(IDC_LISTBOX_DELETE);
    EXPECT_EQ(After(4).back(), "ListBoxDialog.Delete");
    EXPECT_EQ(Send(IDC_LISTBOX, LB_GETCOUNT), 1);
    EXPECT_FALSE(target_.FindTopLevel("Error"));
    Click(IDC_LISTBOX_CLEAR);
    EXPECT_EQ(After(5).back(), "ListBoxDialog.Clear");
    EXPECT_EQ(Send(IDC_LISTBOX, LB_GETCOUNT), 0);
}

TEST_F(DialogTest, TreeViewInsertsUnderTheSelectionAndSpellsEventsAsCalls) {
    Open(ID_CONTROLS_TREEVIEW, "TreeView Dialog");
    SetText(IDC_TREE_EDIT, "root");
    Click(IDC_TREE_INSERT);
    EXPECT_EQ(After(1), Lines({"TreeViewDialog.Insert()"}));
    HTREEITEM root = reinterpret_cast<HTREEITEM>(Send(IDC_TREE, TVM_GETNEXTITEM, TVGN_ROOT));
    ASSERT_TRUE(root);
    Send(IDC_TREE, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
    SetText(IDC_TREE_EDIT, "leaf");
    Click(IDC_TREE_INSERT);
    After(2);
    HTREEITEM leaf = reinterpret_cast<HTREEITEM>(
        Send(IDC_TREE, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(root)));
    ASSERT_TRUE(leaf) << "the second item is a child of the selected one";
    EXPECT_EQ(Send(IDC_TREE, TVM_GETCOUNT), 2);

    Send(IDC_TREE, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(leaf));
    Click(IDC_TREE_DELETE);
    After(3);
    EXPECT_EQ(Send(IDC_TREE, TVM_GETCOUNT), 1);
    Click(IDC_TREE_CLEAR);
    After(4);
    EXPECT_EQ(Send(IDC_TREE, TVM_GETCOUNT), 0);

    PostMessageA(dialog_, WM_KEYDOWN, 'T', 1);
    PostMessageA(dialog_, WM_KEYUP, 'T', 1);
    PostMessageA(dialog_, WM_RBUTTONUP, 0, 0);
    After(7);  // SetWindowPos is not queued behind posted messages
    SetWindowPos(dialog_, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    After(8);
    POINT origin{0, 0};
    ClientToScreen(dialog_, &origin);
    PostMessageA(dialog_, WM_CLOSE, 0, 0);
    EXPECT_EQ(After(10), Lines({
        "TreeViewDialog.Insert()", "TreeViewDialog.Insert()", "TreeViewDialog.Delete()",
        "TreeViewDialog.Clear()", "TreeViewDialog.KeyPress(T)", "TreeViewDialog.KeyRelease(T)",
        "TreeViewDialog.RightButton.Up()",
        "TreeViewDialog.Move(" + std::to_string(origin.x) + ", " + std::to_string(origin.y) + ")",
        "TreeViewDialog.Close()", "TreeViewDialog.Cancel()"}));
}

TEST_F(DialogTest, PageListInsertsAtTheFrontAndLogsSelectionChanges) {
    Open(ID_CONTROLS_PAGELIST, "Page List Dialog");
    SetText(IDC_PAGELIST_EDIT, "first");
    Click(IDC_PAGELIST_INSERT);
    SetText(IDC_PAGELIST_EDIT, "second");
    Click(IDC_PAGELIST_INSERT);
    EXPECT_EQ(After(2), Lines({"PageListDialog.Insert", "PageListDialog.Insert"}));
    EXPECT_EQ(Send(IDC_PAGELIST_TAB, TCM_GETITEMCOUNT), 2);
    // A click on the other tab than the current one changes the selection.
    LRESULT current = Send(IDC_PAGELIST_TAB, TCM_GETCURSEL);
    RECT tab{};
    GetClientRect(Item(IDC_PAGELIST_TAB), &tab);
    int x = current == 0 ? 70 : 8;  // items are about 50-60 pixels wide
    PostMessageA(Item(IDC_PAGELIST_TAB), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 8));
    PostMessageA(Item(IDC_PAGELIST_TAB), WM_LBUTTONUP, 0, MAKELPARAM(x, 8));
    EXPECT_EQ(After(3).back(), "PageListDialog.PageListTab");
    EXPECT_NE(Send(IDC_PAGELIST_TAB, TCM_GETCURSEL), current);
    Click(IDC_PAGELIST_DELETE);
    EXPECT_EQ(After(4).back(), "PageListDialog.Delete");
    EXPECT_EQ(Send(IDC_PAGELIST_TAB, TCM_GETITEMCOUNT), 1);
}

TEST_F(DialogTest, ScrollBarsStepByIncrementAndPageWithinTheRange) {
    Open(ID_CONTROLS_SCROLLBARS, "Scroll Bar Dialog");
    auto scroll = [&](UINT msg, int bar, int request, int pos = 0) {
        PostMessageA(dialog_, msg, MAKEWPARAM(request, pos), reinterpret_cast<LPARAM>(Item(bar)));
    };
    scroll(WM_HSCROLL, IDC_HSCROLL, SB_LINERIGHT);
    scroll(WM_HSCROLL, IDC_HSCROLL, SB_ENDSCROLL);  // no event of its own
    scroll(WM_HSCROLL, IDC_HSCROLL, SB_PAGERIGHT);
    scroll(WM_VSCROLL, IDC_VSCROLL, SB_THUMBTRACK, 42);
    EXPECT_EQ(After(3), Lines({"ScrollBarDialog.HorizontalScroll", "ScrollBarDialog.HorizontalScroll",
                               "ScrollBarDialog.VerticalScroll"}));
    EXPECT_EQ(Send(IDC_HSCROLL, SBM_GETPOS), 11);
    EXPECT_EQ(Send(IDC_VSCROLL, SBM_GETPOS), 42);

    SetText(IDC_SCROLL_MAX, "200");
    SetText(IDC_SCROLL_MIN, "10");
    SetText(IDC_SCROLL_INC, "5");
    SetText(IDC_SCROLL_PAGE, "abc");  // no number: 0
    SetText(IDC_SCROLL_HPOS, "0");
    SetText(IDC_SCROLL_VPOS, "300");
    Click(IDC_SCROLL_SET);
    EXPECT_EQ(After(4).back(), "ScrollBarDialog.SetValues");
    EXPECT_EQ(Send(IDC_HSCROLL, SBM_GETPOS), 10);
    EXPECT_EQ(Send(IDC_VSCROLL, SBM_GETPOS), 200);
    scroll(WM_HSCROLL, IDC_HSCROLL, SB_LINERIGHT);
    scroll(WM_VSCROLL, IDC_VSCROLL, SB_LINEDOWN);
    scroll(WM_VSCROLL, IDC_VSCROLL, SB_PAGEUP);
    After(7);
    EXPECT_EQ(Send(IDC_HSCROLL, SBM_GETPOS), 15);
    EXPECT_EQ(Send(IDC_VSCROLL, SBM_GETPOS), 200);
}

TEST_F(DialogTest, KeyboardDialogListsKeysAndAsksOnRelease) {
    Open(ID_CONTROLS_KEYBOARD, "Keyboard Events Dialog");
    PostMessageA(dialog_, WM_KEYDOWN, 'K', 1);
    EXPECT_EQ(After(1), Lines({"KeyboardDialog.KeyDown"}));
    PostMessageA(dialog_, WM_KEYUP, 'K', 1);
    EXPECT_EQ(target_.CloseMessageBox("Yo"), "I'm Here");
    EXPECT_EQ(After(2).back(), "KeyboardDialog.KeyUp");
    ASSERT_EQ(Send(IDC_KEY_LIST, LB_GETCOUNT), 2);
    auto line = [&](int index) {
        wchar_t text[64] = {};
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(Item(IDC_KEY_LIST), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text),
                            SMTO_ABORTIFHUNG, 10000, &ignored);
        return std::string(text, text + wcslen(text));
    };
    EXPECT_EQ(line(0), "KeyDown      K     1");
    EXPECT_EQ(line(1), "KeyUp        K     1");
    Click(IDC_KEY_RESET);
    EXPECT_EQ(After(3).back(), "KeyboardDialog.Reset");
    EXPECT_EQ(Send(IDC_KEY_LIST, LB_GETCOUNT), 0);
}

TEST_F(DialogTest, DrawingDialogChecksTheTextPointAndUsesTwoPrefixes) {
    Open(ID_CONTROLS_DRAWING, "Drawing Dialog");
    PostMessageA(Item(IDC_DRAW_SURFACE), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(25, 17));
    PostMessageA(Item(IDC_DRAW_SURFACE), WM_RBUTTONUP, 0, MAKELPARAM(25, 17));
    EXPECT_EQ(After(2), Lines({"DrawDialog.RightButton.Down", "DrawDialog.RightButton.Up"}));
    EXPECT_EQ(TargetProcess::Text(Item(IDC_DRAW_X)), "25");
    EXPECT_EQ(TargetProcess::Text(Item(IDC_DRAW_Y)), "17");
    Click(IDC_DRAW_SETTEXT);
    EXPECT_EQ(After(3).back(), "DrawingDialog.SetTextToX-Y");
    EXPECT_FALSE(target_.FindTopLevel("Error"));

    SetText(IDC_DRAW_X, "0");  // on the border: not strictly inside
    Click(IDC_DRAW_SETTEXT);
    EXPECT_EQ(target_.CloseMessageBox("Error"), "Coordinates Out of Range");
    EXPECT_EQ(After(4).back(), "DrawingDialog.SetTextToX-Y");

    SetText(IDC_DRAW_RED, "255");
    Click(IDC_DRAW_SETPEN);
    Click(IDC_DRAW_RESET);
    PostMessageA(dialog_, WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(After(7), Lines({"DrawDialog.RightButton.Down", "DrawDialog.RightButton.Up",
                               "DrawingDialog.SetTextToX-Y", "DrawingDialog.SetTextToX-Y",
                               "DrawingDialog.SetPen", "DrawingDialog.Reset",
                               "DrawingDialog.LeftButton.Down"}));
}

TEST_F(DialogTest, StaticEditAndTextFieldDialogs) {
    Open(ID_CONTROLS_STATICTEXT, "Static Dialog");
    SetText(IDC_STATIC_EDIT, "Fresh Static");
    Click(IDC_STATIC_SETTEXT);
    EXPECT_EQ(After(1), Lines({"StaticDialog.SetText"}));
    EXPECT_EQ(TargetProcess::Text(Item(IDC_STATIC_NONEDIT)), "Fresh Static");
    ASSERT_TRUE(TargetProcess::Cancel(dialog_));

    HWND edit = target_.OpenDialog(ID_CONTROLS_EDITBOX, "Edit Dialog");
    ASSERT_TRUE(edit);
    TargetProcess::SetText(edit, IDC_EDIT_SHORT, "changed");
    TargetProcess::Click(edit, IDC_EDIT_RESET);
    EXPECT_EQ(target_.WaitLog(5).back(), "EditDialog.Reset");
    EXPECT_EQ(TargetProcess::Text(GetDlgItem(edit, IDC_EDIT_SHORT)), "Short Text");
    ASSERT_TRUE(TargetProcess::Cancel(edit));

    HWND fields = target_.OpenDialog(ID_CONTROLS_TEXTFIELD, "Text Field Dialog");
    ASSERT_TRUE(fields);
    TargetProcess::SetText(fields, IDC_FIELD1, "typed");
    EXPECT_EQ(TargetProcess::Text(GetDlgItem(fields, IDC_SELECTED_TEXT)), "Impossible");
    TargetProcess::Click(fields, IDC_RESET_FIELD1);
    PostMessageA(fields, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 150));
    EXPECT_EQ(target_.WaitLog(10), Lines({
        "KestrelTarget.Controls.StaticText.Pick", "StaticDialog.SetText", "StaticDialog.Cancel",
        "KestrelTarget.Controls.EditBox.Pick", "EditDialog.Reset", "EditDialog.Cancel",
        "KestrelTarget.Controls.TextField.Pick", "TextFieldDialog.ResetField1",
        "Hey The Button Was Pressed!!!", "TextFieldDialog.LeftButton.Down"}));
    EXPECT_EQ(TargetProcess::Text(GetDlgItem(fields, IDC_FIELD1)), "");
}

}  // namespace
}  // namespace kt::test
