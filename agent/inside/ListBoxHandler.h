// CListBoxHandler: list boxes ("ListBox"), single, multiple-selection and
// multi-column.
#pragma once

#include "WindowHandler.h"

class CListBoxHandler : public CControlHandler<CListBoxHandler> {
public:
    CListBoxHandler();
    RowList OwnRows() const override;

private:
    static const Row kRows[];

    void GetCount(SSI_FunctionAPI& call);
    void SelectString(SSI_FunctionAPI& call);
    void Select(SSI_FunctionAPI& call);
    void GetElement(SSI_FunctionAPI& call);
    void GetSel(SSI_FunctionAPI& call);

    int Count() const;
    // The text of item index; false when the list box has no such item.
    bool ItemText(int index, String& text) const;
};
