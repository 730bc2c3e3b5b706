// WinDataT: the node of window declaration trees (built by the declarations
// loader and by CreatePathTree) and of window paths (chains linked through
// `child`, from the top-level window down to the direct parent).
#pragma once

#include "KestrelBaseApi.h"
#include "Loom.h"

#include <memory>

struct KESTRELBASE_API WinDataT {
    String* name = nullptr;
    String* tag = nullptr;
    String* windowClass = nullptr;
    String* kind = nullptr;
    int tagNumber = 0;
    int isParent = 0;
    int isChild = 0;
    WinDataT* next = nullptr;
    WinDataT* prev = nullptr;
    WinDataT* parent = nullptr;
    WinDataT* child = nullptr;
};

// A new node with four empty strings, zero numbers and null links; `discard`
// (may be null) is freed first. Null only when memory runs out.
KESTRELBASE_API WinDataT* NewWinData(WinDataT* discard);
// Frees a node, its strings, its `next` chain and its `child` subtree. Works
// without recursion, so neither long sibling chains nor deep trees can
// exhaust the stack.
KESTRELBASE_API void FreeWinData(WinDataT* node);
// A copy of a node: the four strings, the numbers, the `parent` link value,
// and a copy of the whole `child` chain; `next` and `prev` stay null.
KESTRELBASE_API WinDataT* CopyWinData(const WinDataT* node);

struct WinDataDeleter {
    void operator()(WinDataT* node) const { FreeWinData(node); }
};
// Owner of a whole tree or path; frees it on every path out of a scope.
using WinDataPtr = std::unique_ptr<WinDataT, WinDataDeleter>;
