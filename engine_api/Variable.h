// CVariable: a named, typed scalar or array of values, indexed from 1.
#pragma once

#include "Data.h"

#include <vector>

// One level of a dimension list. As an address (SetData) `index` is the
// 1-based index in that dimension; as a shape (GetDims) it is the extent.
struct DimensionT {
    int reserved = 0;
    int index = 0;
    DimensionT* next = nullptr;
};

LOOM_API DimensionT* MakeDimension(int index, DimensionT* next = nullptr);
LOOM_API void FreeDimension(DimensionT* dims);

// Owns a dimension list built front to back.
class LOOM_API DimensionList {
public:
    DimensionList() = default;
    explicit DimensionList(int index) { Append(index); }
    ~DimensionList() { FreeDimension(m_Head); }
    DimensionList(const DimensionList&) = delete;
    DimensionList& operator=(const DimensionList&) = delete;
    void Append(int index);
    DimensionT* Get() const { return m_Head; }

private:
    DimensionT* m_Head = nullptr;
};

class LOOM_API CVariable {
public:
    CVariable() = default;
    explicit CVariable(const String& name, int type = 0);
    CVariable(const CVariable& other);
    CVariable& operator=(const CVariable& other);
    ~CVariable();

    // Variables are equal when their names are.
    bool operator==(const CVariable& other) const { return m_Name == other.m_Name; }

    const String& GetName() const { return m_Name; }
    void SetName(const String& name) { m_Name = name; }
    int GetType() const { return m_Type; }
    // Sets the type and resets the variable to one default value of it
    // (no value when the factory does not know the type).
    CStatus SetType(int type);

    // Stores a copy of value: with no dimensions the variable becomes that
    // scalar; with a dimension list the value goes to that element, and the
    // array grows to hold it (a scalar becomes element 1 of the array).
    CStatus SetData(CData* value, DimensionT* dims = nullptr);
    // Replaces the working value (the scalar, or element 1) with a copy.
    CStatus SetWorkingData(CData* value);
    CData* GetWorkingData() const;
    operator CData*() const { return GetWorkingData(); }

    int GetNumElems() const { return static_cast<int>(m_Elems.size()); }
    CData* Get(int i) const;  // flat, from 0; null when absent or out of range
    // The shape, one node per dimension holding its extent; null for a
    // scalar. Owned by the variable, valid until it changes.
    DimensionT* GetDims() const;

    // Engine side.
    bool IsArray() const { return !m_Extents.empty(); }
    const std::vector<int>& GetExtents() const { return m_Extents; }
    // Makes an array of default values with the given extents (each >= 1).
    CStatus Dimension(const std::vector<int>& extents);
    // Element at 1-based indices; error when out of range or absent.
    CStatus GetElement(const std::vector<int>& indices, CData*& out) const;
    CStatus SetElement(const std::vector<int>& indices, CData* value);
    // Takes ownership of value as the new scalar.
    void Adopt(CData* value);
    void Clear();

private:
    CStatus FlatIndex(const std::vector<int>& indices, int& flat) const;
    void Grow(const std::vector<int>& extents);
    CData* CopyForStore(CData* value, CStatus& status) const;

    String m_Name;
    int m_Type = 0;
    std::vector<CData*> m_Elems;  // owned; null marks an absent element
    std::vector<int> m_Extents;   // empty for a scalar
    mutable DimensionT* m_DimsCache = nullptr;
};
