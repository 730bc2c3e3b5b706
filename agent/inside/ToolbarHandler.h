// CToolbarHandler: tool bars ("ToolbarWindow32").
#pragma once

#include "WindowHandler.h"

class CToolbarHandler : public CControlHandler<CToolbarHandler> {
public:
    CToolbarHandler();
    RowList OwnRows() const override;

private:
    static const Row kRows[];

    void GetRows(SSI_FunctionAPI& call);
    void GetCount(SSI_FunctionAPI& call);
    void PressButton(SSI_FunctionAPI& call);
};
