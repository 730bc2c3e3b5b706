// CButtonHandler: push buttons, check boxes and radio buttons ("Button").
#pragma once

#include "WindowHandler.h"

class CButtonHandler : public CControlHandler<CButtonHandler> {
public:
    CButtonHandler();
    RowList OwnRows() const override;
};
