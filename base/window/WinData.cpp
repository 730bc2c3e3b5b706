#include "WinData.h"

#include <new>
#include <vector>

WinDataT* NewWinData(WinDataT* discard)
{
    FreeWinData(discard);
    WinDataT* node = new (std::nothrow) WinDataT;
    if (!node)
        return nullptr;
    node->name = new (std::nothrow) String;
    node->tag = new (std::nothrow) String;
    node->windowClass = new (std::nothrow) String;
    node->kind = new (std::nothrow) String;
    if (!node->name || !node->tag || !node->windowClass || !node->kind) {
        FreeWinData(node);
        return nullptr;
    }
    return node;
}

void FreeWinData(WinDataT* node)
{
    // Explicit work list instead of recursion over `next` and `child`.
    std::vector<WinDataT*> pending;
    if (node)
        pending.push_back(node);
    while (!pending.empty()) {
        WinDataT* n = pending.back();
        pending.pop_back();
        if (n->next)
            pending.push_back(n->next);
        if (n->child)
            pending.push_back(n->child);
        delete n->name;
        delete n->tag;
        delete n->windowClass;
        delete n->kind;
        delete n;
    }
}

static WinDataT* CopyOneNode(const WinDataT* from)
{
    WinDataT* node = NewWinData(nullptr);
    if (!node)
        return nullptr;
    *node->name = *from->name;
    *node->tag = *from->tag;
    *node->windowClass = *from->windowClass;
    *node->kind = *from->kind;
    node->tagNumber = from->tagNumber;
    node->isParent = from->isParent;
    node->isChild = from->isChild;
    node->parent = from->parent;
    return node;
}

WinDataT* CopyWinData(const WinDataT* node)
{
    if (!node)
        return nullptr;
    WinDataPtr head(CopyOneNode(node));
    if (!head)
        return nullptr;
    // The child chain is copied link by link (a path is a chain through
    // `child`); each copied node keeps only its own child link.
    WinDataT* tail = head.get();
    for (const WinDataT* from = node->child; from; from = from->child) {
        WinDataT* copy = CopyOneNode(from);
        if (!copy)
            return nullptr;
        tail->child = copy;
        tail = copy;
    }
    return head.release();
}
