// CToolbarHandler: tool bars ("ToolbarWindow32").
#pragma once

#include "WindowHandler.h"

class CToolbarHandler : public CWindowHandler {
public:
    CToolbarHandler();
    CWindowHandler* Clone() override;
    int ProcessFunction(SSI_FunctionAPI& call) override;

private:
    void GetRows(SSI_FunctionAPI& call);
    void GetCount(SSI_FunctionAPI& call);
    void PressButton(SSI_FunctionAPI& call);
};
