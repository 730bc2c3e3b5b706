#include "WindowHandler.h"

#include "Activation.h"
#include "HandlerRegistry.h"
#include "ResponseBound.h"

#include <cstdarg>
#include <utility>
#include <vector>

namespace {

// Extended style of a window whose layout runs right to left.
constexpr LONG kLayoutRtl = 0x00400000L;
// Text limit of GetText, terminating zero included.
constexpr int kTextLimit = 0x7FFF;
// Owner and parent chains are short; a longer walk means a broken chain.
constexpr int kMaxChain = 256;

// The parent of a child window, else the owner.
HWND ParentOrOwner(HWND window)
{
    if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) return GetParent(window);
    return GetWindow(window, GW_OWNER);
}

}  // namespace

// Where a generic function runs: in the script's process, whatever the
// class; the messages they send carry no pointers.
const CWindowHandler::Row CWindowHandler::kGenericRows[] = {
    {"GetText", "", 's', Generic<&CWindowHandler::GetText>},
    {"SetText", "s", 0, Generic<&CWindowHandler::SetText>},
    {"Maximize", "", 0, Generic<&CWindowHandler::Maximize>, loom::RunsIn::Script, loom::Effect::Acts},
    {"Minimize", "", 0, Generic<&CWindowHandler::Minimize>, loom::RunsIn::Script, loom::Effect::Acts},
    {"Restore", "", 0, Generic<&CWindowHandler::Restore>, loom::RunsIn::Script, loom::Effect::Acts},
    {"Close", "", 0, Generic<&CWindowHandler::Close>, loom::RunsIn::Script, loom::Effect::Acts},
    {"BringToTop", "", 0, Generic<&CWindowHandler::SetActiveFunction>, loom::RunsIn::Script, loom::Effect::Acts},
    {"SetActive", "", 0, Generic<&CWindowHandler::SetActiveFunction>, loom::RunsIn::Script, loom::Effect::Acts},
    {"MoveWin", "ii", 0, Generic<&CWindowHandler::MoveWin>, loom::RunsIn::Script, loom::Effect::Acts},
    {"MouseMove", "ii", 0, Generic<&CWindowHandler::MouseMove>, loom::RunsIn::Script, loom::Effect::Acts},
    {"ResizeWin", "ii", 0, Generic<&CWindowHandler::ResizeWin>, loom::RunsIn::Script, loom::Effect::Acts},
    {"GetWindowX", "", 'i', Generic<&CWindowHandler::GetWindowX>},
    {"GetWindowY", "", 'i', Generic<&CWindowHandler::GetWindowY>},
    {"GetWindowWidth", "", 'i', Generic<&CWindowHandler::GetWindowWidth>},
    {"GetWindowHeight", "", 'i', Generic<&CWindowHandler::GetWindowHeight>},
    {"IsActive", "", 'b', Generic<&CWindowHandler::IsActive>},
    {"Blink", "i", 0, Generic<&CWindowHandler::Blink>, loom::RunsIn::Script, loom::Effect::Acts},
    {"GetCaretX", "", 'i', Generic<&CWindowHandler::GetCaretX>},
    {"GetCaretY", "", 'i', Generic<&CWindowHandler::GetCaretY>},
};

CWindowHandler::CWindowHandler() = default;

CWindowHandler::CWindowHandler(const String& className) : m_ClassName(className)
{
    if (!m_ClassName.IsEmpty()) m_RegistrationId = CHandlerRegistry::Instance().Register(this);
}

CWindowHandler::~CWindowHandler()
{
    // A prototype destroyed by someone other than the registry must not stay
    // in its list.
    CHandlerRegistry::ForgetPrototype(this);
}

CWindowHandler* CWindowHandler::Clone()
{
    return new (std::nothrow) CWindowHandler();
}

int CWindowHandler::CanRegister()
{
    return 1;
}

int CWindowHandler::Attach(HWND window)
{
    m_Window = std::make_unique<CWindowObject>();
    m_hWnd = window;
    return m_Window->Attach(window) ? 1 : 0;
}

int CWindowHandler::Detach()
{
    m_hWnd = nullptr;
    if (m_Window) {
        m_Window->Detach();
        m_Window.reset();
    }
    return 1;
}

CWindowHandler::RowList CWindowHandler::OwnRows() const
{
    return RowList();
}

