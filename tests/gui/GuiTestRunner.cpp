// Runs end-to-end GUI scripts: for each script it starts the program the
// script drives (KestrelTarget with logging on, or Wine's notepad) in a
// fresh temporary folder, copies the script and the files it names there,
// runs loom on the copy, always terminates the program again, and checks
// what the script's comments expect (ScriptExpectations.h reads the expect
// lines and judges the run):
//   // target: KestrelTarget | notepad   the program to start (none: none)
//   // copy: PATH                          a file, relative to the script, to
//                                          put beside the copy (e.g. a .dec)
//   // expect: / expect-like: / expect-log: / expect-exit:
//   // loom-args: ARGS                     options for loom before the script
// Usage: GuiTestRunner [--loom PATH] [--quiet] SCRIPT...
#include "ProgramStart.h"
#include "ScriptExpectations.h"
#include "TargetProcess.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using kt::test::Directive;
using kt::test::ScriptExpectations;
using kt::test::SplitLines;
using kt::test::StartProgram;
using kt::test::TargetProcess;
using kt::test::TempDir;
using kt::test::WaitFor;

constexpr int kLoomTimeoutMs = 180000;
constexpr int kLogSettleMs = 5000;

struct ScriptPlan {
    std::string path;
    std::string name;
    std::string folder;
    std::string target;
    std::vector<std::string> copies;
    std::string loomArgs;
    ScriptExpectations expect;
};

// Under Wine a Linux path (from ctest) names a file on drive Z:.
std::string WindowsPath(const std::string& path)
{
    return !path.empty() && path[0] == '/' ? "Z:" + path : path;
}

bool ReadPlan(const std::string& rawPath, ScriptPlan& plan)
{
    const std::string path = WindowsPath(rawPath);
    std::ifstream in(path);
    if (!in) return false;
    plan.path = path;
    size_t slash = path.find_last_of("\\/");
    plan.folder = slash == std::string::npos ? "." : path.substr(0, slash);
    plan.name = slash == std::string::npos ? path : path.substr(slash + 1);
    std::string line, value;
    while (std::getline(in, line)) {
        if (plan.expect.Take(line)) continue;
        if (Directive(line, "target", value)) plan.target = value;
        else if (Directive(line, "copy", value)) plan.copies.push_back(value);
        else if (Directive(line, "loom-args", value)) plan.loomArgs = value;
    }
    return true;
}

std::string ReadFileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string OwnFolder()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/"));
}

