#include "ClassWindow.h"
#include "InternalErrors.h"

#include "TypeRegistration.h"

#include "Factory.h"
#include "SquireLog.h"
#include "WindowChecker.h"

#include <windows.h>

int CDataWindow::sType = 0;
int CDataWindow::iDelay = 200;
int CDataWindow::lookupTimeoutMs = 5000;

LOOM_DEFINE_VALUE_TYPE(CDataWindow)

CDataWindow::CDataWindow() { LOOM_REGISTER_ON_FIRST_USE(CDataWindow, "window"); }

CDataWindow::CDataWindow(const CDataWindow& other) : CData(other)
{
    CopyFields(other);
    foundWindow = other.foundWindow;
}

CDataWindow& CDataWindow::operator=(const CDataWindow& other)
{
    if (this != &other) {
        m_Type = other.m_Type;
        m_TypeName = other.m_TypeName;
        CopyFields(other);
        foundWindow = other.foundWindow;
    }
    return *this;
}

// Everything but the CData part and foundWindow; the path is copied, never
// shared.
void CDataWindow::CopyFields(const CDataWindow& other)
{
    name = other.name;
    tag = other.tag;
    windowClass = other.windowClass;
    kind = other.kind;
    tagNumber = other.tagNumber;
    isParent = other.isParent;
    isChild = other.isChild;
    depth = other.depth;
    members = other.members;
    handle = other.handle;
    WinDataT* copy = CopyWinData(other.path);
    FreeWinData(path);
    path = copy;
}

CDataWindow::~CDataWindow()
{
    FreeWinData(path);
}

bool CDataWindow::boolean()
{
    return ResolveNow();
}

bool CDataWindow::ResolveNow()
{
    // A bound handle short-cuts the lookup of the description: the value
    // is its window while that window exists. Otherwise one lookup.
    if (handle != 0) {
        HWND bound = reinterpret_cast<HWND>(static_cast<intptr_t>(static_cast<unsigned>(handle)));
        foundWindow = IsWindow(bound) ? bound : nullptr;
        return foundWindow != nullptr;
    }
    unsigned menuItemId = 0;
    HMENU menuHandle = nullptr;
    return FindMe(menuItemId, menuHandle).IsSuccess();
}

CData* CDataWindow::operator_equal(CData* other, OpInfoT* info)
{
    (void)info;
    CopyData(other);
    return this;
}

bool CDataWindow::CopyData(CData* other)
{
    if (!other || other->GetType() != sType || other == this)
        return other == this;
    // Every CData of the window type is a CDataWindow: only this class
    // registers the type.
    const CDataWindow& w = *static_cast<CDataWindow*>(other);
    HWND keep = foundWindow;
    CopyFields(w);
    foundWindow = keep;
    return true;
}

bool CDataWindow::DataFromString(const String& text)
{
    (void)text;
    return false;
}

String CDataWindow::GetString()
{
    if (handle != 0)
        return String::Printf("Handle: %d", handle);
    if (tagNumber != 0)
        return String::Printf("Tag: %d Class: '%s'", tagNumber, windowClass.c_str());
    return String::Printf("Tag: '%s' Class: '%s'", tag.c_str(), windowClass.c_str());
}

int CDataWindow::SizeOf()
{
    return 0;
}

CStatus CDataWindow::InitData()
{
    SquireClear();
    DeclareWindowFunctions();
    CVariable tagVar("Tag", CDataString::GetRegisteredType());
    AddVariable(tagVar);
    CVariable classVar("Class", CDataString::GetRegisteredType());
    AddVariable(classVar);
    return CStatus::MakeOK();
}

CStatus CDataWindow::AddFunction(CFunctionDecl& decl, String& className)
{
    Factory_AddClassFunction(sType, className, decl);
    SSI_FunctionAPI prototype;
    prototype.m_FunctionName = decl.Name;
    int n = decl.GetNumParams();
    if (!prototype.InitParams(n))
        return CStatus::MakeDefaultError(kestrel::internal::kAddFunctionLine, kestrel::internal::kClassWindow);
    for (int i = 0; i < n; ++i) {
        CVariable parameter("", decl.ParamTypes[i]);
        int index = i;
        prototype.AddParameter(parameter, index);
    }
    if (RegisterClassFunction(prototype, className) == 1)
        return CData::AddFunction(decl);
    return CStatus::MakeOK();
}

CStatus CDataWindow::SSI_UpdateVariable(CVariable& variable, char fetch)
{
    for (CVariable& member : members) {
        if (member == variable) {
            if (fetch)
                variable = member;
            else
                member = variable;
            return CStatus::MakeOK();
        }
    }
    String* field = nullptr;
    if (variable.GetName() == "Tag")
        field = &tag;
    else if (variable.GetName() == "Class")
        field = &windowClass;
    if (!field) {
        CStatus status;
        return status.Format(CStatus::Error, "Variable '%s' not a member of %s. (K00101)",
                             variable.GetName().c_str(), windowClass.c_str());
    }
    if (fetch) {
        CDataString value(*field);
        return variable.SetData(&value);
    }
    CData* data = variable.GetWorkingData();
    *field = data ? data->GetString() : String();
    return CStatus::MakeOK();
}

