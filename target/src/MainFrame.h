// The main frame of KestrelTarget: MDI frame window with the menu bar, the
// tool bar and the MDI client. It turns menu and tool-bar commands into
// events and opens the control dialogs.
#pragma once

#include "Handles.h"

#include <windows.h>

namespace kt {

class MainFrame {
public:
    static constexpr const char* kClassName = "KestrelTargetFrame";
    static constexpr const char* kTitle = "KestrelTarget";

    MainFrame() = default;
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    // Registers the window classes and creates the (hidden) frame.
    bool Create(HINSTANCE instance);
    void Show(int showCommand);
    // Runs the message loop until the frame is destroyed; returns the exit code.
    int Run();

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void Layout();
    bool OnCommand(int id);
    bool RunControlsCommand(int id);
    bool RunMenusCommand(int id);
    void CreateToolbar();
    void InsertGraphicMenuItem();
    void UpdateEchoChecks() const;
    void Check(int id, bool checked) const;

    HINSTANCE instance_ = nullptr;
    HWND hwnd_ = nullptr;
    HWND client_ = nullptr;
    HWND toolbar_ = nullptr;
    HACCEL accelerators_ = nullptr;
    Bitmap graphic_;  // picture of menu item 2024; lives as long as the menu
    bool checked_ = false;
};

}  // namespace kt
