// CButtonHandler: push buttons, check boxes and radio buttons ("Button").
#pragma once

#include "WindowHandler.h"

class CButtonHandler : public CWindowHandler {
public:
    CButtonHandler();
    CWindowHandler* Clone() override;
    int ProcessFunction(SSI_FunctionAPI& call) override;

private:
    void Click(SSI_FunctionAPI& call);
    void IsSelected(SSI_FunctionAPI& call);
    void IsChecked(SSI_FunctionAPI& call);
    // The low four bits of the window style.
    LONG ButtonType() const;
};
