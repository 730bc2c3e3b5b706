// The combo-box, list-box, list-view and page-list (tab) dialogs.
#include "Dialog.h"
#include "Dialogs.h"
#include "EventLog.h"
#include "resource.h"

#include <commctrl.h>

#include <vector>

namespace kt {
namespace {

class ComboBoxDialog : public Dialog {
public:
    ComboBoxDialog() : Dialog(IDD_COMBOBOX, "ComboBoxDialog") {}

protected:
    bool OnCommand(int id, int code, HWND) override {
        HWND combo = Item(IDC_COMBO);
        if (id == IDC_COMBO) {
            switch (code) {
            case CBN_SELCHANGE:  LogOwn("ComboBox.SelChange", kControls); return true;
            case CBN_EDITCHANGE: LogOwn("ComboBox.EditChange", kControls); return true;
            case CBN_DROPDOWN:   LogOwn("ComboBox.DropDown", kControls); return true;
            case CBN_CLOSEUP:    LogOwn("ComboBox.CloseUp", kControls); return true;
            }
            return false;
        }
        if (id == IDC_COMBO_EDIT) {
            if (code != EN_CHANGE) return false;
            LogOwn("Edit.SetText(" + ItemText(IDC_COMBO_EDIT) + ")", kMisc);
            return true;
        }
        if (code != BN_CLICKED) return false;
        switch (id) {
        case IDC_COMBO_INSERT:
            SendMessageA(combo, CB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(ItemText(IDC_COMBO_EDIT).c_str()));
            LogOwn("Insert", kControls);
            return true;
        case IDC_COMBO_DELETE: {
            LRESULT selected = SendMessageA(combo, CB_GETCURSEL, 0, 0);
            if (selected != CB_ERR) SendMessageA(combo, CB_DELETESTRING, selected, 0);
            LogOwn("Delete", kControls);
            return true;
        }
        case IDC_COMBO_EXPAND:
            SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
            LogOwn("Expand", kControls);
            return true;
        case IDC_COMBO_CLEAR:
            SendMessageA(combo, CB_RESETCONTENT, 0, 0);
            LogOwn("Clear", kControls);
            return true;
        }
        return false;
    }
};

class ListBoxDialog : public Dialog {
public:
    ListBoxDialog() : Dialog(IDD_LISTBOX, "ListBoxDialog") {}

protected:
    bool OnCommand(int id, int code, HWND) override {
        if (code != BN_CLICKED) return false;
        HWND list = Item(IDC_LISTBOX);
        switch (id) {
        case IDC_LISTBOX_INSERT:
            SendMessageA(list, LB_ADDSTRING, 0,
                         reinterpret_cast<LPARAM>(ItemText(IDC_LISTBOX_EDIT).c_str()));
            LogOwn("Insert", kControls);
            return true;
        case IDC_LISTBOX_DELETE: {
            LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
            if (selected == LB_ERR)
                MessageBoxA(hwnd(), "ERROR!!! No Item Selected", "Error", MB_OK);
            else
                SendMessageA(list, LB_DELETESTRING, selected, 0);
            LogOwn("Delete", kControls);
            return true;
        }
        case IDC_LISTBOX_CLEAR:
            SendMessageA(list, LB_RESETCONTENT, 0, 0);
            LogOwn("Clear", kControls);
            return true;
        }
        return false;
    }
};

// The list view's buttons have no events of their own; the dialog logs its
// generic events only.
class ListViewDialog : public Dialog {
public:
    ListViewDialog() : Dialog(IDD_LISTVIEW, "ListViewDialog") {}

protected:
    void OnInit() override {
        HWND list = Item(IDC_LISTVIEW);
        ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
        // A report view shows nothing without a column; the first one holds
        // the item texts.
        AddColumn(0, "Items");
        SetItemText(IDC_LISTVIEW_EDIT, "Test");
    }

    bool OnCommand(int id, int code, HWND) override {
        if (code != BN_CLICKED) return false;
        HWND list = Item(IDC_LISTVIEW);
        std::string text = ItemText(IDC_LISTVIEW_EDIT);
        switch (id) {
        case IDC_LISTVIEW_ADDITEM: {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = ListView_GetItemCount(list);
            item.pszText = const_cast<char*>(text.c_str());
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            return true;
        }
        case IDC_LISTVIEW_ADDCOL:
            AddColumn(1, text);
            return true;
        case IDC_LISTVIEW_DELETE: {
            // Every selected item, from the last so the indices stay valid.
            for (int i = ListView_GetItemCount(list) - 1; i >= 0; --i) {
                if (ListView_GetItemState(list, i, LVIS_SELECTED) & LVIS_SELECTED)
                    ListView_DeleteItem(list, i);
            }
            return true;
        }
        }
        return false;
    }

private:
    void AddColumn(int index, const std::string& title) const {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 100;
        column.pszText = const_cast<char*>(title.c_str());
        SendMessageA(Item(IDC_LISTVIEW), LVM_INSERTCOLUMNA, index,
                     reinterpret_cast<LPARAM>(&column));
    }
};

class PageListDialog : public Dialog {
public:
    PageListDialog() : Dialog(IDD_PAGELIST, "PageListDialog") {}

protected:
    INT_PTR OnMessage(UINT msg, WPARAM, LPARAM lParam, bool& handled) override {
        handled = false;
        if (msg != WM_NOTIFY) return FALSE;
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->idFrom != IDC_PAGELIST_TAB || header->code != TCN_SELCHANGE) return FALSE;
        LogOwn("PageListTab", kControls);
        handled = true;
        return TRUE;
    }

    bool OnCommand(int id, int code, HWND) override {
        if (code != BN_CLICKED) return false;
        HWND tab = Item(IDC_PAGELIST_TAB);
        switch (id) {
        case IDC_PAGELIST_INSERT: {
            std::string text = ItemText(IDC_PAGELIST_EDIT);
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(text.c_str());
            SendMessageA(tab, TCM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
            LogOwn("Insert", kControls);
            return true;
        }
        case IDC_PAGELIST_DELETE: {
            int current = TabCtrl_GetCurSel(tab);
            if (current >= 0) TabCtrl_DeleteItem(tab, current);
            LogOwn("Delete", kControls);
            return true;
        }
        }
        return false;
    }
};

}  // namespace

void RunComboBoxDialog(HWND owner) { ComboBoxDialog().Run(owner); }
void RunListBoxDialog(HWND owner) { ListBoxDialog().Run(owner); }
void RunListViewDialog(HWND owner) { ListViewDialog().Run(owner); }
void RunPageListDialog(HWND owner) { PageListDialog().Run(owner); }

}  // namespace kt
