// Test harness: one KestrelTarget.exe per test, started in a temporary
// folder of its own (where it writes KestrelTarget.log), driven with window
// messages and always terminated when the test ends.
#pragma once

#include "BoundedWait.h"

#include "Handles.h"

#include <windows.h>

#include <string>
#include <vector>

namespace kt::test {

// Polls `condition` every 20 ms until it holds or `timeoutMs` has passed.
template <typename Condition>
bool WaitFor(Condition condition, int timeoutMs = 10000) {
    return loom::WaitUntil(condition, timeoutMs, 20);
}

// A folder under %TEMP% that is removed, with its files, at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

class TargetProcess {
public:
    // Starts KestrelTarget.exe with `arguments` and waits for its frame.
    explicit TargetProcess(const std::string& arguments = "/log");
    // Terminates the program if it still runs.
    ~TargetProcess();
    TargetProcess(const TargetProcess&) = delete;
    TargetProcess& operator=(const TargetProcess&) = delete;

    HWND frame() const { return frame_; }
    std::string LogPath() const { return dir_.path() + "\\KestrelTarget.log"; }
    const std::string& dir() const { return dir_.path(); }

    // A command that returns at once (no dialog): sent, so it has been
    // handled when the call returns.
    void Send(int command) const;
    // A command that may open a modal window: posted.
    void Post(int command) const;

    // A visible top-level window of the program with this caption.
    HWND FindTopLevel(const std::string& caption, const char* className = "#32770") const;
    HWND WaitTopLevel(const std::string& caption, const char* className = "#32770") const;
    // Posts the command and waits for the dialog with this caption.
    HWND OpenDialog(int command, const std::string& caption) const;
    // Presses a button (BM_CLICK, posted) of a dialog.
    static void Click(HWND dialog, int id);
    // Sets the text of a control and returns when it is set.
    static void SetText(HWND dialog, int id, const std::string& text);
    static std::string Text(HWND window);
    // Presses Cancel and waits until the dialog is gone.
    static bool Cancel(HWND dialog);

    // The text of the message box with this caption, closed with OK; empty
    // when none comes within the time-out.
    std::string CloseMessageBox(const std::string& caption, int timeoutMs = 10000) const;

    // Lines of the log file (empty when there is none).
    std::vector<std::string> Log() const;
    bool LogExists() const;
    // Polls until the log has at least `count` lines; returns the lines.
    std::vector<std::string> WaitLog(size_t count) const;

    // Picks Options > Exit and waits for the program to end.
    bool Exit();
    bool Running() const;

private:
    TempDir dir_;
    FileHandle process_;
    FileHandle thread_;
    DWORD pid_ = 0;
    HWND frame_ = nullptr;
};

}  // namespace kt::test
