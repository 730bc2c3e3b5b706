#include "Declarations.h"
#include "InternalErrors.h"

#include <cctype>

DeclarationsParser::DeclarationsParser() : m_Root(NewWinData(nullptr)), m_Current(m_Root.get())
{
}

static CStatus LineError(const char* format, int lineNumber)
{
    CStatus status;
    status.Format(CStatus::Error, format, lineNumber);
    return status;
}

CStatus DeclarationsParser::PlaceNode(int level, int lineNumber)
{
    if (!m_Current)
        return CStatus::MakeDefaultError(__LINE__, "KestrelBase");
    if (!m_Declared) {
        // The first declaration fills the root, whatever its indentation.
        m_Declared = true;
        m_FirstLevel = m_PrevLevel = level;
        m_Current = m_Root.get();
        return CStatus::MakeOK();
    }
    if (level < m_FirstLevel)
        return LineError("Declaration on line %d is less indented than the first declaration. (K00255)",
                         lineNumber);
    if (level > m_PrevLevel) {
        if (level - m_PrevLevel > kMaxDepth - m_Depth)
            return LineError("Declaration on line %d is nested too deeply. (K00256)", lineNumber);
        for (int k = level - m_PrevLevel; k > 0; --k) {
            WinDataT* node = NewWinData(nullptr);
            if (!node)
                return CStatus::MakeDefaultError(__LINE__, "KestrelBase");
            m_Current->child = node;
            node->parent = m_Current;
            m_Current = node;
            ++m_Depth;
        }
    } else {
        for (int k = m_PrevLevel - level; k > 0; --k) {
            // Cannot run out: level is not below the first declaration's.
            if (!m_Current->parent)
                return CStatus::MakeDefaultError(__LINE__, "KestrelBase");
            m_Current = m_Current->parent;
            --m_Depth;
        }
        WinDataT* node = NewWinData(nullptr);
        if (!node)
            return CStatus::MakeDefaultError(__LINE__, "KestrelBase");
        m_Current->next = node;
        node->prev = m_Current;
        node->parent = m_Current->parent;
        m_Current = node;
    }
    m_PrevLevel = level;
    return CStatus::MakeOK();
}

namespace {

bool IsNameIdentifier(const std::string& name)
{
    if (name.empty())
        return false;
    const unsigned char first = static_cast<unsigned char>(name[0]);
    if (first >= 0x80 || !(std::isalpha(first) || first == '_'))
        return false;
    for (char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0x80 || !(std::isalnum(u) || u == '_'))
            return false;
    }
    return true;
}

// Double quotes that are not escaped with a backslash.
int QuoteCount(const std::string& text)
{
    int quotes = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size())
            ++i;
        else if (text[i] == '"')
            ++quotes;
    }
    return quotes;
}

}  // namespace

// Warnings for what the loader accepts but the writer hardly meant: they
// name what went wrong where the lookup would only fail much later.
void DeclarationsParser::CheckLine(const String& source, int level, int lineNumber, bool& unterminated)
{
    const std::string& text = source.str();
    unterminated = QuoteCount(text) % 2 != 0;
    size_t first = static_cast<size_t>(level);
    while (first < text.size() && (text[first] == ' ' || text[first] == '\t'))
        ++first;
    if (first == text.size() || text[first] == '\r')
        return;  // a blank line
    if (first > static_cast<size_t>(level))
        Warn(lineNumber, "Line starts with blanks; only tabs count as indentation. (K00261)");
    if (unterminated)
        Warn(lineNumber, "Unterminated string: a '\"' has no partner on this line. (K00265)");
    if (text[first] != '[' && text[first] != '(')
        Warn(lineNumber, "Line is neither a declaration '[-]Kind \"Name\"' nor a property '(1)Key=value'. (K00266)");
}

