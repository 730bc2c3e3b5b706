// CListViewHandler: list-view controls ("SysListView32") and their header.
#pragma once

#include "WindowHandler.h"

class CListViewHandler : public CControlHandler<CListViewHandler> {
public:
    CListViewHandler();
    RowList OwnRows() const override;

private:
    static const Row kRows[];

    void GetCount(SSI_FunctionAPI& call);
    void GetItemText(SSI_FunctionAPI& call);
    void GetColumnCount(SSI_FunctionAPI& call);
    void GetColumnText(SSI_FunctionAPI& call);
    void Select(SSI_FunctionAPI& call);

    HWND Header() const;
};
