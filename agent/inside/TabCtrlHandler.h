// CTabCtrlHandler: tab controls ("SysTabControl32").
#pragma once

#include "WindowHandler.h"

class CTabCtrlHandler : public CControlHandler<CTabCtrlHandler> {
public:
    CTabCtrlHandler();
    RowList OwnRows() const override;

private:
    static const Row kRows[];

    void SelectTab(SSI_FunctionAPI& call);
    void GetCount(SSI_FunctionAPI& call);
    void GetActiveTab(SSI_FunctionAPI& call);
    void GetTabText(SSI_FunctionAPI& call);
};