CStatus DeclarationsParser::ParseLine(const String& source, int lineNumber)
{
    if (!m_Root)
        return CStatus::MakeDefaultError(__LINE__, "KestrelBase");
    int level = 0;
    while (source[level] == '\t')
        ++level;
    bool unterminated = false;
    CheckLine(source, level, lineNumber, unterminated);
    const bool firstDeclaration = !m_Declared;
    const int previousLevel = m_PrevLevel;
    String line(source);
    line.SetQuoteState(1);
    String token;

    if (line.Parse("[", token) >= 0) {
        CStatus placed = PlaceNode(level, lineNumber);
        if (!placed)
            return placed;
        if (!firstDeclaration && level > previousLevel + 1)
            Warn(lineNumber, String::Printf("Declaration is indented %d levels below the one before; a child is one "
                                            "tab deeper than its parent. (K00262)",
                                            level - previousLevel));
        if (line.Parse("]", token) < 0)
            return LineError("Incorrect declaration syntax on line %d. (K00250)", lineNumber);
        String kind;
        if (line.Parse(" ", kind) < 0) {
            if (line == "Menu") {
                kind = "Menu";
                line = "\"Menu\"";
            } else {
                return LineError("Incorrect declaration syntax on line %d. (K00251)", lineNumber);
            }
        }
        *m_Current->kind = kind;
        CDataString literal;
        const bool quoted = literal.DataFromString(line);
        String name = literal.Data;
        name.Trim();
        *m_Current->name = name.IsEmpty() ? String("NoName") : name;
        if (!quoted && !unterminated)
            Warn(lineNumber, String::Printf("Name %s is not a quoted string. (K00264)", line.c_str()));
        else if (quoted && !name.IsEmpty() && !IsNameIdentifier(name.str()))
            Warn(lineNumber, String::Printf("Name '%s' is not an identifier; a script cannot name it as a member. "
                                            "(K00263)",
                                            name.c_str()));
    }

    if (line.Parse("(", token) < 0)
        return CStatus::MakeOK();
    if (line.Parse(")", token) < 0) {
        CStatus status;
        status.Format(CStatus::Error, "Could not load declarations file. (K00540)");
        return status;
    }
    String key;
    if (line.Parse("=", key) < 0) {
        key = line;
        line = "";
    }
    String text;
    CDataInt number;
    if (key == "Tag") {
        if (CDataString::ParseLiteral(line, text))
            *m_Current->tag = text;
        else if (number.DataFromString(line))
            m_Current->tagNumber = number.Data;
    } else if (key == "Class") {
        if (CDataString::ParseLiteral(line, text))
            *m_Current->windowClass = text;
    } else if (key == "Parent") {
        if (!number.DataFromString(line))
            return LineError("Incorrect declaration syntax on line %d. Expect and integer. (K00252)",
                             lineNumber);
        m_Current->isParent = number.Data;
    } else if (key == "Child") {
        if (!number.DataFromString(line))
            return LineError("Incorrect declaration syntax on line %d. Expect and integer. (K00253)",
                             lineNumber);
        m_Current->isChild = number.Data;
    } else {
        Warn(lineNumber, String::Printf("Unknown key '%s' ignored; the keys are Tag, Class, Parent and Child. (K00260)",
                                        key.c_str()));
    }
    return CStatus::MakeOK();
}

CStatus ParseDeclarationsFile(const String& path, WinDataPtr& tree)
{
    std::vector<String> warnings;
    return ParseDeclarationsFile(path, path, tree, warnings);
}

CStatus ParseDeclarationsFile(const String& path, const String& shownName, WinDataPtr& tree,
                              std::vector<String>& warnings)
{
    File file(path);
    if (!file.IsOpen()) {
        CStatus status;
        return status.Format(CStatus::Error, "Could not open file '%s'. (K00103)", path.c_str());
    }
    DeclarationsParser parser;
    String line;
    int lineNumber = 0;
    size_t reported = 0;
    auto passWarnings = [&]() {
        const std::vector<DeclarationsParser::Warning>& found = parser.Warnings();
        // A file that is no declarations file at all (a script given to
        // `use`) would warn on every line: the first ones say enough.
        constexpr size_t kShown = 20;
        for (; reported < found.size(); ++reported) {
            if (reported == kShown)
                warnings.push_back(String::Printf("%s:%d: warning: further warnings not shown.", shownName.c_str(),
                                                  found[reported].line));
            if (reported >= kShown)
                continue;
            warnings.push_back(String::Printf("%s:%d: warning: %s", shownName.c_str(), found[reported].line,
                                              found[reported].text.c_str()));
        }
    };
    while (file.ReadLine(line) >= 0) {
        CStatus status = parser.ParseLine(line, ++lineNumber);
        passWarnings();
        if (!status) {
            CStatus located;
            return located.Format(CStatus::Error, "%s:%d: error: %s", shownName.c_str(), lineNumber,
                                  status.GetStatusMessage().c_str());
        }
    }
    if (!parser.HasDeclaration()) {
        CStatus status;
        return status.Format(CStatus::Error,
                             "%s:%d: error: The file holds no declaration line '[-]Kind \"Name\"'. (K00257)",
                             shownName.c_str(), lineNumber > 0 ? lineNumber : 1);
    }
    tree = parser.TakeTree();
    if (!tree)
        return CStatus::MakeDefaultError(__LINE__, "KestrelBase");
    return CStatus::MakeOK();
}

