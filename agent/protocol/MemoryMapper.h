// CMemoryMapper: the named 8 MiB block through which a request travels to
// the agent inside the target process and the answer comes back.
#pragma once

#include "SquireApi.h"

#include <windows.h>

// Name and size of the shared block.
#define SQUIRE_MAPPING_NAME "SquireMappingObject"
constexpr DWORD kSquireBlockSize = 0x800000;

class SQUIRE_API CMemoryMapper {
public:
    CMemoryMapper() = default;
    virtual ~CMemoryMapper();
    CMemoryMapper(const CMemoryMapper&) = delete;
    CMemoryMapper& operator=(const CMemoryMapper&) = delete;

    // Creates the mapping (or opens it when it exists) and keeps the handle.
    HANDLE MapFile();
    // A view of the whole block, creating the mapping first if needed.
    void* MakePointer();
    // Opens the existing mapping by name and returns a view; null when no
    // caller has created it.
    void* GetPointer();
    // A view of the given mapping; the handle is not kept.
    void* GetPointer(HANDLE mapping);
    void UnMap(void* view);

private:
    void CloseHandleIfHeld();

    HANDLE m_Mapping = nullptr;
};

namespace squire {

// A view of the whole shared block, unmapped (before its mapping is closed)
// on every path out. The caller creates the block; the hook inside the
// application opens the one the caller made.
class SQUIRE_API SharedBlockView {
public:
    enum Mode { Create, Open };
    explicit SharedBlockView(Mode mode)
        : m_View(static_cast<unsigned char*>(mode == Create ? m_Mapper.MakePointer() : m_Mapper.GetPointer()))
    {
    }
    ~SharedBlockView() { m_Mapper.UnMap(m_View); }
    SharedBlockView(const SharedBlockView&) = delete;
    SharedBlockView& operator=(const SharedBlockView&) = delete;
    // Null when the block could not be mapped.
    unsigned char* Data() const { return m_View; }

private:
    CMemoryMapper m_Mapper;
    unsigned char* m_View;
};

// The bounds of a view made by CMemoryMapper in this process, found from
// any address inside it. Readers and writers never go past `end`.
SQUIRE_API bool FindBlock(const void* address, unsigned char*& begin, unsigned char*& end);

}  // namespace squire

// Opens the existing block, maps a view and unmaps it again.
SQUIRE_ENTRY void TestGetMem();
