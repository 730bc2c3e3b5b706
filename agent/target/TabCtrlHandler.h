// CTabCtrlHandler: tab controls ("SysTabControl32").
#pragma once

#include "WindowHandler.h"

class CTabCtrlHandler : public CWindowHandler {
public:
    CTabCtrlHandler();
    CWindowHandler* Clone() override;
    int ProcessFunction(SSI_FunctionAPI& call) override;

private:
    void SelectTab(SSI_FunctionAPI& call);
    void GetCount(SSI_FunctionAPI& call);
    void GetActiveTab(SSI_FunctionAPI& call);
    void GetTabText(SSI_FunctionAPI& call);
};
