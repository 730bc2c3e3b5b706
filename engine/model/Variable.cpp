#include "Variable.h"

#include "Factory.h"

namespace {

// Arrays beyond this many elements are refused rather than allocated.
constexpr long long kMaxElements = 16 * 1024 * 1024;

long long Product(const std::vector<int>& extents)
{
    long long n = 1;
    for (int e : extents) n *= e;
    return n;
}

}  // namespace

DimensionT* MakeDimension(int index, DimensionT* next)
{
    DimensionT* d = new DimensionT;
    d->index = index;
    d->next = next;
    return d;
}

void FreeDimension(DimensionT* dims)
{
    while (dims) {
        DimensionT* next = dims->next;
        delete dims;
        dims = next;
    }
}

void DimensionList::Append(int index)
{
    DimensionT* node = MakeDimension(index);
    if (!m_Head) { m_Head = node; return; }
    DimensionT* p = m_Head;
    while (p->next) p = p->next;
    p->next = node;
}

CVariable::CVariable(const String& name, int type) : m_Name(name)
{
    if (type) SetType(type);
}

CVariable::CVariable(const CVariable& other) { *this = other; }

CVariable& CVariable::operator=(const CVariable& other)
{
    if (this == &other) return *this;
    std::vector<CData*> copies;
    copies.reserve(other.m_Elems.size());
    for (CData* d : other.m_Elems) copies.push_back(d ? d->Clone() : nullptr);
    Clear();
    m_Name = other.m_Name;
    m_Type = other.m_Type;
    m_Extents = other.m_Extents;
    m_Elems.swap(copies);
    return *this;
}

CVariable::~CVariable()
{
    Clear();
    FreeDimension(m_DimsCache);
}

void CVariable::Clear()
{
    for (CData* d : m_Elems) delete d;
    m_Elems.clear();
    m_Extents.clear();
}

CStatus CVariable::SetType(int type)
{
    Clear();
    m_Type = type;
    if (type == 0 || type == LOOM_TYPE_ANY) return CStatus();
    CData* value = Factory_MakeData(type);
    if (!value) return CStatus::MakeError(String::Printf("Unknown data type %d.", type));
    m_Elems.push_back(value);
    return CStatus();
}

CData* CVariable::CopyForStore(CData* value, CStatus& status) const
{
    if (!value) {
        status = CStatus::MakeError("No value to store.");
        return nullptr;
    }
    CData* copy = nullptr;
    if (m_Type == 0 || m_Type == LOOM_TYPE_ANY || m_Type == value->GetType()) {
        copy = value->Clone();
    } else {
        // Another type: let the variable's own type take the value (an int
        // stored into a real widens).
        copy = Factory_MakeData(m_Type);
        if (copy && !copy->CopyData(value)) {
            delete copy;
            copy = nullptr;
        }
        if (!copy) {
            status = CStatus::MakeError(String::Printf("Cannot store a %s value in %s variable '%s'.",
                                                       value->GetTypeName().c_str(),
                                                       Factory_GetTypeName(m_Type).c_str(), m_Name.c_str()));
            return nullptr;
        }
    }
    if (!copy) status = CStatus::MakeError(String::Printf("A %s value cannot be copied.", value->GetTypeName().c_str()));
    return copy;
}

void CVariable::Adopt(CData* value)
{
    Clear();
    if (!value) return;
    if (m_Type == 0 || m_Type == LOOM_TYPE_ANY) m_Type = value->GetType();
    m_Elems.push_back(value);
}

CStatus CVariable::SetData(CData* value, DimensionT* dims)
{
    CStatus status;
    CData* copy = CopyForStore(value, status);
    if (!copy) return status;
    if (!dims) {
        Adopt(copy);
        return status;
    }
    std::vector<int> indices;
    for (DimensionT* d = dims; d; d = d->next) {
        if (d->index < 1) {
            delete copy;
            return CStatus::MakeError(String::Printf("Index %d is out of range.", d->index));
        }
        indices.push_back(d->index);
    }
    if (m_Extents.empty()) {
        // A scalar becomes element 1 of the array; nothing becomes an empty array.
        if (m_Elems.empty()) m_Extents.assign(indices.size(), 0);
        else m_Extents.assign(indices.size(), 1);
    }
    if (indices.size() != m_Extents.size()) {
        delete copy;
        return CStatus::MakeError(String::Printf("'%s' has %d dimensions, not %d.", m_Name.c_str(),
                                                 static_cast<int>(m_Extents.size()), static_cast<int>(indices.size())));
    }
    std::vector<int> grown = m_Extents;
    for (size_t i = 0; i < indices.size(); ++i)
        if (indices[i] > grown[i]) grown[i] = indices[i];
    if (Product(grown) > kMaxElements) {
        delete copy;
        return CStatus::MakeError(String::Printf("Array '%s' would be too large.", m_Name.c_str()));
    }
    if (grown != m_Extents || m_Elems.size() != static_cast<size_t>(Product(grown))) Grow(grown);
    int flat = 0;
    FlatIndex(indices, flat);
    delete m_Elems[static_cast<size_t>(flat)];
    m_Elems[static_cast<size_t>(flat)] = copy;
    if (m_Type == 0 || m_Type == LOOM_TYPE_ANY) m_Type = copy->GetType();
    return status;
}

