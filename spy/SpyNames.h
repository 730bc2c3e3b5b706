// Names of declared windows: identifiers made from a control's text, or
// from its class and position when the text is of no use, made unique among
// the siblings that share one scope of the declarations file.
#pragma once

#include <set>
#include <string>

namespace spy {

// The identifier a text gives: the mnemonic '&', blanks and punctuation are
// dropped, each word starts with a capital letter, and whatever follows a
// tab (a menu item's accelerator) is ignored. "&Reset All" gives "ResetAll",
// "Select &all\tCtrl+A" gives "SelectAll". Empty when nothing is left or
// when the result would start with a digit.
std::string IdentifierFromText(const std::string& text);

// A short base name for a window class: "SysListView32" gives "ListView",
// "#32770" gives "Dialog"; unknown classes keep their letters and digits
// without the trailing digits.
std::string ClassBaseName(const std::string& windowClass);

// Hands out names unique within one scope: a name already taken gets the
// lowest free suffix from 2 on ("Button", "Button2", ...).
class NameScope {
public:
    std::string Claim(const std::string& wanted);

private:
    std::set<std::string> m_Taken;
};

// True for a text the declarations file accepts as a name that a script can
// use as a member: a letter or '_' first, then letters, digits or '_'.
bool IsIdentifier(const std::string& text);

}  // namespace spy
