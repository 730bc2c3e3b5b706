#include "GlobalTable.h"

namespace loom {

int GlobalTable::Intern(const std::string& name)
{
    auto it = m_Index.find(name);
    if (it != m_Index.end()) return it->second;
    const int slot = static_cast<int>(m_Slots.size());
    m_Slots.emplace_back();
    m_Slots.back().name = name;
    m_Slots.back().variable.SetName(String(name));
    m_Index.emplace(name, slot);
    return slot;
}

int GlobalTable::Find(const std::string& name) const
{
    auto it = m_Index.find(name);
    return it == m_Index.end() ? -1 : it->second;
}

CVariable& GlobalTable::Define(int slot)
{
    Slot& s = m_Slots[slot];
    s.defined = true;
    s.variable = CVariable(String(s.name));
    return s.variable;
}

void GlobalTable::Clear()
{
    m_Slots.clear();
    m_Index.clear();
}

}  // namespace loom
