#include "ChannelNames.h"

#include "MemoryMapper.h"

#include <cwchar>

namespace squire {

namespace {
#define SQUIRE_WIDEN2(text) L##text
#define SQUIRE_WIDEN(text) SQUIRE_WIDEN2(text)
const wchar_t* const kBlockName = SQUIRE_WIDEN(SQUIRE_MAPPING_NAME);
}  // namespace

bool ReplyEventName(DWORD process, DWORD thread, wchar_t* name, size_t size)
{
    const int n = std::swprintf(name, size, L"%ls.Reply.%lu.%lu", kBlockName, static_cast<unsigned long>(process),
                                static_cast<unsigned long>(thread));
    return n > 0 && static_cast<size_t>(n) < size;
}

const wchar_t* ChannelMutexName()
{
    static const wchar_t* const name = SQUIRE_WIDEN(SQUIRE_MAPPING_NAME) L".Channel";
    return name;
}

}  // namespace squire
