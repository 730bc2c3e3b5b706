#include "MemoryMapper.h"

#include <mutex>
#include <vector>

namespace {

struct View {
    unsigned char* begin;
    unsigned char* end;
};

// Views made in this process. One script thread and one GUI thread may use
// the agent at once, so the list is guarded.
std::mutex gViewsLock;
std::vector<View>& Views()
{
    static std::vector<View>* views = new std::vector<View>;
    return *views;
}

void RememberView(void* view)
{
    if (!view) return;
    MEMORY_BASIC_INFORMATION info;
    SIZE_T size = 0;
    // The mapping may have been created by someone else with another size:
    // the view's real extent bounds every access.
    if (VirtualQuery(view, &info, sizeof info) == sizeof info) size = info.RegionSize;
    if (size > kSquireBlockSize) size = kSquireBlockSize;
    unsigned char* begin = static_cast<unsigned char*>(view);
    std::lock_guard<std::mutex> lock(gViewsLock);
    Views().push_back({begin, begin + size});
}

void ForgetView(void* view)
{
    std::lock_guard<std::mutex> lock(gViewsLock);
    std::vector<View>& views = Views();
    for (size_t i = 0; i < views.size(); ++i) {
        if (views[i].begin == view) {
            views.erase(views.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

void* MapWholeView(HANDLE mapping)
{
    if (!mapping) return nullptr;
    void* view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    RememberView(view);
    return view;
}

// The process's persistent view (SharedBlock) and the mapping it belongs
// to. The handle is kept with the view, so that the block stays open by
// name for the other side as long as this process uses it.
HANDLE gBlockMapping = nullptr;
unsigned char* gBlockView = nullptr;

}  // namespace

namespace squire {

unsigned char* SharedBlock(BlockAccess access)
{
    static std::mutex guard;
    std::lock_guard<std::mutex> lock(guard);
    if (gBlockView) return gBlockView;
    HANDLE mapping = access == BlockAccess::Create
                         ? CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSquireBlockSize,
                                              SQUIRE_MAPPING_NAME)
                         : OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, SQUIRE_MAPPING_NAME);
    if (!mapping) return nullptr;
    void* view = MapWholeView(mapping);
    if (!view) {
        CloseHandle(mapping);
        return nullptr;
    }
    gBlockMapping = mapping;
    gBlockView = static_cast<unsigned char*>(view);
    return gBlockView;
}

void ReleaseSharedBlock()
{
    if (gBlockView) {
        ForgetView(gBlockView);
        UnmapViewOfFile(gBlockView);
        gBlockView = nullptr;
    }
    if (gBlockMapping) {
        CloseHandle(gBlockMapping);
        gBlockMapping = nullptr;
    }
}

bool FindBlock(const void* address, unsigned char*& begin, unsigned char*& end)
{
    const unsigned char* p = static_cast<const unsigned char*>(address);
    std::lock_guard<std::mutex> lock(gViewsLock);
    for (const View& v : Views()) {
        if (p >= v.begin && p < v.end) {
            begin = v.begin;
            end = v.end;
            return true;
        }
    }
    return false;
}

}  // namespace squire

CMemoryMapper::~CMemoryMapper() { CloseHandleIfHeld(); }

void CMemoryMapper::CloseHandleIfHeld()
{
    if (m_Mapping) {
        CloseHandle(m_Mapping);
        m_Mapping = nullptr;
    }
}

HANDLE CMemoryMapper::MapFile()
{
    CloseHandleIfHeld();
    m_Mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kSquireBlockSize,
                                   SQUIRE_MAPPING_NAME);
    return m_Mapping;
}

void* CMemoryMapper::MakePointer()
{
    if (!m_Mapping) MapFile();
    return MapWholeView(m_Mapping);
}

void* CMemoryMapper::GetPointer()
{
    CloseHandleIfHeld();
    m_Mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, SQUIRE_MAPPING_NAME);
    return MapWholeView(m_Mapping);
}

void* CMemoryMapper::GetPointer(HANDLE mapping) { return MapWholeView(mapping); }

void CMemoryMapper::UnMap(void* view)
{
    if (!view) return;
    ForgetView(view);
    UnmapViewOfFile(view);
}

void TestGetMem()
{
    CMemoryMapper mapper;
    void* view = mapper.GetPointer();
    mapper.UnMap(view);
}