// A handle closed on every path.
class Handle {
public:
    explicit Handle(HANDLE h = nullptr) : m_Handle(h) {}
    ~Handle() { if (m_Handle && m_Handle != INVALID_HANDLE_VALUE) CloseHandle(m_Handle); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE Get() const { return m_Handle; }
    HANDLE* Out() { return &m_Handle; }

private:
    HANDLE m_Handle;
};

// Wine's notepad, started in `folder` and terminated by the destructor.
class NotepadProcess {
public:
    explicit NotepadProcess(const std::string& folder)
    {
        PROCESS_INFORMATION info{};
        if (!StartProgram("notepad.exe", folder.c_str(), info)) return;
        m_Process.reset(new Handle(info.hProcess));
        CloseHandle(info.hThread);
        m_Pid = info.dwProcessId;
        WaitFor([&] { return (m_Window = FindWindowOf(m_Pid)) != nullptr; }, 30000);
    }
    ~NotepadProcess()
    {
        if (m_Process && WaitForSingleObject(m_Process->Get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(m_Process->Get(), 1);
            WaitForSingleObject(m_Process->Get(), 10000);
        }
    }
    NotepadProcess(const NotepadProcess&) = delete;
    NotepadProcess& operator=(const NotepadProcess&) = delete;
    bool Ready() const { return m_Window != nullptr; }

private:
    struct Search {
        DWORD pid;
        HWND found;
    };

    static BOOL CALLBACK Match(HWND wnd, LPARAM param)
    {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(wnd, &owner);
        char cls[64] = {};
        GetClassNameA(wnd, cls, sizeof cls);
        if (owner == s->pid && IsWindowVisible(wnd) && std::string(cls) == "Notepad") {
            s->found = wnd;
            return FALSE;
        }
        return TRUE;
    }

    static HWND FindWindowOf(DWORD pid)
    {
        Search search{pid, nullptr};
        EnumWindows(&Match, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    std::unique_ptr<Handle> m_Process;
    DWORD m_Pid = 0;
    HWND m_Window = nullptr;
};

// Runs loom on `script`, echoing its output unless quiet; kills it when it
// outlives the time-out. False when it cannot be started or timed out.
bool RunLoom(const std::string& loom, const std::string& args, const std::string& script, bool quiet,
             std::string& output, int& exitCode)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    Handle readEnd, writeEnd;
    if (!CreatePipe(readEnd.Out(), writeEnd.Out(), &inherit, 0)) return false;
    SetHandleInformation(readEnd.Get(), HANDLE_FLAG_INHERIT, 0);
    std::string commandLine = "\"" + loom + "\" " + (args.empty() ? "" : args + " ") + "\"" + script + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = writeEnd.Get();
    startup.hStdError = writeEnd.Get();
    PROCESS_INFORMATION info{};
    if (!StartProgram(commandLine, nullptr, info, nullptr, &startup)) return false;
    Handle process(info.hProcess), thread(info.hThread);
    // Only loom (and what it starts) holds the write end now.
    CloseHandle(*writeEnd.Out());
    *writeEnd.Out() = nullptr;
    DWORD start = GetTickCount();
    bool timedOut = false;
    char buffer[4096];
    for (;;) {
        DWORD available = 0;
        if (!PeekNamedPipe(readEnd.Get(), nullptr, 0, nullptr, &available, nullptr)) break;  // loom is gone
        if (available > 0) {
            DWORD got = 0;
            if (!ReadFile(readEnd.Get(), buffer, sizeof buffer, &got, nullptr) || got == 0) break;
            output.append(buffer, got);
            if (!quiet) {
                std::fwrite(buffer, 1, got, stdout);
                std::fflush(stdout);
            }
            continue;
        }
        // Loom has ended and its output is read: done, even where a program
        // it started (a command through the shell, a service Wine started
        // on its behalf) still holds the write end.
        if (WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0) break;
        if (GetTickCount() - start > static_cast<DWORD>(kLoomTimeoutMs)) {
            TerminateProcess(process.Get(), 3);
            timedOut = true;
            break;
        }
        WaitForSingleObject(process.Get(), 20);
    }
    WaitForSingleObject(process.Get(), 10000);
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    exitCode = static_cast<int>(code);
    return !timedOut;
}

// Runs one script; the reason of a failure goes to `why`.
bool RunScript(const ScriptPlan& plan, const std::string& loom, bool quiet, std::string& why)
{
    std::unique_ptr<TempDir> ownDir;
    std::unique_ptr<TargetProcess> target;
    std::unique_ptr<NotepadProcess> notepad;
    std::string folder;
    try {
        if (plan.target == "KestrelTarget") {
            target.reset(new TargetProcess("/log"));
            folder = target->dir();
        } else {
            ownDir.reset(new TempDir);
            folder = ownDir->path();
            if (plan.target == "notepad") {
                notepad.reset(new NotepadProcess(folder));
                if (!notepad->Ready()) {
                    why = "notepad shows no window";
                    return false;
                }
            } else if (!plan.target.empty()) {
                why = "unknown target '" + plan.target + "'";
                return false;
            }
        }
    } catch (const std::exception& e) {
        why = e.what();
        return false;
    }
    const std::string copy = folder + "\\" + plan.name;
    if (!CopyFileA(plan.path.c_str(), copy.c_str(), FALSE)) {
        why = "cannot copy the script to " + folder;
        return false;
    }
    for (const std::string& file : plan.copies) {
        std::string source = plan.folder + "\\" + file;
        std::string base = file.substr(file.find_last_of("\\/") + 1);
        if (!CopyFileA(source.c_str(), (folder + "\\" + base).c_str(), FALSE)) {
            why = "cannot copy " + source;
            return false;
        }
    }
    std::string output;
    int exitCode = -1;
    if (!RunLoom(loom, plan.loomArgs, copy, quiet, output, exitCode)) {
        why = "loom did not run to its end";
        return false;
    }
    // Messages name the copy of the script: compare them by its bare name.
    for (size_t at; (at = output.find(folder + "\\")) != std::string::npos;)
        output.erase(at, folder.size() + 1);
    const std::vector<std::string> failures = plan.expect.CheckRun(output, exitCode);
    for (const std::string& failure : failures) why += (why.empty() ? "" : "\n") + failure;
    bool ok = failures.empty();
    const std::vector<kt::test::ExpectedLine>& expectLog = plan.expect.Log();
    if (ok && !expectLog.empty()) {
        // Posted commands may still be on their way: poll the log, bounded.
        const std::string log = folder + "\\KestrelTarget.log";
        std::vector<std::string> lines;
        const kt::test::ExpectedLine* missing = nullptr;
        WaitFor([&] {
            lines = SplitLines(ReadFileText(log));
            missing = kt::test::MissingInOrder(expectLog, lines);
            return missing == nullptr;
        }, kLogSettleMs);
        if (missing) {
            why = "missing log line, in order: " + missing->text + "\n---- KestrelTarget.log ----\n";
            for (const std::string& l : lines) why += l + "\n";
            ok = false;
        } else if (!quiet) {
            std::printf("-- KestrelTarget.log holds the %zu expected lines, in order:\n", expectLog.size());
            for (const kt::test::ExpectedLine& l : expectLog) std::printf("   %s\n", l.text.c_str());
        }
    }
    if (!ok && quiet) why += "\n---- output ----\n" + output;
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string loom = OwnFolder() + "\\loom.exe";
    bool quiet = false;
    std::vector<std::string> scripts;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--loom" && i + 1 < argc) loom = argv[++i];
        else if (arg == "--quiet") quiet = true;
        else if (arg == "--help" || arg == "-h") {
            std::printf("usage: GuiTestRunner [--loom PATH] [--quiet] SCRIPT...\n");
            return 0;
        } else scripts.push_back(arg);
    }
    if (scripts.empty()) {
        std::fprintf(stderr, "usage: GuiTestRunner [--loom PATH] [--quiet] SCRIPT...\n");
        return 2;
    }
    int passed = 0, failed = 0;
    std::vector<std::string> summary;
    for (const std::string& path : scripts) {
        ScriptPlan plan;
        std::string why;
        bool ok = ReadPlan(path, plan);
        if (!ok) why = "cannot read " + path;
        else {
            std::printf("== %s%s\n", plan.name.c_str(),
                        plan.target.empty() ? "" : (" (target: " + plan.target + ")").c_str());
            std::fflush(stdout);
            ok = RunScript(plan, loom, quiet, why);
        }
        (ok ? passed : failed)++;
        summary.push_back((ok ? "PASS " : "FAIL ") + (plan.name.empty() ? path : plan.name) +
                          (ok ? "" : ": " + why));
    }
    for (const std::string& line : summary) std::printf("%s\n", line.c_str());
    std::printf("%d passed, %d failed\n", passed, failed);
    std::fflush(stdout);
    return failed ? 1 : 0;
}
