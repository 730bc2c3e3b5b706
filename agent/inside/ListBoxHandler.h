// CListBoxHandler: list boxes ("ListBox"), single, multiple-selection and
// multi-column.
#pragma once

#include "WindowHandler.h"

class CListBoxHandler : public CControlHandler<CListBoxHandler> {
public:
    CListBoxHandler();
    RowList OwnRows() const override;
};
