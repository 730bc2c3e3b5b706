// CScrollBarHandler: scroll-bar controls ("ScrollBar").
#pragma once

#include "WindowHandler.h"

class CScrollBarHandler : public CControlHandler<CScrollBarHandler> {
public:
    CScrollBarHandler();
    RowList OwnRows() const override;

private:
    static const Row kRows[];

    void GetPos(SSI_FunctionAPI& call);
    void SetPos(SSI_FunctionAPI& call);
    void GetMinimum(SSI_FunctionAPI& call);
    void GetMaximum(SSI_FunctionAPI& call);
};
