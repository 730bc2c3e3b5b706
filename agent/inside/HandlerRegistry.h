// CHandlerRegistry: the per-process table of control handler prototypes,
// one per window class, in registration order. It is created on first use
// and lives until Reset (tests) or the end of the process; it owns the
// prototypes it keeps.
#pragma once

#include "SquireApi.h"

#include "String.h"

#include <memory>
#include <vector>

class CWindowHandler;

class SQUIRE_API CHandlerRegistry {
public:
    CHandlerRegistry(const CHandlerRegistry&) = delete;
    CHandlerRegistry& operator=(const CHandlerRegistry&) = delete;
    ~CHandlerRegistry();

    // The registry, created when none exists.
    static CHandlerRegistry& Instance();
    // Destroys the registry, its nodes and its prototypes.
    static void Reset();
    // Removes handler from the list, without destroying it, when it is a
    // prototype of the current registry (its destructor calls this).
    static void ForgetPrototype(const CWindowHandler* handler);

    // The id of the handler's class: the existing id when the class name is
    // registered already (the handler is then not kept), else a new id with
    // the handler kept as prototype. -1 for a null handler or one that may
    // not register.
    int Register(CWindowHandler* handler);
    // A new handler for className, owned by the caller: a clone of the
    // prototype of that class, or a generic handler carrying that name.
    CWindowHandler* Find(const String& className);

    // Whether handler is one of the prototypes kept.
    bool Holds(const CWindowHandler* handler) const;
    // The id registered for className, 0 when none.
    int GetId(const String& className) const;
    int GetCount() const;
    // The prototypes, in registration order.
    std::vector<const CWindowHandler*> Prototypes() const;

private:
    struct Node {
        CWindowHandler* prototype = nullptr;  // owned
        int id = 0;
        std::unique_ptr<Node> next;
    };

    CHandlerRegistry() = default;

    std::unique_ptr<Node> m_Head;
    int m_NextId = 1;

    static CHandlerRegistry* sInstance;
};
