// CTypeMap: translates data-type numbers of the calling process into this
// process's numbers. Exactly 32 pairs; a key of 0 marks a free entry.
#pragma once

#include "SquireApi.h"

#include <cstdint>

class SQUIRE_API CTypeMap {
public:
    static constexpr int kEntries = 32;

    CTypeMap();
    ~CTypeMap();
    CTypeMap(const CTypeMap&) = delete;
    CTypeMap& operator=(const CTypeMap&) = delete;

    // Stores (key, value) in the first free entry, or replaces the value of
    // the entry holding key. Returns the entry's index; 0 when full.
    int Add(int32_t key, int32_t value);
    int32_t Lookup(int32_t key) const;         // 0 when none
    int32_t ReverseLookup(int32_t value) const; // 0 when none

    static CTypeMap& Instance();

private:
    int32_t* m_Table;  // kEntries pairs, 256 bytes
};

SQUIRE_ENTRY int LocalAddMap(int callerType, int localType);
