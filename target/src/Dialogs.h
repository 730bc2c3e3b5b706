// Entry points of KestrelTarget's dialogs. Each runs its dialog modally,
// owned by `owner`, and returns when it is closed.
#pragma once

#include <windows.h>

namespace kt {

void RunAboutDialog(HWND owner);

void RunButtonDialog(HWND owner);
void RunCheckBoxDialog(HWND owner);
void RunRadioDialog(HWND owner);

void RunComboBoxDialog(HWND owner);
void RunListBoxDialog(HWND owner);
void RunListViewDialog(HWND owner);
void RunPageListDialog(HWND owner);

void RunTreeViewDialog(HWND owner);

void RunScrollBarDialog(HWND owner);
void RunStaticDialog(HWND owner);
void RunEditDialog(HWND owner);

void RunDrawingDialog(HWND owner);
// Registers the window class of the drawing surface the dialog template uses.
void RegisterDrawSurfaceClass(HINSTANCE instance);

void RunKeyboardDialog(HWND owner);
void RunCursorDialog(HWND owner);
void RunStatusBarDialog(HWND owner);
void RunDragDropDialog(HWND owner);
void RunTextFieldDialog(HWND owner);

void RunLazyDialog(HWND owner);

}  // namespace kt
