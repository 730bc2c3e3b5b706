// The keyboard, cursor, status-bar, drag-and-drop and text-field dialogs.
#include "Dialog.h"
#include "Dialogs.h"
#include "EventLog.h"
#include "Handles.h"
#include "resource.h"

#include <commctrl.h>

#include <cstdio>

namespace kt {
namespace {

class KeyboardDialog : public Dialog {
public:
    KeyboardDialog() : Dialog(IDD_KEYBOARD, "KeyboardDialog") {}

protected:
    void OnInit() override {
        // Keys typed while the list has the focus are the dialog's keys.
        SetWindowSubclass(Item(IDC_KEY_LIST), &KeyboardDialog::ListProc, 0,
                          reinterpret_cast<DWORD_PTR>(hwnd()));
    }

    bool OnCommand(int id, int code, HWND) override {
        if (id != IDC_KEY_RESET || code != BN_CLICKED) return false;
        SendMessageA(Item(IDC_KEY_LIST), LB_RESETCONTENT, 0, 0);
        SetFocus(Item(IDC_KEY_LIST));
        LogOwn("Reset", kControls);
        return true;
    }

    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override {
        handled = false;
        if (msg == WM_DESTROY) {
            RemoveWindowSubclass(Item(IDC_KEY_LIST), &KeyboardDialog::ListProc, 0);
        } else if (msg == WM_KEYDOWN) {
            AddLine("KeyDown      %c     %d", wParam, lParam);
        } else if (msg == WM_KEYUP) {
            MessageBoxA(hwnd(), "I'm Here", "Yo", MB_OK);
            AddLine("KeyUp        %c     %d", wParam, lParam);
        }
        return FALSE;  // the generic KeyDown/KeyUp events follow
    }

private:
    void AddLine(const char* format, WPARAM key, LPARAM flags) const {
        char line[64];
        std::snprintf(line, sizeof line, format, static_cast<char>(key),
                      static_cast<int>(LOWORD(flags)));
        SendMessageA(Item(IDC_KEY_LIST), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    }

    static LRESULT CALLBACK ListProc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR dialog) {
        if (msg == WM_KEYDOWN || msg == WM_KEYUP) {
            SendMessageA(reinterpret_cast<HWND>(dialog), msg, wParam, lParam);
            return 0;
        }
        return DefSubclassProc(list, msg, wParam, lParam);
    }
};

class CursorDialog : public Dialog {
public:
    CursorDialog() : Dialog(IDD_CURSOR, "CursorDialog") {}

protected:
    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) override {
        handled = false;
        if (msg != WM_SETCURSOR) return FALSE;
        HCURSOR cursor = CursorFor(GetDlgCtrlID(reinterpret_cast<HWND>(wParam)));
        if (!cursor) return FALSE;
        SetCursor(cursor);
        SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, TRUE);
        handled = true;
        return TRUE;
    }

private:
    static HCURSOR CursorFor(int id) {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        switch (id) {
        case IDC_CURSOR_BOX_PAW:    return LoadCursorA(instance, MAKEINTRESOURCEA(IDC_CURSOR_PAW));
        case IDC_CURSOR_BOX_EYE:    return LoadCursorA(instance, MAKEINTRESOURCEA(IDC_CURSOR_EYE));
        case IDC_CURSOR_BOX_NOSE:   return LoadCursorA(instance, MAKEINTRESOURCEA(IDC_CURSOR_NOSE));
        case IDC_CURSOR_BOX_ARROW:  return LoadCursorA(nullptr, IDC_ARROW);
        case IDC_CURSOR_BOX_INSERT: return LoadCursorA(nullptr, IDC_IBEAM);
        case IDC_CURSOR_BOX_CROSS:  return LoadCursorA(nullptr, IDC_CROSS);
        }
        return nullptr;
    }
};

class TextFieldDialog : public Dialog {
public:
    TextFieldDialog() : Dialog(IDD_TEXTFIELD, "TextFieldDialog") {}

protected:
    void OnInit() override { SetItemText(IDC_SELECTED_TEXT, "Improbable"); }

