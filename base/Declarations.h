// The declarations file read by the `use` keyword: an indented text that
// describes an application's windows as a tree. DeclarationsParser turns the
// lines into a WinDataT tree; the builders turn the tree into window values.
#pragma once

#include "ClassWindow.h"
#include "KestrelBaseApi.h"
#include "Loom.h"
#include "WinData.h"

#include <vector>

class KESTRELBASE_API DeclarationsParser {
public:
    // Declarations nested deeper than this are refused: the window values
    // built from the tree are copied and freed recursively.
    static constexpr int kMaxDepth = 100;

    DeclarationsParser();
    DeclarationsParser(const DeclarationsParser&) = delete;
    DeclarationsParser& operator=(const DeclarationsParser&) = delete;

    // Parses one line; `lineNumber` counts from 1 and goes into messages.
    CStatus ParseLine(const String& line, int lineNumber);
    // The tree parsed so far; the parser is empty afterwards.
    WinDataPtr TakeTree() { return std::move(m_Root); }
    const WinDataT* Root() const { return m_Root.get(); }
    // Whether any line so far declared a window.
    bool HasDeclaration() const { return m_Declared; }

    // A doubtful line that is loaded anyway: its number and what is wrong.
    struct Warning {
        int line;
        String text;
    };
    const std::vector<Warning>& Warnings() const { return m_Warnings; }

private:
    CStatus PlaceNode(int level, int lineNumber);
    void Warn(int lineNumber, const String& text) { m_Warnings.push_back({lineNumber, text}); }
    void CheckLine(const String& source, int level, int lineNumber, bool& unterminated);
    std::vector<Warning> m_Warnings;

    WinDataPtr m_Root;
    WinDataT* m_Current = nullptr;
    bool m_Declared = false;
    int m_FirstLevel = 0;
    int m_PrevLevel = 0;
    int m_Depth = 0;  // depth of m_Current below the root
};

// Reads a whole declarations file into `tree`. Errors read
// "FILE:LINE: error: MESSAGE (Kxxxxx)"; a file without any declaration is
// one. The second form names the file as `shownName` and hands out the
// warnings of doubtful lines, in the same form with "warning".
KESTRELBASE_API CStatus ParseDeclarationsFile(const String& path, WinDataPtr& tree);
KESTRELBASE_API CStatus ParseDeclarationsFile(const String& path, const String& shownName, WinDataPtr& tree,
                                              std::vector<String>& warnings);
// Makes a window value from a top-level node (with its members) and hands
// it to the engine as a variable of the node's name.
KESTRELBASE_API CStatus CreateWindowVariable(CEngine& engine, const WinDataT& node);
// Adds the windows of a node chain (and their members) as members of `owner`.
KESTRELBASE_API CStatus BuildWindowMembers(CDataWindow& owner, const WinDataT* chain);
// The `use` keyword: loads the declarations file named by the literal.
KESTRELBASE_API CStatus UseDeclarations(CEngine& engine, const String& argument);
