#include "DecWriter.h"

#include "WindowReader.h"

#include <set>

namespace spy {

namespace {

// Classes whose text is a fixed label: the text finds them. Other windows
// (edits, lists, views) show data that changes, so their position does.
bool HasFixedText(const std::string& windowClass)
{
    return windowClass == "Button" || windowClass == "Static";
}

Description Describe(const WindowNode& node)
{
    return {node.windowClass, node.tag, node.tagNumber};
}

bool UsableTagText(const std::string& text)
{
    std::string literal;
    return !text.empty() && text.find('*') == std::string::npos && DecWriter::Literal(text, literal);
}

// The pieces of a caption made of parts joined by " - " ("Untitled -
// Notepad"): the document part changes, the program's part does not.
std::vector<std::string> CaptionParts(const std::string& caption)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t dash = caption.find(" - ", start);
        parts.push_back(caption.substr(start, dash == std::string::npos ? std::string::npos : dash - start));
        if (dash == std::string::npos) break;
        start = dash + 3;
    }
    return parts;
}

std::string TopName(const WindowNode& top)
{
    std::string source = top.text;
    if (top.tagNumber == 0 && !top.tag.empty() && top.tag.back() == '*') source = top.tag;
    std::string name = IdentifierFromText(source);
    return name.empty() ? ClassBaseName(top.windowClass) : name;
}

std::string ChildName(const WindowNode& child)
{
    if (HasFixedText(child.windowClass)) {
        std::string name = IdentifierFromText(child.text);
        if (!name.empty()) return name;
    }
    return ClassBaseName(child.windowClass) + std::to_string(child.position);
}

}  // namespace

bool DecWriter::Literal(const std::string& text, std::string& literal)
{
    literal = "\"";
    for (char c : text) {
        switch (c) {
        case '"': return false;
        case '\\': literal += "\\\\"; break;
        case '\n': literal += "\\n"; break;
        case '\r': literal += "\\r"; break;
        case '\t': literal += "\\t"; break;
        default: literal += c; break;
        }
    }
    literal += '"';
    return true;
}

bool DecWriter::ChooseTopTag(WindowNode& top)
{
    std::vector<std::string> candidates;
    std::vector<std::string> parts = CaptionParts(top.text);
    if (parts.size() > 1) {
        // The program's name stands last by convention, or first.
        for (const std::string& part : {parts.back(), parts.front()})
            if (UsableTagText(part)) candidates.push_back(part + "*");
    }
    if (UsableTagText(top.text)) candidates.push_back(top.text);
    for (const std::string& tag : candidates) {
        top.tag = tag;
        top.tagNumber = 0;
        if (ResolvesTo({}, Describe(top), top.hwnd)) return top.tagVerified = true;
    }
    top.tag.clear();
    top.tagNumber = top.position;
    if (top.position >= 1 && top.position <= 255 && ResolvesTo({}, Describe(top), top.hwnd))
        return top.tagVerified = true;
    return top.tagVerified = false;
}

bool DecWriter::ChooseChildTag(WindowNode& child, const std::vector<Description>& path)
{
    auto byText = [&]() {
        if (!UsableTagText(child.text)) return false;
        child.tag = child.text;
        child.tagNumber = 0;
        return ResolvesTo(path, Describe(child), child.hwnd);
    };
    auto byNumber = [&]() {
        if (child.position < 1 || child.position > 255) return false;
        child.tag.clear();
        child.tagNumber = child.position;
        return ResolvesTo(path, Describe(child), child.hwnd);
    };
    const bool found = HasFixedText(child.windowClass) ? (byText() || byNumber()) : (byNumber() || byText());
    return child.tagVerified = found;
}

void DecWriter::Line(int depth, const std::string& text)
{
    m_Text.append(static_cast<size_t>(depth), '\t');
    m_Text += text;
    m_Text += '\n';
}

void DecWriter::Properties(int depth, const WindowNode& node, int parent, int child)
{
    std::string literal;
    if (node.tagNumber > 0) Line(depth, "(1)Tag=" + std::to_string(node.tagNumber));
    else if (Literal(node.tag, literal)) Line(depth, "(1)Tag=" + literal);
    Literal(node.windowClass, literal);
    Line(depth, "(1)Class=" + literal);
    Line(depth, "(1)Parent=" + std::to_string(parent));
    Line(depth, "(1)Child=" + std::to_string(child));
}

void DecWriter::WriteChildren(WindowNode& parent, std::vector<Description>& path, NameScope& scope, int depth)
{
    for (WindowNode& child : parent.children) {
        if (!ChooseChildTag(child, path)) {
            m_Skipped.push_back(DescribeWindow(child.hwnd) + ": no tag finds it; left out with its children");
            continue;
        }
        Line(depth, "[-]Control \"" + scope.Claim(ChildName(child)) + "\"");
        Properties(depth + 1, child, child.children.empty() ? 0 : 1, 1);
        path.push_back(Describe(child));
        NameScope inner;
        WriteChildren(child, path, inner, depth + 1);
        path.pop_back();
    }
}

void DecWriter::WriteMenu(const std::vector<MenuNode>& items, const std::vector<Description>& path,
                          std::vector<int>& submenus, NameScope& scope, int depth)
{
    for (size_t i = 0; i < items.size(); ++i) {
        const MenuNode& item = items[i];
        const int position = static_cast<int>(i);
        if (item.separator && !item.submenu) continue;
        if (!MenuItemResolves(path, submenus, position)) {
            m_Skipped.push_back("menu item '" + item.text + "' at position " + std::to_string(position) +
                                ": the lookup does not find it; left out");
            continue;
        }
        std::string name = IdentifierFromText(item.text);
        if (name.empty()) name = "Item" + std::to_string(position);
        Line(depth, "[-]MenuItem \"" + scope.Claim(name) + "\"");
        Line(depth + 1, "(1)Tag=" + std::to_string(position));
        Line(depth + 1, std::string("(1)Class=\"") + (item.submenu ? "Menu" : "MenuItem") + "\"");
        if (item.submenu) {
            submenus.push_back(position);
            NameScope inner;
            WriteMenu(item.items, path, submenus, inner, depth + 1);
            submenus.pop_back();
        }
    }
}

void DecWriter::Add(WindowNode& top)
{
    if (!ChooseTopTag(top)) {
        m_Skipped.push_back(DescribeWindow(top.hwnd) + ": no tag finds it; left out");
        return;
    }
    Line(0, "[-]MainWin \"" + m_TopNames.Claim(TopName(top)) + "\"");
    Properties(1, top, 1, 0);
    std::vector<Description> path{Describe(top)};
    NameScope scope;
    WriteChildren(top, path, scope, 1);
    if (!top.menu.empty()) {
        // The menu placeholder must hold items: it goes again when the
        // lookup found none of them.
        const size_t before = m_Text.size();
        Line(1, "[-]Menu");
        Line(2, "(1)Class=\"Menu\"");
        const size_t header = m_Text.size();
        std::vector<int> submenus;
        WriteMenu(top.menu, path, submenus, scope, 2);
        if (m_Text.size() == header) m_Text.resize(before);
    }
}

}  // namespace spy