CWindowHandler::RowList CWindowHandler::GenericRows()
{
    return RowList(kGenericRows);
}

const CWindowHandler::Row* CWindowHandler::RowFor(SSI_FunctionAPI& call) const
{
    const RowList own = OwnRows();
    if (const Row* row = loom::FindRow(own.rows, own.count, call)) return row;
    return loom::FindRow(kGenericRows, call);
}

int CWindowHandler::ProcessFunction(SSI_FunctionAPI& call)
{
    if (const Row* row = RowFor(call)) {
        row->body(*this, call);
        return 1;
    }
    call.m_ReturnStatus.Format(CStatus::Error, "Function '%s' not supported by window class '%s'",
                               call.m_FunctionName.c_str(), m_ClassName.c_str());
    return 0;
}

// --- helpers for every handler -------------------------------------------

CStatus CWindowHandler::Activate()
{
    squire::Activate(m_hWnd);
    return CStatus::MakeOK();
}

LRESULT CWindowHandler::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    LRESULT result = 0;
    if (!squire::SendWithinBound(m_hWnd, message, wParam, lParam, result)) m_NotResponding = true;
    return result;
}

LRESULT CWindowHandler::SendWide(UINT message, WPARAM wParam, LPARAM lParam) const
{
    LRESULT result = 0;
    if (!squire::SendWithinBound(m_hWnd, message, wParam, lParam, result, true)) m_NotResponding = true;
    return result;
}

void CWindowHandler::NotifyParent(WORD code) const
{
    HWND parent = GetParent(m_hWnd);
    if (!parent) return;
    const WORD id = static_cast<WORD>(GetDlgCtrlID(m_hWnd));
    PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(m_hWnd));
}

