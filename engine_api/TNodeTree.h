// A small owning tree: nodes linked to their next sibling and first child.
// String::Parse fills one with tokens; callers walk it from First().
#pragma once

#include <utility>

template <typename T>
class TNode {
public:
    explicit TNode(T value) : m_Data(std::move(value)) {}
    ~TNode()
    {
        delete m_Child;
        // Free the sibling chain iteratively so that long token lists cannot
        // exhaust the stack.
        TNode* n = m_Next;
        while (n) {
            TNode* following = n->m_Next;
            n->m_Next = nullptr;
            delete n;
            n = following;
        }
    }
    TNode(const TNode&) = delete;
    TNode& operator=(const TNode&) = delete;

    T& Data() { return m_Data; }
    const T& Data() const { return m_Data; }
    TNode* Next() const { return m_Next; }
    TNode* Child() const { return m_Child; }

private:
    template <typename> friend class TNodeTree;
    T m_Data;
    TNode* m_Next = nullptr;
    TNode* m_Child = nullptr;
};

template <typename T>
class TNodeTree {
public:
    TNodeTree() = default;
    ~TNodeTree() { Clear(); }
    TNodeTree(const TNodeTree&) = delete;
    TNodeTree& operator=(const TNodeTree&) = delete;

    TNode<T>* First() const { return m_First; }
    int GetCount() const
    {
        int n = 0;
        for (TNode<T>* p = m_First; p; p = p->m_Next) ++n;
        return n;
    }
    // Appends a node to the first level and returns it.
    TNode<T>* Append(T value)
    {
        TNode<T>* node = new TNode<T>(std::move(value));
        if (!m_First) m_First = node;
        else m_Last->m_Next = node;
        m_Last = node;
        return node;
    }
    // Appends a child to a node of this tree and returns it.
    static TNode<T>* AppendChild(TNode<T>* parent, T value)
    {
        TNode<T>* node = new TNode<T>(std::move(value));
        if (!parent->m_Child) { parent->m_Child = node; return node; }
        TNode<T>* p = parent->m_Child;
        while (p->m_Next) p = p->m_Next;
        p->m_Next = node;
        return node;
    }
    void Clear()
    {
        delete m_First;
        m_First = m_Last = nullptr;
    }

private:
    TNode<T>* m_First = nullptr;
    TNode<T>* m_Last = nullptr;
};