CStatus CDataWindow::SetDelay(int ms)
{
    iDelay = ms < 0 ? 0 : ms;
    return CStatus::MakeOK();
}

CStatus CDataWindow::SetLookupTimeout(double seconds)
{
    if (!(seconds >= 0) || seconds > 3600)
        return CStatus::MakeError(
            String::Printf("SetLookupTimeout needs a number of seconds from 0 to 3600: %g. (K00543)", seconds));
    lookupTimeoutMs = static_cast<int>(seconds * 1000 + 0.5);
    return CStatus::MakeOK();
}

int CDataWindow::LookupTimeoutMs()
{
    return lookupTimeoutMs;
}

CStatus CDataWindow::AddLocalVariable(CData* window, String& memberName)
{
    if (!window)
        return CStatus::MakeDefaultError(kestrel::internal::kAddLocalVariableLine, kestrel::internal::kClassWindow);
    CVariable variable(memberName, window->GetType());
    for (CVariable& member : members) {
        if (member == variable) {
            variable = member;
            // A scalar member holds element 1, so the first repeat goes to 2;
            // an array member grows by one element.
            DimensionT* dims = variable.GetDims();
            DimensionList fresh(dims ? dims->index + 1 : 2);
            variable.SetData(window, fresh.Get());
            member = variable;
            return CStatus::MakeSuccess();
        }
    }
    variable.SetData(window);
    members.push_back(variable);
    return CStatus::MakeSuccess();
}

bool CDataWindow::ConstructChildPath(CDataWindow* child)
{
    if (!child)
        return false;
    WinDataT* node = NewWinData(nullptr);
    if (!node)
        return false;
    *node->windowClass = windowClass;
    *node->tag = tag;
    node->tagNumber = tagNumber;
    WinDataPtr chain(CopyWinData(path));
    if (path && !chain) {
        FreeWinData(node);
        return false;
    }
    if (!chain) {
        chain.reset(node);
    } else {
        WinDataT* last = chain.get();
        while (last->child)
            last = last->child;
        last->child = node;
    }
    FreeWinData(child->path);
    child->path = chain.release();
    return true;
}

std::vector<CDataWindow*> CDataWindow::MemberWindows() const
{
    std::vector<CDataWindow*> result;
    for (const CVariable& member : members) {
        for (int i = 0; i < member.GetNumElems(); ++i) {
            CData* data = member.Get(i);
            if (data && data->GetType() == sType)
                result.push_back(static_cast<CDataWindow*>(data));
        }
    }
    return result;
}

WinDataT* CDataWindow::CreatePathTree()
{
    WinDataPtr root(NewWinData(nullptr));
    if (!root)
        return nullptr;
    root->tagNumber = tagNumber;
    root->isParent = isParent;
    root->isChild = isChild;
    *root->tag = tag;
    *root->kind = kind;
    *root->name = name;
    *root->windowClass = windowClass;
    WinDataT* last = nullptr;
    for (CDataWindow* member : MemberWindows()) {
        WinDataT* sub = member->CreatePathTree();
        if (!sub)
            return nullptr;
        if (last) {
            last->next = sub;
            sub->prev = last;
        } else {
            root->child = sub;
        }
        last = sub;
    }
    return root.release();
}

int CDataWindow::InitializeFromWindow(HWND wnd)
{
    isChild = isParent = depth = tagNumber = 0;
    foundWindow = nullptr;
    handle = 0;
    if (!wnd || !IsWindow(wnd)) {
        windowClass = name = tag = kind = "";
        return 1;
    }
    isChild = ::GetParent(wnd) ? 1 : 0;
    isParent = ::GetWindow(wnd, GW_CHILD) ? 1 : 0;
    handle = static_cast<int>(reinterpret_cast<intptr_t>(wnd));
    foundWindow = wnd;
    windowClass = GetClass(wnd);
    kind = "MainWin";
    int length = GetWindowTextLengthA(wnd);
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    int got = GetWindowTextA(wnd, &text[0], static_cast<int>(text.size()));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    tag = String(text);
    return 1;
}

String CDataWindow::GetClass(HWND wnd)
{
    char buffer[1024];
    int n = GetClassNameA(wnd, buffer, sizeof buffer);
    return n > 0 ? String(buffer, n) : String();
}

CStatus CDataWindow::GetText(String& text)
{
    (void)text;
    return CStatus::MakeDefaultError(kestrel::internal::kGetTextLine, kestrel::internal::kClassWindow);
}

CStatus CDataWindow::SetText(String& text)
{
    (void)text;
    return CStatus::MakeDefaultError(kestrel::internal::kSetTextLine, kestrel::internal::kClassWindow);
}

void CDataWindow::ListToScreen(CEngine* engine)
{
    if (!engine)
        return;
    ssi_stream* out = engine->GetOutStream();
    if (!out)
        return;
    String line;
    for (int i = 0; i < depth; ++i)
        line += "   ";
    line += name;
    line += " {Class:";
    line += windowClass;
    line += "; Tag:";
    if (tagNumber != 0 || windowClass == "MenuItem" || windowClass == "Menu")
        line += String::Printf("[%d]", tagNumber);
    else
        line += tag;
    line += "}";
    out->Write(line, 1);
    for (CDataWindow* member : MemberWindows())
        member->ListToScreen(engine);
}
