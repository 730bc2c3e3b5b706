// Support of the spy's GUI tests: runs KestrelSpy and loom as programs with
// their output captured, owns programs the tests start, and reads back the
// windows a declarations file declares through a loom script.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace spy::test {

struct RunResult {
    int exitCode = -1;  // -1: did not end within the time-out (then ended)
    std::string out;
    std::string err;
};

// The folder of this test program, where KestrelSpy.exe and loom.exe are.
std::string BinDir();
// The source tree's folder, as a Windows path.
std::string SourceDir();
// Runs a command line in `dir` and captures its output through files.
RunResult RunCaptured(const std::string& commandLine, const std::string& dir, int timeoutMs = 120000);
// KestrelSpy.exe with arguments (already quoted where needed).
RunResult RunSpy(const std::string& args, const std::string& dir);
std::string ReadFile(const std::string& path);
bool WriteFile(const std::string& path, const std::string& text);

// A program started by a test and ended when the object goes.
class OwnedProgram {
public:
    explicit OwnedProgram(const std::string& commandLine);
    ~OwnedProgram();
    OwnedProgram(const OwnedProgram&) = delete;
    OwnedProgram& operator=(const OwnedProgram&) = delete;
    DWORD Pid() const { return m_Pid; }
    // The first visible top-level window of the program (waits up to 20 s).
    HWND WaitWindow(const char* className = nullptr) const;

private:
    HANDLE m_Process = nullptr;
    DWORD m_Pid = 0;
};

// What a script read through a declarations file, per declared path.
struct DeclaredValue {
    std::string handle;  // "menu" for menu items
    std::string text;    // GetText, or GetMenuText for menu items
};

struct ScriptReadBack {
    std::vector<std::string> paths;  // every declared window and menu item
    std::map<std::string, DeclaredValue> values;  // those the script read
    std::string output;                           // loom's whole output
};

// Writes a script next to `decPath` that `use`s it and reads every declared
// window of the top-level declaration `mainWin` (all when empty), runs loom
// on it, and collects what it printed.
ScriptReadBack ReadThroughScript(const std::string& decPath, const std::string& mainWin, const std::string& dir);

// A copy of `text` with every "0x" followed by hex digits replaced by "0xH".
std::string MaskHandles(const std::string& text);

}  // namespace spy::test
