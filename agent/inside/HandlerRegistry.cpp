#include "HandlerRegistry.h"

#include "WindowHandler.h"

CHandlerRegistry* CHandlerRegistry::sInstance = nullptr;

CHandlerRegistry::~CHandlerRegistry()
{
    // Unlink each node before destroying its prototype, iteratively, so a
    // prototype's destructor never sees a half-destroyed list.
    while (m_Head) {
        std::unique_ptr<Node> node = std::move(m_Head);
        m_Head = std::move(node->next);
        delete node->prototype;
    }
}

CHandlerRegistry& CHandlerRegistry::Instance()
{
    if (!sInstance) sInstance = new CHandlerRegistry();
    return *sInstance;
}

void CHandlerRegistry::Reset()
{
    // The instance pointer is cleared first: prototypes destroyed below then
    // find no registry to leave.
    std::unique_ptr<CHandlerRegistry> doomed(sInstance);
    sInstance = nullptr;
}

void CHandlerRegistry::ForgetPrototype(const CWindowHandler* handler)
{
    if (!sInstance || !handler) return;
    std::unique_ptr<Node>* link = &sInstance->m_Head;
    while (*link) {
        if ((*link)->prototype == handler) {
            std::unique_ptr<Node> removed = std::move(*link);
            *link = std::move(removed->next);
            return;
        }
        link = &(*link)->next;
    }
}

int CHandlerRegistry::Register(CWindowHandler* handler)
{
    if (!handler) return -1;
    std::unique_ptr<Node>* tail = &m_Head;
    while (*tail) {
        if ((*tail)->prototype->GetHandlerClassName() == handler->GetHandlerClassName()) return (*tail)->id;
        tail = &(*tail)->next;
    }
    if (!handler->CanRegister()) return -1;
    auto node = std::make_unique<Node>();
    node->prototype = handler;
    node->id = m_NextId++;
    *tail = std::move(node);
    return (*tail)->id;
}

CWindowHandler* CHandlerRegistry::Find(const String& className)
{
    for (Node* node = m_Head.get(); node; node = node->next.get()) {
        if (node->prototype->GetHandlerClassName() == className) return node->prototype->Clone();
    }
    CWindowHandler unnamed;
    CWindowHandler* handler = unnamed.Clone();
    if (handler) handler->SetHandlerClassName(className);
    return handler;
}

bool CHandlerRegistry::Holds(const CWindowHandler* handler) const
{
    for (Node* node = m_Head.get(); node; node = node->next.get()) {
        if (node->prototype == handler) return true;
    }
    return false;
}

int CHandlerRegistry::GetId(const String& className) const
{
    for (Node* node = m_Head.get(); node; node = node->next.get()) {
        if (node->prototype->GetHandlerClassName() == className) return node->id;
    }
    return 0;
}

int CHandlerRegistry::GetCount() const
{
    int count = 0;
    for (Node* node = m_Head.get(); node; node = node->next.get()) ++count;
    return count;
}

std::vector<const CWindowHandler*> CHandlerRegistry::Prototypes() const
{
    std::vector<const CWindowHandler*> prototypes;
    for (Node* node = m_Head.get(); node; node = node->next.get()) prototypes.push_back(node->prototype);
    return prototypes;
}
