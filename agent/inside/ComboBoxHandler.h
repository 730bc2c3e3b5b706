// CComboBoxHandler: combo boxes ("ComboBox").
#pragma once

#include "WindowHandler.h"

class CComboBoxHandler : public CControlHandler<CComboBoxHandler> {
public:
    CComboBoxHandler();
    RowList OwnRows() const override;
};
