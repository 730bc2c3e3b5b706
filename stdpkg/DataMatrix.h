// CDataMatrix: the type "matrix", columns x rows doubles with a text form.
// Every element starts at 0.0; copies copy the values into storage of
// their own, so two matrices never share storage.
#pragma once

#include "AlmanacApi.h"
#include "Loom.h"
#include "TypeRegistration.h"

#include <vector>

class ALMANAC_API CDataMatrix : public CData {
public:
    CDataMatrix();
    CDataMatrix(const CDataMatrix& other);
    CDataMatrix& operator=(const CDataMatrix& other);
    ~CDataMatrix() override;

    LOOM_VALUE_TYPE_MEMBERS;

    int GetColumns() const { return m_Columns; }
    int GetRows() const { return m_Rows; }
    // Element (column, row) from 0; false outside the matrix.
    bool GetAt(int column, int row, double& value) const;
    bool SetAt(int column, int row, double value);

    // "[columns,rows]": a new matrix of zeros. Negative sizes and more than
    // kMaxElements elements are refused (false, the matrix unchanged).

    static constexpr long long kMaxElements = 1 << 24;

private:
    std::vector<double> m_Elements;  // row after row
    int m_Columns = 0;
    int m_Rows = 0;

    static int sType;
};
