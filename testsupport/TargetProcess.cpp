#include "TargetProcess.h"

#include "ProgramStart.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kt::test {
namespace {

std::string ProgramPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + "KestrelTarget.exe";
}

struct Search {
    DWORD pid;
    const std::string* caption;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != search->pid || !IsWindowVisible(hwnd)) return TRUE;
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (search->className && std::string(name) != search->className) return TRUE;
    if (search->caption && TargetProcess::Text(hwnd) != *search->caption) return TRUE;
    search->found = hwnd;
    return FALSE;
}

}  // namespace

TempDir::TempDir() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::ostringstream name;
        name << base << "kestrel-target-" << GetCurrentProcessId() << "-" << ++counter;
        if (CreateDirectoryA(name.str().c_str(), nullptr)) {
            path_ = name.str();
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path_ + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name != "." && name != "..") DeleteFileA((path_ + "\\" + name).c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(path_.c_str());
}

TargetProcess::TargetProcess(const std::string& arguments) {
    std::string commandLine = "\"" + ProgramPath() + "\" " + arguments;
    PROCESS_INFORMATION info{};
    DWORD error = 0;
    if (!StartProgram(commandLine, dir_.path().c_str(), info, &error))
        throw std::runtime_error("cannot start " + ProgramPath() + " (error " + std::to_string(error) + ")");
    process_.reset(info.hProcess);
    thread_.reset(info.hThread);
    pid_ = info.dwProcessId;
    WaitFor([&] {
        Search search{pid_, nullptr, "KestrelTargetFrame", nullptr};
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
        frame_ = search.found;
        return frame_ != nullptr;
    }, 30000);
    if (!frame_) {
        // The destructor does not run for a half-built object.
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 10000);
        throw std::runtime_error("KestrelTarget shows no frame");
    }
}

TargetProcess::~TargetProcess() {
    if (Running()) {
        TerminateProcess(process_.get(), 1);
        WaitForSingleObject(process_.get(), 10000);
    }
}

bool TargetProcess::Running() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

void TargetProcess::Send(int command) const {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(frame_, WM_COMMAND, command, 0, SMTO_ABORTIFHUNG, 10000, &result);
}

void TargetProcess::Post(int command) const { PostMessageA(frame_, WM_COMMAND, command, 0); }

HWND TargetProcess::FindTopLevel(const std::string& caption, const char* className) const {
    Search search{pid_, &caption, className, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND TargetProcess::WaitTopLevel(const std::string& caption, const char* className) const {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindTopLevel(caption, className)) != nullptr; });
    return found;
}

HWND TargetProcess::OpenDialog(int command, const std::string& caption) const {
    Post(command);
    return WaitTopLevel(caption);
}

void TargetProcess::Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void TargetProcess::SetText(HWND dialog, int id, const std::string& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, 10000, &result);
}

std::string TargetProcess::Text(HWND window) {
    // WM_GETTEXT rather than GetWindowText, which does not ask controls of
    // another process for their text.
    char text[512] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &ignored);
    return text;
}

bool TargetProcess::Cancel(HWND dialog) {
    Click(dialog, IDCANCEL);
    return WaitFor([&] { return !IsWindow(dialog); });
}

std::string TargetProcess::CloseMessageBox(const std::string& caption, int timeoutMs) const {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = FindTopLevel(caption)) != nullptr; }, timeoutMs)) return "";
    // The message text is the box's static control with id 0xFFFF.
    std::string text = Text(GetDlgItem(box, 0xFFFF));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitFor([&] { return !IsWindow(box); });
    return text;
}

bool TargetProcess::LogExists() const {
    return GetFileAttributesA(LogPath().c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> TargetProcess::Log() const {
    std::vector<std::string> lines;
    std::ifstream in(LogPath(), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

std::vector<std::string> TargetProcess::WaitLog(size_t count) const {
    std::vector<std::string> lines;
    WaitFor([&] { return (lines = Log()).size() >= count; });
    return lines;
}

bool TargetProcess::Exit() {
    Post(57665);
    return WaitFor([&] { return !Running(); });
}

}  // namespace kt::test
