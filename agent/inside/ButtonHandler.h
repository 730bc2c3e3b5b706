// CButtonHandler: push buttons, check boxes and radio buttons ("Button").
#pragma once

#include "WindowHandler.h"

class CButtonHandler : public CControlHandler<CButtonHandler> {
public:
    CButtonHandler();
    RowList OwnRows() const override;

private:
    static const Row kRows[];

    void Click(SSI_FunctionAPI& call);
    void IsSelected(SSI_FunctionAPI& call);
    void IsChecked(SSI_FunctionAPI& call);
    // The low four bits of the window style.
    LONG ButtonType() const;
};
