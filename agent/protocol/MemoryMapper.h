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

// This process's view of the whole shared block, mapped on first use and
// kept until the library is unloaded: mapping a fresh view for every call
// and touching its first page costs more than the rest of a call. The
// caller creates the block; the hook inside the application opens the one
// a caller made. Null while the block cannot be mapped (the next use tries
// again). Thread-safe.
enum class BlockAccess { Create, Open };
SQUIRE_API unsigned char* SharedBlock(BlockAccess access);

// Unmaps the view and closes the mapping; for the library's unloading.
void ReleaseSharedBlock();

// The bounds of a view made by CMemoryMapper in this process, found from
// any address inside it. Readers and writers never go past `end`.
SQUIRE_API bool FindBlock(const void* address, unsigned char*& begin, unsigned char*& end);

}  // namespace squire

// Opens the existing block, maps a view and unmaps it again.
SQUIRE_ENTRY void TestGetMem();
