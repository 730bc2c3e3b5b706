// CListViewHandler: list-view controls ("SysListView32") and their header.
#pragma once

#include "WindowHandler.h"

class CListViewHandler : public CControlHandler<CListViewHandler> {
public:
    CListViewHandler();
    RowList OwnRows() const override;
};
