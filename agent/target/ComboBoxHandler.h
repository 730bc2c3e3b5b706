// CComboBoxHandler: combo boxes ("ComboBox").
#pragma once

#include "WindowHandler.h"

class CComboBoxHandler : public CWindowHandler {
public:
    CComboBoxHandler();
    CWindowHandler* Clone() override;
    int ProcessFunction(SSI_FunctionAPI& call) override;

private:
    void GetCount(SSI_FunctionAPI& call);
    void Select(SSI_FunctionAPI& call);
    void GetElement(SSI_FunctionAPI& call);
};
