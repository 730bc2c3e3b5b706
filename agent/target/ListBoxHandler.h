// CListBoxHandler: list boxes ("ListBox"), single, multiple-selection and
// multi-column.
#pragma once

#include "WindowHandler.h"

class CListBoxHandler : public CWindowHandler {
public:
    CListBoxHandler();
    CWindowHandler* Clone() override;
    int ProcessFunction(SSI_FunctionAPI& call) override;

private:
    void GetCount(SSI_FunctionAPI& call);
    void SelectString(SSI_FunctionAPI& call);
    void Select(SSI_FunctionAPI& call);
    void GetElement(SSI_FunctionAPI& call);
    void GetSel(SSI_FunctionAPI& call);

    int Count() const;
    // The text of item index; false when the list box has no such item.
    bool ItemText(int index, String& text) const;
};
