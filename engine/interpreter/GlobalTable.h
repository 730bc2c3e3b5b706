// The script's global variables. The parser interns every global name to a
// slot; a slot holds a value once a declaration has run or a package has
// defined the variable (use, AddVariable). Slots never move, so a variable
// can be handed to a call while others are defined.
#pragma once

#include "InternalVisibility.h"

#include "Variable.h"

#include <deque>
#include <string>
#include <unordered_map>

LOOM_INTERNAL_BEGIN
namespace loom {

class GlobalTable {
public:
    int Intern(const std::string& name);
    int Find(const std::string& name) const;  // -1 when never interned
    const std::string& NameOf(int slot) const { return m_Slots[slot].name; }
    bool IsDefined(int slot) const { return m_Slots[slot].defined; }
    CVariable& Variable(int slot) { return m_Slots[slot].variable; }
    // Marks the slot defined and hands back its variable, reset to no value.
    CVariable& Define(int slot);
    void Clear();

private:
    struct Slot {
        std::string name;
        CVariable variable;
        bool defined = false;
    };
    std::deque<Slot> m_Slots;
    std::unordered_map<std::string, int> m_Index;
};

}  // namespace loom
LOOM_INTERNAL_END
