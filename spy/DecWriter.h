// Writes window trees read by the spy as a declarations file that `use`
// reads: a MainWin per top-level window, a Control per child window, and
// the menu bar as Menu/MenuItem entries. Every tag is checked with the
// lookup before it is written.
#pragma once

#include "LookupCheck.h"
#include "SpyModel.h"
#include "SpyNames.h"

#include <string>
#include <vector>

namespace spy {

class DecWriter {
public:
    // Chooses names and tags for the window and its descendants and appends
    // their declarations.
    void Add(WindowNode& top);

    const std::string& Text() const { return m_Text; }
    // Windows no tag could be found for, one message each; they and their
    // descendants are left out of the file.
    const std::vector<std::string>& Skipped() const { return m_Skipped; }

    // A string literal of the file for `text`; false when the text cannot
    // be written as one (a double quote in it).
    static bool Literal(const std::string& text, std::string& literal);
    // Chooses and checks the tag of a top-level window; false when none
    // finds it.
    static bool ChooseTopTag(WindowNode& top);
    // The same for a child whose ancestors are `path` (top-level first).
    static bool ChooseChildTag(WindowNode& child, const std::vector<Description>& path);

private:
    void WriteChildren(WindowNode& parent, std::vector<Description>& path, NameScope& scope, int depth);
    void WriteMenu(const std::vector<MenuNode>& items, const std::vector<Description>& path,
                   std::vector<int>& submenus, NameScope& scope, int depth);
    void Line(int depth, const std::string& text);
    void Properties(int depth, const WindowNode& node, int parent, int child);

    std::string m_Text;
    std::vector<std::string> m_Skipped;
    NameScope m_TopNames;
};

}  // namespace spy
