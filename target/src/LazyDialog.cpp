// The Lazy dialog: what real applications do later or only when told. The
// Later button is enabled 1.5 s after the dialog opens, the Ticks label
// counts to 3 on a timer, Apply is enabled once the combo box reports a new
// selection, and the list box's selection is shown when it reports one.
#include "Dialog.h"
#include "Dialogs.h"
#include "EventLog.h"
#include "resource.h"

#include <string>

namespace kt {
namespace {

constexpr UINT_PTR kEnableTimer = 1;
constexpr UINT_PTR kTickTimer = 2;
constexpr UINT kEnableAfterMs = 1500;
constexpr UINT kTickMs = 300;
constexpr int kLastTick = 3;

class LazyDialog : public Dialog {
public:
    LazyDialog() : Dialog(IDD_LAZY, "LazyDialog") {}

protected:
    void OnInit() override {
        for (const char* size : {"Small", "Medium", "Large"})
            SendDlgItemMessageA(hwnd(), IDC_LAZY_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
        for (const char* item : {"One", "Two"})
            SendDlgItemMessageA(hwnd(), IDC_LAZY_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SetTimer(hwnd(), kEnableTimer, kEnableAfterMs, nullptr);
        SetTimer(hwnd(), kTickTimer, kTickMs, nullptr);
    }

    bool OnCommand(int id, int code, HWND) override {
        if (id == IDC_LAZY_COMBO && (code == CBN_SELCHANGE || code == CBN_SELENDOK)) {
            const int picked = static_cast<int>(SendDlgItemMessageA(hwnd(), IDC_LAZY_COMBO, CB_GETCURSEL, 0, 0));
            LogOwn(std::string(code == CBN_SELCHANGE ? "Combo.SelChange(" : "Combo.SelEndOk(") +
                       std::to_string(picked) + ")",
                   kControls);
            EnableWindow(Item(IDC_LAZY_APPLY), TRUE);
            return true;
        }
        if (id == IDC_LAZY_LIST && code == LBN_SELCHANGE) {
            const int picked = static_cast<int>(SendDlgItemMessageA(hwnd(), IDC_LAZY_LIST, LB_GETCURSEL, 0, 0));
            LogOwn("List.SelChange(" + std::to_string(picked) + ")", kControls);
            SetItemText(IDC_LAZY_PICKED, picked == 1 ? "Picked: Two" : "Picked: One");
            return true;
        }
        if (code != BN_CLICKED) return false;
        switch (id) {
        case IDC_LAZY_LATER: LogOwn("Later", kControls); return true;
        case IDC_LAZY_NEVER: LogOwn("Never", kControls); return true;
        case IDC_LAZY_APPLY: LogOwn("Apply", kControls); return true;
        }
        return false;
    }

    INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) override {
        handled = false;
        if (msg != WM_TIMER) return FALSE;
        handled = true;
        if (wParam == kEnableTimer) {
            KillTimer(hwnd(), kEnableTimer);
            EnableWindow(Item(IDC_LAZY_LATER), TRUE);
        } else if (wParam == kTickTimer) {
            const int tick = ++ticks_;
            SetItemText(IDC_LAZY_TICKS, "Ticks: " + std::to_string(tick));
            if (tick >= kLastTick) KillTimer(hwnd(), kTickTimer);
        }
        return TRUE;
    }

private:
    int ticks_ = 0;
};

}  // namespace

void RunLazyDialog(HWND owner) {
    LazyDialog dialog;
    dialog.Run(owner);
}

}  // namespace kt
