// The tree-view dialog. Unlike the other dialogs it spells its generic
// events as calls: "TreeViewDialog.Move(10, 20)", "TreeViewDialog.OK()".
#include "Dialog.h"
#include "Dialogs.h"
#include "EventLog.h"
#include "resource.h"

#include <commctrl.h>

#include <cstdio>

namespace kt {
namespace {

class TreeViewDialog : public Dialog {
public:
    TreeViewDialog() : Dialog(IDD_TREEVIEW, "TreeViewDialog") {}

protected:
    bool OnCommand(int id, int code, HWND) override {
        if (code != BN_CLICKED) return false;
        switch (id) {
        case IDC_TREE_INSERT: Insert(); LogOwn("Insert()", kControls); return true;
        case IDC_TREE_DELETE: Delete(); LogOwn("Delete()", kControls); return true;
        case IDC_TREE_CLEAR:
            TreeView_DeleteAllItems(Tree());
            LogOwn("Clear()", kControls);
            return true;
        }
        return false;
    }

    void LogGeneric(Generic event, WPARAM wParam, LPARAM lParam) override {
        char text[64];
        switch (event) {
        case Generic::KeyDown:
            std::snprintf(text, sizeof text, "KeyPress(%c)", static_cast<char>(wParam));
            LogOwn(text, kMisc);
            break;
        case Generic::KeyUp:
            std::snprintf(text, sizeof text, "KeyRelease(%c)", static_cast<char>(wParam));
            LogOwn(text, kMisc);
            break;
        case Generic::Move:
            std::snprintf(text, sizeof text, "Move(%d, %d)",
                          static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            LogOwn(text, kMoveSize);
            break;
        case Generic::Resize:
            std::snprintf(text, sizeof text, "Resize(%d, %d)",
                          static_cast<int>(LOWORD(lParam)), static_cast<int>(HIWORD(lParam)));
            LogOwn(text, kMoveSize);
            break;
        case Generic::LeftDown:    LogOwn("LeftButton.Down()", kMouse); break;
        case Generic::LeftUp:      LogOwn("LeftButton.Up()", kMouse); break;
        case Generic::LeftDouble:  LogOwn("LeftButton.DoubleClick()", kMouse); break;
        case Generic::RightDown:   LogOwn("RightButton.Down()", kMouse); break;
        case Generic::RightUp:     LogOwn("RightButton.Up()", kMouse); break;
        case Generic::RightDouble: LogOwn("RightButton.DoubleClick()", kMouse); break;
        case Generic::Ok:          LogOwn("OK()", kControls); break;
        case Generic::Cancel:      LogOwn("Cancel()", kControls); break;
        case Generic::Close:       LogOwn("Close()", kMisc); break;
        }
    }

private:
    HWND Tree() const { return Item(IDC_TREE); }

    // A child of the selected item, or a root item when nothing is selected.
    void Insert() const {
        HWND tree = Tree();
        std::string text = ItemText(IDC_TREE_EDIT);
        HTREEITEM parent = TreeView_GetSelection(tree);
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent ? parent : TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<char*>(text.c_str());
        SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
        if (parent) {
            SetChildrenMark(parent, true);
            TreeView_Expand(tree, parent, TVE_EXPAND);
        }
    }

    // Deletes the selected item; a parent that loses its last child loses
    // its children mark (the expand button) too.
    void Delete() const {
        HWND tree = Tree();
        HTREEITEM selected = TreeView_GetSelection(tree);
        if (!selected) return;
        HTREEITEM parent = TreeView_GetParent(tree, selected);
        TreeView_DeleteItem(tree, selected);
        if (parent && !TreeView_GetChild(tree, parent)) SetChildrenMark(parent, false);
    }

    void SetChildrenMark(HTREEITEM item, bool hasChildren) const {
        TVITEMA change{};
        change.mask = TVIF_CHILDREN | TVIF_HANDLE;
        change.hItem = item;
        change.cChildren = hasChildren ? 1 : 0;
        SendMessageA(Tree(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
    }
};

}  // namespace

void RunTreeViewDialog(HWND owner) { TreeViewDialog().Run(owner); }

}  // namespace kt
