// CComboBoxHandler: combo boxes ("ComboBox").
#pragma once

#include "WindowHandler.h"

class CComboBoxHandler : public CControlHandler<CComboBoxHandler> {
public:
    CComboBoxHandler();
    RowList OwnRows() const override;

private:
    static const Row kRows[];

    void GetCount(SSI_FunctionAPI& call);
    void Select(SSI_FunctionAPI& call);
    void GetElement(SSI_FunctionAPI& call);
};
