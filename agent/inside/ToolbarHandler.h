// CToolbarHandler: tool bars ("ToolbarWindow32").
#pragma once

#include "WindowHandler.h"

class CToolbarHandler : public CControlHandler<CToolbarHandler> {
public:
    CToolbarHandler();
    RowList OwnRows() const override;
};
