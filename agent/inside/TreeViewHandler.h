// CTreeViewHandler: tree-view controls ("SysTreeView32"). Items are named by
// dotted paths of item texts from the top level down ("Root.Child.Leaf").
#pragma once

#include "WindowHandler.h"

#include <commctrl.h>

class CTreeViewHandler : public CControlHandler<CTreeViewHandler> {
public:
    CTreeViewHandler();
    RowList OwnRows() const override;

private:
    static const Row kRows[];

    void GetCount(SSI_FunctionAPI& call);
    void GetSelected(SSI_FunctionAPI& call);
    void Select(SSI_FunctionAPI& call);
    void Expand(SSI_FunctionAPI& call);
    void Collapse(SSI_FunctionAPI& call);
    void IsExpanded(SSI_FunctionAPI& call);

    CStatus GetTreeItemText(HTREEITEM item, String& text) const;
    // The item a dotted path names, searched from the first root item.
    CStatus ResolveTreePath(const String& path, HTREEITEM& item) const;
    HTREEITEM NextItem(HTREEITEM item, WPARAM relation) const;
    // Activates the window, reads the path parameter and resolves it; on
    // failure the call's status says why and the result is false.
    bool PrepareItem(SSI_FunctionAPI& call, String& path, HTREEITEM& item);
};
