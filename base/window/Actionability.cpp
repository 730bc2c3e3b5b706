#include "Actionability.h"

#include "ClassWindow.h"
#include "InputSettle.h"
#include "ResponseBound.h"

#include "BoundedWait.h"

namespace KeyInput {

namespace {

constexpr int kRetryPauseMs = 10;

bool IsGroupBox(HWND wnd)
{
    char cls[16] = "";
    GetClassNameA(wnd, cls, sizeof(cls));
    return lstrcmpiA(cls, "Button") == 0 && (GetWindowLongA(wnd, GWL_STYLE) & 0xF) == BS_GROUPBOX;
}

// Windows that a click passes through: group boxes, tool tips and windows
// marked transparent to the mouse.
bool LetsClicksThrough(HWND wnd)
{
    if (IsGroupBox(wnd)) return true;
    if (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_TRANSPARENT) return true;
    char cls[32] = "";
    GetClassNameA(wnd, cls, sizeof(cls));
    return lstrcmpiA(cls, "tooltips_class32") == 0;
}

bool IsSelfOrDescendant(HWND wnd, HWND candidate)
{
    return candidate == wnd || IsChild(wnd, candidate);
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

String DescribeWindow(HWND wnd)
{
    char cls[256] = "";
    GetClassNameA(wnd, cls, sizeof(cls));
    return String::Printf("'%s' (class '%s')", squire::StoredWindowText(wnd).c_str(), cls);
}

HWND CoveringWindow(HWND wnd, POINT point)
{
    // What the system finds at the point; only a window of another family
    // can cover. A static or group box of the caller's own thread answers
    // the hit test as transparent, so the system's answer alone would call
    // such a window covered by its parent: the geometric walk below
    // decides then.
    HWND hit = WindowFromPoint(point);
    if (hit && IsSelfOrDescendant(wnd, hit)) return nullptr;
    // Every visible window above `wnd` or one of its ancestors, at the same
    // level, that contains the point covers it.
    for (HWND level = wnd; level;) {
        for (HWND above = GetWindow(level, GW_HWNDPREV); above; above = GetWindow(above, GW_HWNDPREV)) {
            if (!IsWindowVisible(above) || LetsClicksThrough(above)) continue;
            RECT rect{};
            if (GetWindowRect(above, &rect) && PtInRect(&rect, point)) return above;
        }
        if (!(GetWindowLongA(level, GWL_STYLE) & WS_CHILD)) break;
        level = GetParent(level);
    }
    return nullptr;
}

namespace {

// What stands between a click and the window, as one read sees it.
struct Obstacle {
    enum Kind { None, Hidden, Disabled, Moving, Covered } kind = None;
    HWND covering = nullptr;
};

Obstacle ReadObstacle(HWND wnd, POINT point)
{
    Obstacle seen;
    RECT before{}, after{};
    GetWindowRect(wnd, &before);
    if (!IsWindowVisible(wnd)) {
        seen.kind = Obstacle::Hidden;
    } else if (!IsWindowEnabled(wnd)) {
        seen.kind = Obstacle::Disabled;
    } else {
        // A point outside the window is the script's choice; only a point
        // on the window is checked for cover.
        if (PtInRect(&before, point)) seen.covering = CoveringWindow(wnd, point);
        Sleep(1);
        GetWindowRect(wnd, &after);
        if (!SameRect(before, after)) seen.kind = Obstacle::Moving;
        else if (seen.covering) seen.kind = Obstacle::Covered;
    }
    return seen;
}

}  // namespace

CStatus WaitUntilClickable(HWND wnd, POINT point)
{
    Obstacle last;
    const bool clickable = loom::WaitUntil(
        [&] {
            last = ReadObstacle(wnd, point);
            return last.kind == Obstacle::None;
        },
        CDataWindow::LookupTimeoutMs(), kRetryPauseMs);
    if (clickable) return CStatus::MakeOK();
    const String self = DescribeWindow(wnd);
    const char* problem = "kept moving";
    const char* code = "K01623";
    switch (last.kind) {
    case Obstacle::Covered:
        return CStatus::MakeError(
            String::Printf("Window %s is covered at (%ld, %ld) by window %s; nothing was clicked. (K01620)",
                           self.c_str(), point.x, point.y, DescribeWindow(last.covering).c_str()));
    case Obstacle::Hidden: problem = "is not visible", code = "K01621"; break;
    case Obstacle::Disabled: problem = "is disabled", code = "K01622"; break;
    default: break;
    }
    return CStatus::MakeError(String::Printf("Window %s %s; nothing was clicked. (%s)", self.c_str(), problem, code));
}

CStatus PrepareTyping(HWND wnd)
{
    HWND top = GetAncestor(wnd, GA_ROOT);
    if (!top) top = wnd;
    const DWORD thread = GetWindowThreadProcessId(wnd, nullptr);
    if (GetForegroundWindow() != top) {
        SetForegroundWindow(top);
        SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS);
        // The activation is carried out when the application next looks
        // at its queue, and under Wine the X server answers it with focus
        // events a little later, which move the focus again when they are
        // read. Keys are routed to the focus at the moment they are sent,
        // so the thread's queue is run empty once (its X events are read
        // first) before the focus is read. A thread that does not get there
        // within the bound is not responding: its focus cannot be checked,
        // and the caller types without a second wait.
        const CStatus settled = SettleIdle(wnd);
        if (settled.IsWarning()) return settled;
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const bool focused = GetGUIThreadInfo(thread, &info) && info.hwndFocus && IsSelfOrDescendant(wnd, info.hwndFocus);
    if (!focused) {
        const CStatus given = SettleFocus(wnd);
        if (given.IsWarning()) return given;
        info = GUITHREADINFO{};
        info.cbSize = sizeof(info);
        GetGUIThreadInfo(thread, &info);
    }
    // Keys go to the focus of the foreground thread: both must be right.
    GUITHREADINFO foreground{};
    foreground.cbSize = sizeof(foreground);
    const bool ok = info.hwndFocus && IsSelfOrDescendant(wnd, info.hwndFocus) && GetGUIThreadInfo(0, &foreground) &&
                    foreground.hwndFocus == info.hwndFocus;
    if (ok) return CStatus::MakeOK();
    return CStatus::MakeError(String::Printf(
        "Could not give the keyboard focus to window %s; nothing was typed. (K01624)", DescribeWindow(wnd).c_str()));
}

}  // namespace KeyInput
