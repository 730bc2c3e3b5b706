// CTreeViewHandler: tree-view controls ("SysTreeView32"). Items are named by
// dotted paths of item texts from the top level down ("Root.Child.Leaf").
#pragma once

#include "WindowHandler.h"

#include <commctrl.h>

class CTreeViewHandler : public CControlHandler<CTreeViewHandler> {
public:
    CTreeViewHandler();
    RowList OwnRows() const override;
};
