// Base of KestrelTarget's modal dialogs: runs a dialog template and logs the
// generic events every dialog shares (keys, mouse buttons, move, size, OK,
// Cancel) under the dialog's prefix.
#pragma once

#include <windows.h>

#include <string>

namespace kt {

class Dialog {
public:
    // prefix empty: the dialog logs nothing (the About box).
    Dialog(int templateId, std::string prefix);
    virtual ~Dialog() = default;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; returns the EndDialog result.
    INT_PTR Run(HWND owner);

protected:
    // The generic events; the tree-view dialog spells them its own way.
    enum class Generic {
        KeyDown, KeyUp,
        LeftDown, LeftUp, LeftDouble, RightDown, RightUp, RightDouble,
        Move, Resize, Ok, Cancel, Close,
    };

    virtual void OnInit() {}
    // A WM_COMMAND other than IDOK/IDCANCEL; return true when handled.
    virtual bool OnCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    // Any other message, seen before the generic handling; set handled to
    // stop it there.
    virtual INT_PTR OnMessage(UINT, WPARAM, LPARAM, bool& handled) {
        handled = false;
        return FALSE;
    }
    // Writes one generic event; wParam/lParam are those of the message.
    virtual void LogGeneric(Generic event, WPARAM wParam, LPARAM lParam);

    // Logs prefix + "." + what.
    void LogOwn(const std::string& what, unsigned category) const;

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    std::string ItemText(int id) const;
    void SetItemText(int id, const std::string& text) const;
    // Plain decimal conversion; text that is no number reads as 0.
    int ItemInt(int id) const;
    const std::string& prefix() const { return prefix_; }

private:
    static INT_PTR CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    int templateId_;
    std::string prefix_;
    HWND hwnd_ = nullptr;
};

// Text of any window.
std::string WindowText(HWND hwnd);

}  // namespace kt
