// The scroll-bar, static-text and edit-box dialogs.
#include "Dialog.h"
#include "Dialogs.h"
#include "EventLog.h"
#include "resource.h"

#include <algorithm>

namespace kt {
namespace {

class ScrollBarDialog : public Dialog {
public:
    ScrollBarDialog() : Dialog(IDD_SCROLLBAR, "ScrollBarDialog") {}

protected:
    void OnInit() override {
        SetItemText(IDC_SCROLL_MAX, std::to_string(max_));
        SetItemText(IDC_SCROLL_MIN, std::to_string(min_));
        SetItemText(IDC_SCROLL_INC, std::to_string(increment_));
        SetItemText(IDC_SCROLL_PAGE, std::to_string(page_));
        SetItemText(IDC_SCROLL_HPOS, "0");
        SetItemText(IDC_SCROLL_VPOS, "0");
        Apply(0, 0);
    }

    bool OnCommand(int id, int code, HWND) override {
        if (id != IDC_SCROLL_SET || code != BN_CLICKED) return false;
        max_ = ItemInt(IDC_SCROLL_MAX);
        min_ = ItemInt(IDC_SCROLL_MIN);
        increment_ = ItemInt(IDC_SCROLL_INC);
        page_ = ItemInt(IDC_SCROLL_PAGE);
        Apply(ItemInt(IDC_SCROLL_HPOS), ItemInt(IDC_SCROLL_VPOS));
        LogOwn("SetValues", kControls);
        return true;
    }

    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override {
        handled = false;
        if (msg != WM_HSCROLL && msg != WM_VSCROLL) return FALSE;
        HWND bar = reinterpret_cast<HWND>(lParam);
        if (!bar) return FALSE;
        handled = true;
        int request = LOWORD(wParam);
        // The end of a scroll gesture moves nothing and is no scroll of its own.
        if (request == SB_ENDSCROLL) return TRUE;
        int pos = GetScrollPos(bar, SB_CTL);
        switch (request) {
        case SB_LINELEFT:      pos -= increment_; break;
        case SB_LINERIGHT:     pos += increment_; break;
        case SB_PAGELEFT:      pos -= page_; break;
        case SB_PAGERIGHT:     pos += page_; break;
        case SB_LEFT:          pos = min_; break;
        case SB_RIGHT:         pos = max_; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = static_cast<short>(HIWORD(wParam)); break;
        }
        SetScrollPos(bar, SB_CTL, Clamp(pos), TRUE);
        LogOwn(msg == WM_HSCROLL ? "HorizontalScroll" : "VerticalScroll", kControls);
        return TRUE;
    }

private:
    int Clamp(int pos) const { return std::max(std::min(min_, max_), std::min(pos, std::max(min_, max_))); }

    void Apply(int hpos, int vpos) const {
        for (int id : {IDC_HSCROLL, IDC_VSCROLL}) {
            HWND bar = Item(id);
            SetScrollRange(bar, SB_CTL, min_, max_, FALSE);
            SetScrollPos(bar, SB_CTL, Clamp(id == IDC_HSCROLL ? hpos : vpos), TRUE);
        }
    }

    int max_ = 100;
    int min_ = 0;
    int increment_ = 1;
    int page_ = 10;
};

class StaticDialog : public Dialog {
public:
    StaticDialog() : Dialog(IDD_STATIC, "StaticDialog") {}

protected:
    bool OnCommand(int id, int code, HWND) override {
        if (id != IDC_STATIC_SETTEXT || code != BN_CLICKED) return false;
        Recreate(ItemText(IDC_STATIC_EDIT));
        LogOwn("SetText", kControls);
        return true;
    }

private:
    // Replaces the first static by a new one with the same id, place, style
    // and font.
    void Recreate(const std::string& text) const {
        HWND old = Item(IDC_STATIC_NONEDIT);
        if (!old) return;
        RECT r{};
        GetWindowRect(old, &r);
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
        LONG style = GetWindowLongA(old, GWL_STYLE);
        LONG exStyle = GetWindowLongA(old, GWL_EXSTYLE);
        HWND previous = GetWindow(old, GW_HWNDPREV);
        DestroyWindow(old);
        HWND fresh = CreateWindowExA(exStyle, "Static", text.c_str(), style, r.left, r.top,
                                     r.right - r.left, r.bottom - r.top, hwnd(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATIC_NONEDIT)),
                                     GetModuleHandleA(nullptr), nullptr);
        SendMessageA(fresh, WM_SETFONT, SendMessageA(hwnd(), WM_GETFONT, 0, 0), TRUE);
        // Keep its place in the tab order.
        SetWindowPos(fresh, previous ? previous : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
};

class EditDialog : public Dialog {
public:
    EditDialog() : Dialog(IDD_EDIT, "EditDialog") {}

protected:
    void OnInit() override { Fill(); }

    bool OnCommand(int id, int code, HWND) override {
        if (id != IDC_EDIT_RESET || code != BN_CLICKED) return false;
        Fill();
        LogOwn("Reset", kControls);
        return true;
    }

private:
    void Fill() const {
        SetItemText(IDC_EDIT_LONG, "Long Text");
        SetItemText(IDC_EDIT_SHORT, "Short Text");
        SetItemText(IDC_EDIT_MULTI, "Multiple Lines");
    }
};

}  // namespace

void RunScrollBarDialog(HWND owner) { ScrollBarDialog().Run(owner); }
void RunStaticDialog(HWND owner) { StaticDialog().Run(owner); }
void RunEditDialog(HWND owner) { EditDialog().Run(owner); }

}  // namespace kt