namespace {

void CopyNodeFields(const WinDataT& node, CDataWindow& window)
{
    window.windowClass = *node.windowClass;
    window.name = *node.name;
    window.tag = *node.tag;
    window.kind = *node.kind;
    window.isChild = node.isChild;
    window.isParent = node.isParent;
    window.tagNumber = node.tagNumber;
}

// A node that stands for the menu bar itself: its children belong to the
// window that owns the menu.
bool IsMenuPlaceholder(const WinDataT& node)
{
    return *node.kind == "Menu" && (*node.name == "NoName" || *node.name == "Menu") &&
           *node.windowClass == "Menu" && node.tag->IsEmpty();
}

}  // namespace

CStatus BuildWindowMembers(CDataWindow& owner, const WinDataT* chain)
{
    for (const WinDataT* node = chain; node; node = node->next) {
        if (IsMenuPlaceholder(*node)) {
            if (!node->child) {
                CStatus status;
                return status.Format(CStatus::Error, "Menu of '%s' declares no menu items. (K00212)",
                                     owner.name.c_str());
            }
            CStatus status = BuildWindowMembers(owner, node->child);
            if (!status)
                return status;
            continue;
        }
        loom::ValuePtr<CDataWindow> member = loom::MakeValue<CDataWindow>();
        if (!member)
            return CStatus::MakeDefaultError(kestrel::internal::kDeclarationMemberLine, kestrel::internal::kKestrelBase);
        CopyNodeFields(*node, *member);
        owner.ConstructChildPath(member.get());
        member->depth = owner.depth + 1;
        if (node->child) {
            CStatus status = BuildWindowMembers(*member, node->child);
            if (!status)
                return status;
        }
        String memberName = member->name;
        CStatus status = owner.AddLocalVariable(member.get(), memberName);
        if (!status)
            return status;
    }
    return CStatus::MakeOK();
}

CStatus CreateWindowVariable(CEngine& engine, const WinDataT& node)
{
    loom::ValuePtr<CDataWindow> window = loom::MakeValue<CDataWindow>();
    if (!window)
        return CStatus::MakeDefaultError(kestrel::internal::kDeclarationRootLine, kestrel::internal::kKestrelBase);
    CopyNodeFields(node, *window);
    window->depth = 0;
    if (node.child) {
        CStatus status = BuildWindowMembers(*window, node.child);
        if (!status)
            return status;
    }
    return engine.AddVariable(*window, window->name);
}

CStatus UseDeclarations(CEngine& engine, const String& argument)
{
    String path;
    if (!CDataString::ParseLiteral(argument, path)) {
        CStatus status;
        return status.Format(CStatus::Error, "Keyword 'use' requires a string parameter. (K00210)");
    }
    String absolute;
    CStatus status = engine.GetEnvironment()->GetAbsolutePath(path, absolute);
    if (!status)
        return status;
    WinDataPtr tree;
    std::vector<String> warnings;
    status = ParseDeclarationsFile(absolute, path, tree, warnings);
    // Warnings go to the script's output, and loading goes on.
    ssi_stream* out = engine.GetOutStream();
    for (const String& warning : warnings)
        if (out)
            out->Write(warning, 1);
    if (!status)
        return status;
    for (const WinDataT* node = tree.get(); node; node = node->next) {
        status = CreateWindowVariable(engine, *node);
        if (!status)
            return status;
    }
    return CStatus::MakeOK();
}
