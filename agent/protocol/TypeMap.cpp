#include "TypeMap.h"

#include <cstring>

CTypeMap::CTypeMap() : m_Table(new int32_t[kEntries * 2])
{
    std::memset(m_Table, 0, kEntries * 2 * sizeof(int32_t));
}

CTypeMap::~CTypeMap() { delete[] m_Table; }

int CTypeMap::Add(int32_t key, int32_t value)
{
    for (int i = 0; i < kEntries; ++i) {
        int32_t* entry = m_Table + 2 * i;
        if (entry[0] == 0 || entry[0] == key) {
            entry[0] = key;
            entry[1] = value;
            return i;
        }
    }
    return 0;
}

int32_t CTypeMap::Lookup(int32_t key) const
{
    for (int i = 0; i < kEntries; ++i)
        if (m_Table[2 * i] == key) return m_Table[2 * i + 1];
    return 0;
}

int32_t CTypeMap::ReverseLookup(int32_t value) const
{
    for (int i = 0; i < kEntries; ++i)
        if (m_Table[2 * i + 1] == value && m_Table[2 * i] != 0) return m_Table[2 * i];
    return 0;
}

CTypeMap& CTypeMap::Instance()
{
    static CTypeMap map;
    return map;
}

int LocalAddMap(int callerType, int localType) { return CTypeMap::Instance().Add(callerType, localType); }
