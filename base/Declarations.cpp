#include "Declarations.h"

#include <memory>

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

CStatus DeclarationsParser::ParseLine(const String& source, int lineNumber)
{
    if (!m_Root)
        return CStatus::MakeDefaultError(__LINE__, "KestrelBase");
    int level = 0;
    while (source[level] == '\t')
        ++level;
    String line(source);
    line.SetQuoteState(1);
    String token;

    if (line.Parse("[", token) >= 0) {
        CStatus placed = PlaceNode(level, lineNumber);
        if (!placed)
            return placed;
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
        literal.DataFromString(line);
        String name = literal.Data;
        name.Trim();
        *m_Current->name = name.IsEmpty() ? String("NoName") : name;
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
    }
    return CStatus::MakeOK();
}

CStatus ParseDeclarationsFile(const String& path, WinDataPtr& tree)
{
    File file(path);
    if (!file.IsOpen()) {
        CStatus status;
        return status.Format(CStatus::Error, "Could not open file '%s'. (K00103)", path.c_str());
    }
    DeclarationsParser parser;
    String line;
    int lineNumber = 0;
    while (file.ReadLine(line) >= 0) {
        CStatus status = parser.ParseLine(line, ++lineNumber);
        if (!status)
            return status;
    }
    tree = parser.TakeTree();
    if (!tree)
        return CStatus::MakeDefaultError(__LINE__, "KestrelBase");
    return CStatus::MakeOK();
}

namespace {

struct DataDeleter {
    void operator()(CData* data) const { delete data; }
};
using WindowPtr = std::unique_ptr<CDataWindow, DataDeleter>;

// A new window value from the factory, or null.
WindowPtr MakeWindow()
{
    int type = CDataWindow::GetRegisteredType();
    CData* data = type ? Factory_MakeData(type) : nullptr;
    if (data && data->GetType() != type) {
        delete data;
        data = nullptr;
    }
    return WindowPtr(static_cast<CDataWindow*>(data));
}

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
        WindowPtr member = MakeWindow();
        if (!member)
            return CStatus::MakeDefaultError(2038, "KestrelBase");
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
    WindowPtr window = MakeWindow();
    if (!window)
        return CStatus::MakeDefaultError(2000, "KestrelBase");
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
    status = ParseDeclarationsFile(absolute, tree);
    if (!status)
        return status;
    for (const WinDataT* node = tree.get(); node; node = node->next) {
        status = CreateWindowVariable(engine, *node);
        if (!status)
            return status;
    }
    return CStatus::MakeOK();
}
