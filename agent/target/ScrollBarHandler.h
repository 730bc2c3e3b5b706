// CScrollBarHandler: scroll-bar controls ("ScrollBar").
#pragma once

#include "WindowHandler.h"

class CScrollBarHandler : public CWindowHandler {
public:
    CScrollBarHandler();
    CWindowHandler* Clone() override;
    int ProcessFunction(SSI_FunctionAPI& call) override;

private:
    void GetPos(SSI_FunctionAPI& call);
    void SetPos(SSI_FunctionAPI& call);
    void GetMinimum(SSI_FunctionAPI& call);
    void GetMaximum(SSI_FunctionAPI& call);
};
