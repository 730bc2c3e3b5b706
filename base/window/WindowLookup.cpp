// Lookup of window values: from the top-level window down the path of
// ancestor descriptions to the window itself, or to the menu and command of
// a menu item.
#include "ClassWindow.h"

#include "WindowFunctions.h"

#include <windows.h>

#include <cstring>
#include <deque>
#include <string>

namespace {

bool IsMenuClass(const String& cls)
{
    return cls == "MenuItem" || cls == "Menu";
}

// Cuts `text` before its first '*'; true when it held one.
bool CutAtStar(String& text)
{
    int star = text.FindOneOf("*", -1);
    if (star < 0)
        return false;
    text = text.SubString(0, star);
    return true;
}

// The class is handed to the system's search as given: an empty class names
// no class, so an empty description (a value unbound with SetHandle(0))
// finds nothing rather than the first untitled window.
const char* ClassOrAny(const String& cls)
{
    return cls.c_str();
}

CStatus NotFound(const String& name, const String& cls, const String& tag)
{
    CStatus status;
    return status.Format(CStatus::Error, "Window '%s' not found (Class='%s', Tag='%s'). (K00100)", name.c_str(),
                         cls.c_str(), tag.c_str());
}

}  // namespace

namespace {

bool Contains(const char* text, const char* pattern)
{
    return !*pattern || std::strstr(text, pattern) != nullptr;
}

// The decision table of the partial enumeration on plain texts: C and T are
// the candidate's class and text, P and Q the cut patterns.
bool Matches(const char* C, const char* T, const char* P, const char* Q, int clsPartial, int tagPartial)
{
    if (!*C && !*T)
        return false;
    if (!*C && !*P)
        return Contains(T, Q);
    if (!*T && !*Q)
        return Contains(C, P);
    if (clsPartial && tagPartial)
        return *C && *T && Contains(C, P) && Contains(T, Q);
    if (clsPartial)
        return *C && Contains(C, P) && (!*Q || std::strcmp(T, Q) == 0);
    if (tagPartial)
        return *T && Contains(T, Q) && std::strcmp(C, P) == 0;
    return false;
}

// Class names of the candidates of one walk, by class atom. Under Wine the
// name of a window of another process costs two round trips to the server
// and its atom one; the siblings of a walk share a handful of classes, so
// each name is asked once. (The atom table holds one name per atom, the
// name GetClassName reports.)
class ClassNames {
public:
    // The class of `wnd` into `name`, and its atom (0 when the system gives
    // none); false when the window is gone.
    bool Of(HWND wnd, const char*& name, ATOM& atom)
    {
        atom = static_cast<ATOM>(GetClassLongPtrA(wnd, GCW_ATOM));
        if (atom == 0) {
            // A live window always has a class; without one the window went.
            if (!IsWindow(wnd))
                return false;
            m_Scratch[0] = '\0';
            GetClassNameA(wnd, m_Scratch, sizeof m_Scratch);
            name = m_Scratch;
            return true;
        }
        for (const Entry& entry : m_Known) {
            if (entry.atom == atom) {
                name = entry.name.c_str();
                return true;
            }
        }
        char buffer[1024] = "";
        GetClassNameA(wnd, buffer, sizeof buffer);
        m_Known.push_back({atom, buffer});
        name = m_Known.back().name.c_str();
        return true;
    }

private:
    struct Entry {
        ATOM atom;
        std::string name;
    };
    std::deque<Entry> m_Known;
    char m_Scratch[1024];
};

}  // namespace

bool CDataWindow::PartialMatches(const String& C, const String& T, const String& P, const String& Q,
                                 int clsPartial, int tagPartial)
{
    return Matches(C.c_str(), T.c_str(), P.c_str(), Q.c_str(), clsPartial, tagPartial);
}

HWND CDataWindow::FindPartialWindow(HWND parent, HWND after, String& cls, String& tag, int clsPartial,
                                    int tagPartial)
{
    const char* pattern = cls.c_str();
    const char* tagPattern = tag.c_str();
    // With the class given whole and a text to look for, only windows of
    // exactly that class can match. The system's search by class then skips
    // every window of another class in one request, where the walk costs a
    // request per window. The search fetches the whole list of children each
    // time, though, so it is used to leave a run of other classes, while a
    // run of the class itself (a row of buttons) is walked. (Under Wine the
    // search only starts after a window of the class it looks for: it starts
    // after the last one seen.)
    const bool byClass = !after && !clsPartial && *pattern && *tagPattern;
    ClassNames classes;
    char text[1024];
    HWND previous = after;        // the window looked at last; null before the first
    HWND lastOfClass = nullptr;   // by class: the last window of the class looked at
    ATOM classAtom = 0;           // by class: the atom of the class, once a window of it is found
    bool jump = byClass;
    for (;;) {
        HWND candidate = jump       ? FindWindowExA(parent, lastOfClass, pattern, nullptr)
                         : previous ? GetWindow(previous, GW_HWNDNEXT)
                                    : GetWindow(parent ? parent : GetDesktopWindow(), GW_CHILD);
        if (!candidate)
            return nullptr;
        previous = candidate;
        const char* candidateClass = nullptr;
        ATOM atom = 0;
        if (!classes.Of(candidate, candidateClass, atom))
            return nullptr;
        if (byClass) {
            if (jump) {
                classAtom = atom;  // the search found it by its class
            } else if (!atom || atom != classAtom) {
                jump = true;  // another class: leave the run by the search
                continue;
            }
            jump = false;
            lastOfClass = candidate;
        } else if (!Contains(candidateClass, pattern)) {
            // Every way of matching needs the class to contain the class
            // pattern, so the text (a message to the window's thread, across
            // processes for another application) is fetched only for windows
            // whose class passes.
            continue;
        }
        const int n = GetWindowTextA(candidate, text, sizeof text);
        text[n > 0 ? n : 0] = '\0';
        if (Matches(candidateClass, text, pattern, tagPattern, clsPartial, tagPartial))
            return candidate;
    }
}