    bool OnCommand(int id, int code, HWND) override {
        if ((id == IDC_FIELD1 || id == IDC_FIELD2) && code == EN_CHANGE) {
            // Only a change made from outside counts, not the dialog's own
            // writes (pointer report, reset).
            if (!writing_ && !changed_) {
                changed_ = true;
                SetItemText(IDC_SELECTED_TEXT, "Impossible");
            }
            return true;
        }
        if (code != BN_CLICKED) return false;
        if (id == IDC_RESET_FIELD1) {
            WriteField(IDC_FIELD1, "");
            LogOwn("ResetField1", kControls);
            return true;
        }
        if (id == IDC_RESET_FIELD2) {
            WriteField(IDC_FIELD2, "");
            LogOwn("ResetField2", kControls);
            return true;
        }
        return false;
    }

    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override {
        handled = false;
        switch (msg) {
        case WM_LBUTTONDOWN:
            LogEvent("Hey The Button Was Pressed!!!", kControls);
            PlaceTracker(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            break;  // the generic LeftButton.Down follows
        case WM_SETCURSOR:
            if (HIWORD(lParam) == WM_MOUSEMOVE) ShowPointer(reinterpret_cast<HWND>(wParam));
            break;
        case WM_PAINT:
            if (hasTracker_) {
                PaintDc dc(hwnd());
                DrawTracker(dc.get());
                handled = true;
                return TRUE;
            }
            break;
        }
        return FALSE;
    }

private:
    // Field 2 tells where the pointer is: over field 1, over field 2 or
    // elsewhere in the dialog.
    void WriteField(int id, const char* text) {
        writing_ = true;
        SetItemText(id, text);
        writing_ = false;
    }

    void ShowPointer(HWND under) {
        const char* text = "Dont have the focus";
        if (under == Item(IDC_FIELD1)) text = "Stand by...";
        else if (under == Item(IDC_FIELD2)) text = "Have the focus";
        if (ItemText(IDC_FIELD2) != text) WriteField(IDC_FIELD2, text);
    }

    void PlaceTracker(int x, int y) {
        if (hasTracker_) InvalidateTracker();
        tracker_ = {x, y, x + 40, y + 25};
        hasTracker_ = true;
        InvalidateTracker();
    }

    void InvalidateTracker() const {
        RECT around = tracker_;
        InflateRect(&around, 2, 2);
        InvalidateRect(hwnd(), &around, TRUE);
    }

    void DrawTracker(HDC dc) const {
        Pen dotted(CreatePen(PS_DOT, 1, RGB(0, 0, 0)));
        SelectIn pen(dc, dotted.get());
        SelectIn brush(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, tracker_.left, tracker_.top, tracker_.right, tracker_.bottom);
        // Corner handles, as a tracker shows them.
        for (POINT p : {POINT{tracker_.left, tracker_.top}, POINT{tracker_.right - 1, tracker_.top},
                        POINT{tracker_.left, tracker_.bottom - 1},
                        POINT{tracker_.right - 1, tracker_.bottom - 1}}) {
            RECT handle{p.x - 2, p.y - 2, p.x + 3, p.y + 3};
            FillRect(dc, &handle, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        }
    }

    bool changed_ = false;
    bool writing_ = false;
    bool hasTracker_ = false;
    RECT tracker_{};
};

}  // namespace

void RunKeyboardDialog(HWND owner) { KeyboardDialog().Run(owner); }
void RunCursorDialog(HWND owner) { CursorDialog().Run(owner); }
void RunStatusBarDialog(HWND owner) { Dialog(IDD_STATUSBAR, "StatusBarDialog").Run(owner); }
void RunDragDropDialog(HWND owner) { Dialog(IDD_DRAGDROP, "DragDropDialog").Run(owner); }
void RunTextFieldDialog(HWND owner) { TextFieldDialog().Run(owner); }

}  // namespace kt