void CVariable::Grow(const std::vector<int>& extents)
{
    if (extents.size() == 1 && m_Extents.size() == 1 && m_Elems.size() == static_cast<size_t>(m_Extents[0])) {
        // One dimension keeps its layout: the vector grows in place, its
        // capacity geometrically, so building an array element by element
        // is linear.
        m_Elems.resize(static_cast<size_t>(extents[0]), nullptr);
        m_Extents = extents;
        return;
    }
    std::vector<CData*> grown(static_cast<size_t>(Product(extents)), nullptr);
    const long long oldCount = m_Extents.empty() ? 0 : Product(m_Extents);
    for (long long flat = 0; flat < oldCount && flat < static_cast<long long>(m_Elems.size()); ++flat) {
        // Old position as indices, then its place in the new layout.
        long long rest = flat;
        long long newFlat = 0;
        long long stride = 1;
        std::vector<int> idx(m_Extents.size());
        for (size_t i = m_Extents.size(); i-- > 0;) {
            idx[i] = static_cast<int>(rest % m_Extents[i]);
            rest /= m_Extents[i];
        }
        for (size_t i = extents.size(); i-- > 0;) {
            newFlat += idx[i] * stride;
            stride *= extents[i];
        }
        grown[static_cast<size_t>(newFlat)] = m_Elems[static_cast<size_t>(flat)];
    }
    m_Elems.swap(grown);
    m_Extents = extents;
}

CStatus CVariable::FlatIndex(const std::vector<int>& indices, int& flat) const
{
    if (m_Extents.empty())
        return CStatus::MakeError(String::Printf("'%s' is not an array.", m_Name.c_str()));
    if (indices.size() != m_Extents.size())
        return CStatus::MakeError(String::Printf("'%s' has %d dimensions, not %d.", m_Name.c_str(),
                                                 static_cast<int>(m_Extents.size()), static_cast<int>(indices.size())));
    long long f = 0;
    for (size_t i = 0; i < indices.size(); ++i) {
        if (indices[i] < 1 || indices[i] > m_Extents[i])
            return CStatus::MakeError(String::Printf("Index %d of '%s' is out of range 1..%d.", indices[i],
                                                     m_Name.c_str(), m_Extents[i]));
        f = f * m_Extents[i] + (indices[i] - 1);
    }
    flat = static_cast<int>(f);
    return CStatus();
}

CStatus CVariable::Dimension(const std::vector<int>& extents)
{
    if (extents.empty()) return CStatus::MakeError("An array needs at least one dimension.");
    for (int e : extents)
        if (e < 1) return CStatus::MakeError(String::Printf("Array size %d of '%s' is not positive.", e, m_Name.c_str()));
    if (Product(extents) > kMaxElements)
        return CStatus::MakeError(String::Printf("Array '%s' would be too large.", m_Name.c_str()));
    const int type = m_Type;
    Clear();
    m_Extents = extents;
    m_Elems.assign(static_cast<size_t>(Product(extents)), nullptr);
    for (CData*& d : m_Elems) d = Factory_MakeData(type);
    return CStatus();
}

CStatus CVariable::GetElement(const std::vector<int>& indices, CData*& out) const
{
    out = nullptr;
    int flat = 0;
    CStatus status = FlatIndex(indices, flat);
    if (!status) return status;
    out = m_Elems[static_cast<size_t>(flat)];
    if (!out) return CStatus::MakeError(String::Printf("An element of '%s' has no value.", m_Name.c_str()));
    return status;
}

CStatus CVariable::SetElement(const std::vector<int>& indices, CData* value)
{
    int flat = 0;
    CStatus status = FlatIndex(indices, flat);
    if (!status) return status;
    CData* copy = CopyForStore(value, status);
    if (!copy) return status;
    delete m_Elems[static_cast<size_t>(flat)];
    m_Elems[static_cast<size_t>(flat)] = copy;
    return status;
}

CStatus CVariable::SetWorkingData(CData* value)
{
    if (value && value == GetWorkingData()) return CStatus();
    if (m_Extents.empty()) return SetData(value, nullptr);
    CStatus status;
    CData* copy = CopyForStore(value, status);
    if (!copy) return status;
    delete m_Elems[0];
    m_Elems[0] = copy;
    return status;
}

CData* CVariable::GetWorkingData() const
{
    return m_Elems.empty() ? nullptr : m_Elems[0];
}

CData* CVariable::Get(int i) const
{
    if (i < 0 || i >= static_cast<int>(m_Elems.size())) return nullptr;
    return m_Elems[static_cast<size_t>(i)];
}

DimensionT* CVariable::GetDims() const
{
    FreeDimension(m_DimsCache);
    m_DimsCache = nullptr;
    DimensionT** tail = &m_DimsCache;
    for (int e : m_Extents) {
        *tail = MakeDimension(e);
        tail = &(*tail)->next;
    }
    return m_DimsCache;
}
