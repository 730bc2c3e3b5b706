#include "DataMatrix.h"

#include "TypeRegistration.h"

#include <cstdio>

int CDataMatrix::sType = 0;

CDataMatrix::CDataMatrix() { LOOM_REGISTER_ON_FIRST_USE(CDataMatrix, "matrix"); }

CDataMatrix::CDataMatrix(const CDataMatrix& other) = default;
CDataMatrix& CDataMatrix::operator=(const CDataMatrix& other)
{
    // CData's assignment takes a non-const reference: copy the fields here.
    SetType(other.GetType());
    SetTypeName(other.GetTypeName());
    m_Elements = other.m_Elements;
    m_Columns = other.m_Columns;
    m_Rows = other.m_Rows;
    return *this;
}
CDataMatrix::~CDataMatrix() = default;

LOOM_DEFINE_VALUE_TYPE(CDataMatrix)

bool CDataMatrix::GetAt(int column, int row, double& value) const
{
    if (column < 0 || row < 0 || column >= m_Columns || row >= m_Rows) return false;
    value = m_Elements[static_cast<size_t>(row) * m_Columns + column];
    return true;
}

bool CDataMatrix::SetAt(int column, int row, double value)
{
    if (column < 0 || row < 0 || column >= m_Columns || row >= m_Rows) return false;
    m_Elements[static_cast<size_t>(row) * m_Columns + column] = value;
    return true;
}

CData* CDataMatrix::operator_equal(CData* other, OpInfoT*)
{
    CopyData(other);
    return this;
}

bool CDataMatrix::CopyData(CData* other)
{
    if (!other || other->GetType() != GetType()) return false;
    const CDataMatrix* source = static_cast<const CDataMatrix*>(other);
    m_Elements = source->m_Elements;  // a copy of the values, never the storage
    m_Columns = source->m_Columns;
    m_Rows = source->m_Rows;
    return true;
}

bool CDataMatrix::DataFromString(const String& text)
{
    int columns = 0, rows = 0;
    if (std::sscanf(text.c_str(), "[%d,%d]", &columns, &rows) != 2) return false;
    if (columns < 0 || rows < 0 || static_cast<long long>(columns) * rows > kMaxElements) return false;
    m_Elements.assign(static_cast<size_t>(columns) * rows, 0.0);
    m_Columns = columns;
    m_Rows = rows;
    return true;
}

String CDataMatrix::GetString()
{
    String text = "\n";
    for (int r = 0; r < m_Rows; ++r) {
        text += "[";
        for (int c = 0; c < m_Columns; ++c)
            text += String::Printf("%f ", m_Elements[static_cast<size_t>(r) * m_Columns + c]);
        text += "]\n";
    }
    return text;
}

int CDataMatrix::SizeOf() { return 0; }