HWND CDataWindow::FindNumericWindow(HWND parent, String& cls, int n, int clsPartial)
{
    String noTag;
    if (n < 1 || n > 255) {
        HWND found = clsPartial ? FindPartialWindow(parent, nullptr, cls, noTag, clsPartial, 0)
                                : FindWindowExA(parent, nullptr, ClassOrAny(cls), nullptr);
        return found && IsWindow(found) ? found : nullptr;
    }
    HWND found = nullptr;
    for (int i = 0; i < n; ++i) {
        found = clsPartial ? FindPartialWindow(parent, found, cls, noTag, clsPartial, 0)
                           : FindWindowExA(parent, found, ClassOrAny(cls), nullptr);
        if (!found)
            return nullptr;
    }
    return found;
}

HWND CDataWindow::FindMenu(HWND owner, WinDataT* node, unsigned& menuItemId, HMENU& menuHandle)
{
    menuItemId = 0;
    menuRemote = false;
    menuSubmenus.clear();
    if (!owner)
        return nullptr;
    HMENU bar = GetMenu(owner);
    if (!bar)
        return nullptr;
    MenuPath menuPath;
    for (WinDataT* level = node; level; level = level->child) {
        if (!IsMenuClass(*level->windowClass))
            return nullptr;
        menuPath.submenus.push_back(level->tagNumber);
    }
    menuPath.item = tagNumber;
    menuSubmenus = menuPath.submenus;
    if (CanReadMenu(owner)) {
        HMENU menu = nullptr;
        UINT itemId = 0;
        if (!ResolveMenu(owner, menuPath, menu, itemId))
            return nullptr;
        menuHandle = menu;
        menuItemId = itemId;
        return owner;
    }
    // The menu lives in the owner's process only: resolve it there. The
    // identifier stays there too; any non-zero value marks a menu object.
    SSI_FunctionAPI probe;
    probe.m_FunctionName = "GetMenuCount";
    probe.InitParams(0);
    probe.GetReturnData()->SetType(CDataInt::GetRegisteredType());
    squire::MenuObject object;
    object.owner = owner;
    object.path = menuPath;
    object.objectName = name;
    object.tagNumber = tagNumber;
    object.remote = true;
    squire::CallMenuFunction(probe, object);
    if (!probe.m_ReturnStatus.IsSuccess())
        return nullptr;
    menuRemote = true;
    menuHandle = bar;
    menuItemId = 0xFFFFFFFF;
    return owner;
}

CStatus CDataWindow::FindMe(unsigned& menuItemId, HMENU& menuHandle)
{
    foundWindow = nullptr;
    HWND current = nullptr;
    int clsPartial = 0;
    int tagPartial = 0;
    for (WinDataT* node = path; node; node = node->child) {
        String cls = *node->windowClass;
        String nodeTag = *node->tag;
        const String& nodeName = *node->name;
        if (IsMenuClass(cls)) {
            foundWindow = FindMenu(current, node, menuItemId, menuHandle);
            return foundWindow ? CStatus::MakeOK() : NotFound(nodeName, cls, nodeTag);
        }
        if (CutAtStar(nodeTag))
            tagPartial = 1;
        if (CutAtStar(cls))
            clsPartial = 1;
        if (node->tagNumber < 1) {
            if (clsPartial || tagPartial)
                current = FindPartialWindow(current, nullptr, cls, nodeTag, clsPartial, tagPartial);
            else
                current = FindWindowExA(current, nullptr, ClassOrAny(cls), nodeTag.c_str());
        } else {
            current = FindNumericWindow(current, cls, node->tagNumber, clsPartial);
            if (!current) {
                CStatus status;
                return status.Format(CStatus::Error, "Window '%s' not found (Class='%s', Tag=%d). (K00104)",
                                     nodeName.c_str(), cls.c_str(), node->tagNumber);
            }
        }
        if (!current)
            return NotFound(nodeName, cls, nodeTag);
    }
    String cls = windowClass;
    String ownTag = tag;
    if (CutAtStar(ownTag))
        tagPartial = 1;
    if (CutAtStar(cls))
        clsPartial = 1;
    if (IsMenuClass(cls)) {
        foundWindow = FindMenu(current, nullptr, menuItemId, menuHandle);
    } else if (tagNumber < 1) {
        if (clsPartial || tagPartial)
            foundWindow = FindPartialWindow(current, nullptr, cls, ownTag, clsPartial, tagPartial);
        else
            foundWindow = FindWindowExA(current, nullptr, ClassOrAny(cls), ownTag.c_str());
    } else {
        foundWindow = FindNumericWindow(current, cls, tagNumber, clsPartial);
    }
    return foundWindow ? CStatus::MakeOK() : NotFound(name, cls, ownTag);
}
