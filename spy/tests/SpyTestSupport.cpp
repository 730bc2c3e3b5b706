#include "SpyTestSupport.h"

#include "Declarations.h"
#include "ProgramStart.h"

#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

namespace spy::test {

namespace {

struct HandleCloser {
    HANDLE handle;
    ~HandleCloser()
    {
        if (handle && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

HANDLE InheritableFile(const std::string& path)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool IsMenuPlaceholder(const WinDataT& node)
{
    return *node.kind == "Menu" && (*node.name == "NoName" || *node.name == "Menu") &&
           *node.windowClass == "Menu" && node.tag->IsEmpty();
}

// Declared paths below `chain`, skipping names that repeat among siblings
// (those become arrays).
void CollectPaths(const WinDataT* chain, const std::string& prefix, std::vector<std::string>& paths,
                  std::set<std::string>& menus)
{
    std::map<std::string, int> seen;
    std::vector<const WinDataT*> flat;
    for (const WinDataT* node = chain; node; node = node->next) {
        if (IsMenuPlaceholder(*node)) {
            for (const WinDataT* item = node->child; item; item = item->next) flat.push_back(item);
        } else {
            flat.push_back(node);
        }
    }
    for (const WinDataT* node : flat) ++seen[node->name->str()];
    for (const WinDataT* node : flat) {
        const std::string name = node->name->str();
        if (seen[name] > 1) continue;
        const std::string path = prefix + "." + name;
        paths.push_back(path);
        const std::string cls = node->windowClass->str();
        if (cls == "Menu" || cls == "MenuItem") menus.insert(path);
        if (node->child) CollectPaths(node->child, path, paths, menus);
    }
}

}  // namespace

std::string BinDir()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

std::string SourceDir()
{
    std::string dir = KESTREL_SOURCE_DIR;
    if (!dir.empty() && dir[0] == '/') {
        // A Linux path: Wine shows the root file system as drive Z.
        for (char& c : dir)
            if (c == '/') c = '\\';
        dir = "Z:" + dir;
    }
    return dir;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

RunResult RunCaptured(const std::string& commandLine, const std::string& dir, int timeoutMs)
{
    RunResult result;
    const std::string outPath = dir + "\\run.out";
    const std::string errPath = dir + "\\run.err";
    std::string startError;
    PROCESS_INFORMATION info{};
    {
        HandleCloser out{InheritableFile(outPath)};
        HandleCloser err{InheritableFile(errPath)};
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = out.handle;
        startup.hStdError = err.handle;
        DWORD error = 0;
        if (!kt::test::StartProgram(commandLine, dir.c_str(), info, &error, &startup))
            startError = "could not start (error " + std::to_string(error) + "): " + commandLine + "\n";
    }
    if (!startError.empty()) {
        // What the program wrote before it failed to start (the loader's
        // own complaints) follows the error.
        result.err = startError + ReadFile(errPath);
        return result;
    }
    {
        HandleCloser process{info.hProcess};
        HandleCloser thread{info.hThread};
        if (WaitForSingleObject(info.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
            TerminateProcess(info.hProcess, 1);
            WaitForSingleObject(info.hProcess, 5000);
        } else {
            DWORD code = 0;
            GetExitCodeProcess(info.hProcess, &code);
            result.exitCode = static_cast<int>(code);
        }
    }
    // Console output ends its lines with CR LF; the tests compare LF.
    auto text = [](std::string raw) {
        std::string out;
        for (char c : raw)
            if (c != '\r') out += c;
        return out;
    };
    result.out = text(ReadFile(outPath));
    result.err = text(ReadFile(errPath));
    return result;
}

RunResult RunSpy(const std::string& args, const std::string& dir)
{
    return RunCaptured("\"" + BinDir() + "KestrelSpy.exe\" " + args, dir);
}

OwnedProgram::OwnedProgram(const std::string& commandLine)
{
    PROCESS_INFORMATION info{};
    if (!kt::test::StartProgram(commandLine, nullptr, info)) return;
    CloseHandle(info.hThread);
    m_Process = info.hProcess;
    m_Pid = info.dwProcessId;
}

OwnedProgram::~OwnedProgram()
{
    if (!m_Process) return;
    TerminateProcess(m_Process, 1);
    WaitForSingleObject(m_Process, 10000);
    CloseHandle(m_Process);
}

namespace {

struct WindowSearch {
    DWORD pid;
    const char* className;
    HWND found;
};

// A named stdcall function: a lambda has the wrong calling convention on
// 32-bit Windows.
BOOL CALLBACK MatchProgramWindow(HWND wnd, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid != search->pid || !IsWindowVisible(wnd)) return TRUE;
    char cls[256] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    if (search->className && std::string(cls) != search->className) return TRUE;
    search->found = wnd;
    return FALSE;
}

}  // namespace

HWND OwnedProgram::WaitWindow(const char* className) const
{
    WindowSearch search{m_Pid, className, nullptr};
    for (int waited = 0; m_Process && waited < 20000; waited += 50) {
        EnumWindows(MatchProgramWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    }
    return nullptr;
}

ScriptReadBack ReadThroughScript(const std::string& decPath, const std::string& mainWin, const std::string& dir)
{
    ScriptReadBack back;
    WinDataPtr tree;
    if (!ParseDeclarationsFile(String(decPath.c_str()), tree).IsSuccess()) {
        back.output = "could not parse " + decPath;
        return back;
    }
    std::set<std::string> menus;
    for (const WinDataT* top = tree.get(); top; top = top->next) {
        const std::string name = top->name->str();
        if (!mainWin.empty() && name != mainWin) continue;
        back.paths.push_back(name);
        if (top->child) CollectPaths(top->child, name, back.paths, menus);
    }
    // Forward slashes: a backslash would start an escape in the literal.
    std::string usePath = decPath;
    for (char& c : usePath)
        if (c == '\\') c = '/';
    std::string script = "use \"" + usePath + "\";\nSetDelay(0);\nSetLookupTimeout(1);\n";
    for (const std::string& path : back.paths) {
        if (menus.count(path))
            script += "print(\"ok|" + path + "|menu|\" + " + path + ".GetMenuText() + \"|end\");\n";
        else
            script += "print(\"ok|" + path + "|\" + " + path + ".GetHandle() + \"|\" + " + path +
                      ".GetText() + \"|end\");\n";
    }
    const std::string scriptPath = dir + "\\readback.lm";
    WriteFile(scriptPath, script);
    RunResult run = RunCaptured("\"" + BinDir() + "loom.exe\" \"" + scriptPath + "\"", dir);
    back.output = run.out + run.err;
    // Lines "ok|PATH|HANDLE|TEXT|end"; a text may hold line ends.
    size_t at = 0;
    while ((at = back.output.find("ok|", at)) != std::string::npos) {
        const size_t end = back.output.find("|end", at);
        if (end == std::string::npos) break;
        const std::string record = back.output.substr(at + 3, end - at - 3);
        const size_t first = record.find('|');
        const size_t second = first == std::string::npos ? first : record.find('|', first + 1);
        if (second != std::string::npos)
            back.values[record.substr(0, first)] = {record.substr(first + 1, second - first - 1),
                                                    record.substr(second + 1)};
        at = end + 4;
    }
    return back;
}

std::string MaskHandles(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '0' && i + 1 < text.size() && text[i + 1] == 'x') {
            size_t j = i + 2;
            while (j < text.size() && std::isxdigit(static_cast<unsigned char>(text[j]))) ++j;
            out += "0xH";
            i = j - 1;
            continue;
        }
        out += text[i];
    }
    return out;
}

}  // namespace spy::test
