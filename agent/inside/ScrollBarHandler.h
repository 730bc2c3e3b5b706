// CScrollBarHandler: scroll-bar controls ("ScrollBar").
#pragma once

#include "WindowHandler.h"

class CScrollBarHandler : public CControlHandler<CScrollBarHandler> {
public:
    CScrollBarHandler();
    RowList OwnRows() const override;
};
