// The push-button, check-box and radio-button dialogs.
#include "Dialog.h"
#include "Dialogs.h"
#include "EventLog.h"
#include "Handles.h"
#include "resource.h"

namespace kt {
namespace {

class ButtonDialog : public Dialog {
public:
    ButtonDialog() : Dialog(IDD_BUTTON, "ButtonDialog") {}

protected:
    void OnInit() override {
        HINSTANCE instance = GetModuleHandleA(nullptr);
        up_.reset(LoadBitmapA(instance, "GBUTTONU"));
        down_.reset(LoadBitmapA(instance, "GBUTTOND"));
        // Size the owner-drawn button to its bitmap.
        BITMAP bm{};
        if (up_ && GetObjectA(up_.get(), sizeof bm, &bm)) {
            SetWindowPos(Item(IDC_GRAPHICBUTTON), nullptr, 0, 0, bm.bmWidth, bm.bmHeight,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    bool OnCommand(int id, int code, HWND) override {
        if (code != BN_CLICKED) return false;
        switch (id) {
        case IDC_BUTTON1:
            SetItemText(IDC_BUTTON_STATUS, "Status: Button1 Clicked");
            LogOwn("Button1", kControls);
            return true;
        case IDC_DEFAULTBUTTON:
            SetItemText(IDC_BUTTON_STATUS, "Status: Default Clicked");
            LogOwn("DefaultButton", kControls);
            return true;
        case IDC_GRAPHICBUTTON:
            SetItemText(IDC_BUTTON_STATUS, "Status: Graphic Clicked");
            LogOwn("GraphicButton", kControls);
            return true;
        }
        return false;
    }

    INT_PTR OnMessage(UINT msg, WPARAM, LPARAM lParam, bool& handled) override {
        handled = false;
        if (msg != WM_DRAWITEM) return FALSE;
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (item->CtlID != IDC_GRAPHICBUTTON) return FALSE;
        handled = true;
        DrawGraphicButton(*item);
        return TRUE;
    }

private:
    void DrawGraphicButton(const DRAWITEMSTRUCT& item) const {
        const Bitmap& picture = (item.itemState & ODS_SELECTED) ? down_ : up_;
        if (!picture) return;
        MemoryDc memory(CreateCompatibleDC(item.hDC));
        if (!memory) return;
        SelectIn select(memory.get(), picture.get());
        BITMAP bm{};
        GetObjectA(picture.get(), sizeof bm, &bm);
        StretchBlt(item.hDC, item.rcItem.left, item.rcItem.top,
                   item.rcItem.right - item.rcItem.left, item.rcItem.bottom - item.rcItem.top,
                   memory.get(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        if (item.itemState & ODS_FOCUS) {
            RECT focus = item.rcItem;
            InflateRect(&focus, -4, -4);
            DrawFocusRect(item.hDC, &focus);
        }
    }

    Bitmap up_;
    Bitmap down_;
};

class CheckBoxDialog : public Dialog {
public:
    CheckBoxDialog() : Dialog(IDD_CHECKBOX, "CheckBoxDialog") {}

protected:
    void OnInit() override {
        // The two boxes are created here rather than in the template, in the
        // dialog's font, at fixed dialog-unit places.
        Create(IDC_CHECKBOX, "CheckBox", 10, 10);
        Create(IDC_ENABLEDCHECKBOX, "Enabled &CheckBox", 10, 28);
        CheckDlgButton(hwnd(), IDC_CHECKBOX, BST_CHECKED);
    }

    bool OnCommand(int id, int code, HWND) override {
        if (code != BN_CLICKED) return false;
        switch (id) {
        case IDC_CHECKBOX:
            Flip(id);
            LogOwn("CheckBox", kControls);
            return true;
        case IDC_ENABLEDCHECKBOX:
            Flip(id);
            LogOwn("EnabledCheckBox", kControls);
            return true;
        case IDC_ENABLE: {
            HWND box = Item(IDC_ENABLEDCHECKBOX);
            EnableWindow(box, !IsWindowEnabled(box));
            LogOwn("Enable", kControls);
            return true;
        }
        }
        return false;
    }

private:
    void Create(int id, const char* text, int x, int y) const {
        RECT r{x, y, x + 120, y + 10};
        MapDialogRect(hwnd(), &r);
        HWND box = CreateWindowExA(0, "Button", text,
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX,
                                   r.left, r.top, r.right - r.left, r.bottom - r.top, hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), nullptr);
        SendMessageA(box, WM_SETFONT, SendMessageA(hwnd(), WM_GETFONT, 0, 0), FALSE);
    }

    void Flip(int id) const {
        bool checked = IsDlgButtonChecked(hwnd(), id) == BST_CHECKED;
        CheckDlgButton(hwnd(), id, checked ? BST_UNCHECKED : BST_CHECKED);
    }
};

class RadioDialog : public Dialog {
public:
    RadioDialog() : Dialog(IDD_RADIO, "RadioDialog") {}

protected:
    bool OnCommand(int id, int code, HWND) override {
        if (code != BN_CLICKED || id < IDC_RADIO1 || id > IDC_RADIO3) return false;
        // Each radio button flips its own check; the three are independent.
        bool checked = IsDlgButtonChecked(hwnd(), id) == BST_CHECKED;
        CheckDlgButton(hwnd(), id, checked ? BST_UNCHECKED : BST_CHECKED);
        LogOwn("Radio" + std::to_string(id - IDC_RADIO1 + 1), kControls);
        return true;
    }
};

}  // namespace

void RunButtonDialog(HWND owner) { ButtonDialog().Run(owner); }
void RunCheckBoxDialog(HWND owner) { CheckBoxDialog().Run(owner); }
void RunRadioDialog(HWND owner) { RadioDialog().Run(owner); }

}  // namespace kt
