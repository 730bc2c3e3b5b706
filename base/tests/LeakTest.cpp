// Repeated copying, path building and declarations loading must not grow
// the C runtime heap: the bytes in use are summed before and after.
#include "Declarations.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <malloc.h>

namespace {

long long BusyBytes()
{
    HANDLE heap = reinterpret_cast<HANDLE>(_get_heap_handle());
    long long total = 0;
    PROCESS_HEAP_ENTRY entry = {};
    HeapLock(heap);
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            total += entry.cbData;
    HeapUnlock(heap);
    return total;
}

void Exercise(const std::string& path)
{
    CDataWindow top;
    top.name = "Top";
    top.windowClass = "Frame";
    CDataWindow child;
    child.name = "Child";
    top.ConstructChildPath(&child);
    String name("Child");
    top.AddLocalVariable(&child, name);
    top.AddLocalVariable(&child, name);
    CDataWindow copy(top);
    copy = child;
    copy.CopyData(&top);
    WinDataPtr tree(top.CreatePathTree());
    WinDataPtr parsed;
    ParseDeclarationsFile(path.c_str(), parsed);
    WinDataPtr failed;
    ParseDeclarationsFile((path + ".missing").c_str(), failed);
}

}  // namespace

TEST(Leaks, WindowValuesAndDeclarationTreesGiveBackTheirMemory)
{
    TempFile file("kestrel_leak.dec", "[-]MainWin \"M\"\n\t[-]Edit \"E\"\n\t\t(1)Tag=1\n\t\t[-]Edit \"F\"\n\t[-]Edit \"E\"\n(1)Parent=x\n");
    Exercise(file.path);  // first use settles one-time allocations
    long long before = BusyBytes();
    for (int i = 0; i < 300; ++i)
        Exercise(file.path);
    long long after = BusyBytes();
    EXPECT_LT(after - before, 2048) << "heap grew from " << before << " to " << after;
}
