// The drawing dialog: pen colour and width, text at a point, and the
// drawing surface.
#include "Dialog.h"
#include "Dialogs.h"
#include "DrawSurface.h"
#include "EventLog.h"
#include "resource.h"

#include <algorithm>

namespace kt {
namespace {

class DrawingDialog : public Dialog {
public:
    DrawingDialog() : Dialog(IDD_DRAWING, "DrawingDialog") {}

protected:
    void OnInit() override {
        SetItemText(IDC_DRAW_RED, "0");
        SetItemText(IDC_DRAW_GREEN, "0");
        SetItemText(IDC_DRAW_BLUE, "0");
        SetItemText(IDC_DRAW_SIZE, "3");
        SetItemText(IDC_DRAW_TEXT, "Testing");
        surface_.onRightClick = [this](int x, int y) {
            SetItemText(IDC_DRAW_X, std::to_string(x));
            SetItemText(IDC_DRAW_Y, std::to_string(y));
        };
        surface_.Attach(Item(IDC_DRAW_SURFACE));
    }

    bool OnCommand(int id, int code, HWND) override {
        if (code != BN_CLICKED) return false;
        switch (id) {
        case IDC_DRAW_SETPEN: {
            // Each component is one byte of the colour; out-of-range values
            // are clamped rather than spilling into the next component.
            int red = Component(IDC_DRAW_RED);
            int green = Component(IDC_DRAW_GREEN);
            int blue = Component(IDC_DRAW_BLUE);
            surface_.SetPen(static_cast<COLORREF>(red + green * 256 + blue * 65536),
                            std::max(ItemInt(IDC_DRAW_SIZE), 0));
            LogOwn("SetPen", kControls);
            return true;
        }
        case IDC_DRAW_RESET:
            surface_.Clear();
            LogOwn("Reset", kControls);
            return true;
        case IDC_DRAW_SETTEXT:
            if (!surface_.PutText(ItemInt(IDC_DRAW_X), ItemInt(IDC_DRAW_Y), ItemText(IDC_DRAW_TEXT)))
                MessageBoxA(hwnd(), "Coordinates Out of Range", "Error", MB_OK);
            LogOwn("SetTextToX-Y", kControls);
            return true;
        }
        return false;
    }

private:
    int Component(int id) const { return std::clamp(ItemInt(id), 0, 255); }

    DrawSurface surface_;
};

}  // namespace

void RegisterDrawSurfaceClass(HINSTANCE instance) { DrawSurface::Register(instance); }
void RunDrawingDialog(HWND owner) { DrawingDialog().Run(owner); }

}  // namespace kt