void CWindowHandler::SetOk(SSI_FunctionAPI& call)
{
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CWindowHandler::SetError(SSI_FunctionAPI& call, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    String message;
    message.FormatV(fmt, args);
    va_end(args);
    call.m_ReturnStatus = CStatus::MakeError(message);
}

// --- the generic window functions -----------------------------------------

void CWindowHandler::GetText(SSI_FunctionAPI& call)
{
    std::vector<char> buffer(kTextLimit + 1, '\0');
    Send(WM_GETTEXT, kTextLimit, reinterpret_cast<LPARAM>(buffer.data()));
    buffer[kTextLimit] = '\0';
    loom::ReturnString(call, String::Printf("%s", buffer.data()));
    SetOk(call);
}

void CWindowHandler::SetText(SSI_FunctionAPI& call)
{
    String text;
    if (!loom::ReadString(call, 0, text)) return;
    Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SetOk(call);
}

// The showing state and placement change asynchronously when the window
// belongs to another thread (directly for a window of this thread): a hung
// application cannot hold the caller, and the dispatcher waits, within the
// response bound, until the application has taken the change.
void CWindowHandler::Minimize(SSI_FunctionAPI&)
{
    ShowWindowAsync(m_hWnd, SW_SHOWMINIMIZED);
}

void CWindowHandler::Maximize(SSI_FunctionAPI&)
{
    ShowWindowAsync(m_hWnd, SW_SHOWMAXIMIZED);
}

void CWindowHandler::Restore(SSI_FunctionAPI&)
{
    ShowWindowAsync(m_hWnd, SW_RESTORE);
}

void CWindowHandler::Close(SSI_FunctionAPI&)
{
    PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
}

RECT CWindowHandler::PlacementRect() const
{
    RECT rect{};
    GetWindowRect(m_hWnd, &rect);
    // MoveWindow takes parent client coordinates for a child window and
    // screen coordinates for a top-level one, owned or not; GetParent would
    // also name the owner of a top-level pop-up.
    HWND parent = (GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD) ? GetParent(m_hWnd) : nullptr;
    if (parent) {
        POINT topLeft{rect.left, rect.top};
        POINT bottomRight{rect.right, rect.bottom};
        ScreenToClient(parent, &topLeft);
        ScreenToClient(parent, &bottomRight);
        rect = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
        if (GetWindowLongA(parent, GWL_EXSTYLE) & kLayoutRtl) std::swap(rect.left, rect.right);
    }
    return rect;
}

void CWindowHandler::MoveWin(SSI_FunctionAPI& call)
{
    int x = 0, y = 0;
    if (!loom::ReadInt(call, 0, x) || !loom::ReadInt(call, 1, y)) return;
    RECT rect = PlacementRect();
    SetWindowPos(m_hWnd, nullptr, x, y, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void CWindowHandler::ResizeWin(SSI_FunctionAPI& call)
{
    int width = 0, height = 0;
    if (!loom::ReadInt(call, 0, width) || !loom::ReadInt(call, 1, height)) return;
    RECT rect = PlacementRect();
    SetWindowPos(m_hWnd, nullptr, rect.left, rect.top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

void CWindowHandler::MouseMove(SSI_FunctionAPI& call)
{
    int x = 0, y = 0;
    if (!loom::ReadInt(call, 0, x) || !loom::ReadInt(call, 1, y)) return;
    LPARAM position = MAKELPARAM(x, y);
    POINT point{x, y};
    if (!ClientToScreen(m_hWnd, &point) || !SetCursorPos(point.x, point.y)) {
        SetError(call, "Could not move mouse. (K01612)");
        return;
    }
    if (!PostMessageA(m_hWnd, WM_MOUSEMOVE, 0, position)) {
        SetError(call, "Could not move mouse. (K01611)");
        return;
    }
    SetOk(call);
}

void CWindowHandler::SetActiveFunction(SSI_FunctionAPI& call)
{
    call.m_ReturnStatus = Activate();
}

void CWindowHandler::GetWindowX(SSI_FunctionAPI& call)
{
    RECT rect{};
    GetWindowRect(m_hWnd, &rect);
    loom::ReturnInt(call, rect.left);
}

void CWindowHandler::GetWindowY(SSI_FunctionAPI& call)
{
    RECT rect{};
    GetWindowRect(m_hWnd, &rect);
    loom::ReturnInt(call, rect.top);
}

void CWindowHandler::GetWindowWidth(SSI_FunctionAPI& call)
{
    RECT rect{};
    GetWindowRect(m_hWnd, &rect);
    loom::ReturnInt(call, rect.right - rect.left);
}

void CWindowHandler::GetWindowHeight(SSI_FunctionAPI& call)
{
    RECT rect{};
    GetWindowRect(m_hWnd, &rect);
    loom::ReturnInt(call, rect.bottom - rect.top);
}

void CWindowHandler::IsActive(SSI_FunctionAPI& call)
{
    // Active when the foreground window is this window or one it lives in,
    // following parents and, from a top-level window, owners. Comparing
    // with the end of the chain alone would call a control of the active
    // owned dialog (and the dialog itself) inactive.
    HWND foreground = GetForegroundWindow();
    int active = 0;
    HWND window = m_hWnd;
    for (int i = 0; window && i < kMaxChain; ++i) {
        if (window == foreground) {
            active = 1;
            break;
        }
        window = ParentOrOwner(window);
    }
    loom::ReturnBool(call, active != 0);
}

void CWindowHandler::Blink(SSI_FunctionAPI& call)
{
    int count = 0;
    if (!loom::ReadInt(call, 0, count)) return;
    const bool wasVisible = IsWindowVisible(m_hWnd) != FALSE;
    for (int i = 0; i < count; ++i) {
        ShowWindowAsync(m_hWnd, SW_HIDE);
        Sleep(250);
        ShowWindowAsync(m_hWnd, SW_SHOW);
        RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
        Sleep(250);
    }
    ShowWindowAsync(m_hWnd, wasVisible ? SW_SHOW : SW_HIDE);
}

POINT CWindowHandler::CaretPosition() const
{
    // The caret belongs to a thread: read the one of the thread that owns
    // the window, which is not the calling thread when a script asks about a
    // window of another program. Its rectangle is in client coordinates of
    // the caret's window.
    POINT position{0, 0};
    const DWORD thread = GetWindowThreadProcessId(m_hWnd, nullptr);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (thread && GetGUIThreadInfo(thread, &info)) {
        if (info.hwndCaret) position = POINT{info.rcCaret.left, info.rcCaret.top};
    } else if (thread == GetCurrentThreadId()) {
        GetCaretPos(&position);
    }
    return position;
}

void CWindowHandler::GetCaretX(SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, CaretPosition().x);
}

void CWindowHandler::GetCaretY(SSI_FunctionAPI& call)
{
    loom::ReturnInt(call, CaretPosition().y);
}
