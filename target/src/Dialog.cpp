#include "Dialog.h"

#include "EventLog.h"

#include <cstdlib>
#include <vector>

namespace kt {

std::string WindowText(HWND hwnd) {
    int length = GetWindowTextLengthA(hwnd);
    std::vector<char> buffer(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(hwnd, buffer.data(), length + 1);
    return std::string(buffer.data());
}

Dialog::Dialog(int templateId, std::string prefix)
    : templateId_(templateId), prefix_(std::move(prefix)) {}

INT_PTR Dialog::Run(HWND owner) {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), owner,
                           &Dialog::Proc, reinterpret_cast<LPARAM>(this));
}

std::string Dialog::ItemText(int id) const { return WindowText(Item(id)); }

void Dialog::SetItemText(int id, const std::string& text) const {
    SetDlgItemTextA(hwnd_, id, text.c_str());
}

int Dialog::ItemInt(int id) const { return std::atoi(ItemText(id).c_str()); }

void Dialog::LogOwn(const std::string& what, unsigned category) const {
    if (!prefix_.empty()) LogEvent(prefix_ + "." + what, category);
}

void Dialog::LogGeneric(Generic event, WPARAM, LPARAM) {
    switch (event) {
    case Generic::KeyDown:     LogOwn("KeyDown", kMisc); break;
    case Generic::KeyUp:       LogOwn("KeyUp", kMisc); break;
    case Generic::LeftDown:    LogOwn("LeftButton.Down", kMouse); break;
    case Generic::LeftUp:      LogOwn("LeftButton.Up", kMouse); break;
    case Generic::LeftDouble:  LogOwn("LeftButton.DoubleClick", kMouse); break;
    case Generic::RightDown:   LogOwn("RightButton.Down", kMouse); break;
    case Generic::RightUp:     LogOwn("RightButton.Up", kMouse); break;
    case Generic::RightDouble: LogOwn("RightButton.DoubleClick", kMouse); break;
    case Generic::Move:        LogOwn("Move", kMoveSize); break;
    case Generic::Resize:      LogOwn("Resize", kMoveSize); break;
    case Generic::Ok:          LogOwn("OK", kControls); break;
    case Generic::Cancel:      LogOwn("Cancel", kControls); break;
    case Generic::Close:       break;  // only the tree-view dialog logs it
    }
}

INT_PTR CALLBACK Dialog::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Dialog*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
    }
    // Messages that arrive before WM_INITDIALOG (WM_SETFONT) have no object.
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    return self ? self->Handle(msg, wParam, lParam) : FALSE;
}

INT_PTR Dialog::Handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        OnInit();
        return TRUE;
    }
    bool handled = false;
    INT_PTR result = OnMessage(msg, wParam, lParam, handled);
    if (handled) return result;

    // The generic events are logged after the message has had its processing.
    switch (msg) {
    case WM_KEYDOWN:       LogGeneric(Generic::KeyDown, wParam, lParam); return TRUE;
    case WM_KEYUP:         LogGeneric(Generic::KeyUp, wParam, lParam); return TRUE;
    case WM_LBUTTONDOWN:   LogGeneric(Generic::LeftDown, wParam, lParam); return TRUE;
    case WM_LBUTTONUP:     LogGeneric(Generic::LeftUp, wParam, lParam); return TRUE;
    case WM_LBUTTONDBLCLK: LogGeneric(Generic::LeftDouble, wParam, lParam); return TRUE;
    case WM_RBUTTONDOWN:   LogGeneric(Generic::RightDown, wParam, lParam); return TRUE;
    case WM_RBUTTONUP:     LogGeneric(Generic::RightUp, wParam, lParam); return TRUE;
    case WM_RBUTTONDBLCLK: LogGeneric(Generic::RightDouble, wParam, lParam); return TRUE;
    case WM_MOVE:          LogGeneric(Generic::Move, wParam, lParam); return TRUE;
    case WM_SIZE:          LogGeneric(Generic::Resize, wParam, lParam); return TRUE;
    case WM_CLOSE:
        // Default processing turns the close into IDCANCEL, logged below.
        LogGeneric(Generic::Close, wParam, lParam);
        return FALSE;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        int code = HIWORD(wParam);
        if (id == IDOK || id == IDCANCEL) {
            if (code != BN_CLICKED) return FALSE;
            EndDialog(hwnd_, id);
            LogGeneric(id == IDOK ? Generic::Ok : Generic::Cancel, wParam, lParam);
            return TRUE;
        }
        return OnCommand(id, code, reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
    }
    default:
        return FALSE;
    }
}

}  // namespace kt
