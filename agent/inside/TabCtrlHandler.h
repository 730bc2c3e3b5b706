// CTabCtrlHandler: tab controls ("SysTabControl32").
#pragma once

#include "WindowHandler.h"

class CTabCtrlHandler : public CControlHandler<CTabCtrlHandler> {
public:
    CTabCtrlHandler();
    RowList OwnRows() const override;
};
