#include "SystemFunctions.h"

#include "ResponseBound.h"

#include "ClassWindow.h"
#include "ProcessStart.h"
#include "ScriptPaths.h"
#include "SystemHandles.h"

#include <mmsystem.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace kestrel {

void CallGetProcessID(SSI_FunctionAPI& call)
{
    ReturnInt(call, static_cast<int>(GetCurrentProcessId()));
}

void CallKillProcess(SSI_FunctionAPI& call)
{
    int id = 0;
    if (!ReadInt(call, 0, id))
        return;
    // The script's own process is refused: terminating it would end the
    // runner in the middle of the script.
    if (static_cast<DWORD>(id) == GetCurrentProcessId()) {
        ReturnBool(call, false);
        return;
    }
    // Termination runs on after TerminateProcess returns, and the process's
    // windows stay until it is done: wait (within the response bound) until
    // it has ended, so that the script's next call no longer sees them.
    HANDLE opened = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
    if (!opened)
        opened = OpenProcess(PROCESS_TERMINATE, FALSE, static_cast<DWORD>(id));
    KernelHandle process(opened);
    const bool killed = process && TerminateProcess(process.Get(), 0) != 0;
    if (killed)
        WaitForSingleObject(process.Get(), squire::ResponseTimeoutMs());
    ReturnBool(call, killed);
}

void CallGetClipboardText(SSI_FunctionAPI& call)
{
    String text;
    ClipboardSession clipboard;
    if (clipboard.IsOpen()) {
        GlobalLockGuard lock(GetClipboardData(CF_TEXT));
        if (lock.Get())
            text = String(static_cast<const char*>(lock.Get()));
    }
    ReturnString(call, text);
}

void CallSetClipboardText(SSI_FunctionAPI& call)
{
    String text;
    if (!ReadString(call, 0, text))
        return;
    ClipboardSession clipboard;
    if (!clipboard.IsOpen())
        return;
    EmptyClipboard();
    const SIZE_T bytes = static_cast<SIZE_T>(text.GetLength()) + 1;
    GlobalMemory memory(GMEM_DDESHARE, bytes);
    {
        GlobalLockGuard lock(memory.Get());
        if (!lock.Get())
            return;
        std::memcpy(lock.Get(), text.c_str(), bytes);
    }
    // The clipboard owns the memory once it has accepted it.
    if (SetClipboardData(CF_TEXT, memory.Get()))
        memory.Release();
}

void CallPlaySound(SSI_FunctionAPI& call)
{
    String path, absolute;
    if (!ReadString(call, 0, path))
        return;
    call.m_ReturnStatus = AbsolutePath(call, path, absolute);
    if (!call.m_ReturnStatus)
        return;
    const bool started = PlaySoundA(absolute.c_str(), nullptr, SND_FILENAME | SND_ASYNC) != 0;
    ReturnBool(call, started);
}

void CallSystem(SSI_FunctionAPI& call)
{
    String command, absolute;
    if (!ReadString(call, 0, command))
        return;
    call.m_ReturnStatus = AbsoluteCommand(call, command, absolute);
    if (!call.m_ReturnStatus)
        return;
    ProgramStart start;
    start.commandLine = absolute.str();
    start.boundMs = CDataWindow::LookupTimeoutMs();
    PROCESS_INFORMATION info{};
    if (!StartProgram(start, info)) {
        call.m_ReturnStatus.Format(CStatus::Error, "System command '%s' failed", absolute.c_str());
        return;
    }
    KernelHandle process(info.hProcess);
    KernelHandle thread(info.hThread);
    // The program keeps running; it gets half a second to start.
    ::Sleep(500);
}

namespace {

// The command interpreter's command line for `command`, as the C library's
// system() makes it.
std::string InterpreterLine(const String& command)
{
    const char* comspec = std::getenv("COMSPEC");
    return std::string(comspec && *comspec ? comspec : "cmd.exe") + " /c " + command.str();
}

}  // namespace

namespace {

// Starts the command line through the command interpreter, with the
// script's standard handles (as the C library's system() does); false when
// the interpreter cannot be started.
bool StartInterpreter(SSI_FunctionAPI& call, const String& command, PROCESS_INFORMATION& info)
{
    String absolute;
    call.m_ReturnStatus = AbsoluteCommand(call, command, absolute);
    if (!call.m_ReturnStatus)
        return false;
    // The command writes where the script writes, as under system().
    STARTUPINFOA handles{};
    handles.cb = sizeof handles;
    handles.dwFlags = STARTF_USESTDHANDLES;
    handles.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    handles.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    handles.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    ProgramStart start;
    start.commandLine = InterpreterLine(absolute);
    start.startup = &handles;
    start.boundMs = CDataWindow::LookupTimeoutMs();
    return StartProgram(start, info);
}

}  // namespace

void CallRun(SSI_FunctionAPI& call)
{
    String command;
    if (!ReadString(call, 0, command))
        return;
    PROCESS_INFORMATION info{};
    if (!StartInterpreter(call, command, info)) {
        if (call.m_ReturnStatus)
            call.m_ReturnStatus = CStatus::MakeError("Run: System command interpreter not found. (K00254)");
        return;
    }
    KernelHandle process(info.hProcess);
    KernelHandle thread(info.hThread);
    // True once the interpreter has run the command, whatever the command's
    // own exit code (RunWait gives that).
    WaitForSingleObject(process.Get(), INFINITE);
    ReturnBool(call, true);
}

void CallRunWait(SSI_FunctionAPI& call)
{
    String command;
    if (!ReadString(call, 0, command))
        return;
    PROCESS_INFORMATION info{};
    if (!StartInterpreter(call, command, info)) {
        // Not started: -1, and no error of its own (the answer says it).
        if (call.m_ReturnStatus)
            ReturnInt(call, -1);
        return;
    }
    KernelHandle process(info.hProcess);
    KernelHandle thread(info.hThread);
    WaitForSingleObject(process.Get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.Get(), &code);
    ReturnInt(call, static_cast<int>(code));
}

void CallStartProgram(SSI_FunctionAPI& call)
{
    String command, absolute;
    if (!ReadString(call, 0, command))
        return;
    ReturnInt(call, -1);
    call.m_ReturnStatus = AbsoluteCommand(call, command, absolute);
    if (!call.m_ReturnStatus)
        return;
    ProgramStart start;
    start.commandLine = absolute.str();
    start.boundMs = CDataWindow::LookupTimeoutMs();
    PROCESS_INFORMATION info{};
    DWORD error = 0;
    if (!StartProgram(start, info, &error)) {
        call.m_ReturnStatus.Format(CStatus::Error, "StartProgram could not start '%s': system error %lu. (K00637)",
                                   absolute.c_str(), static_cast<unsigned long>(error));
        return;
    }
    KernelHandle process(info.hProcess);
    KernelHandle thread(info.hThread);
    ReturnInt(call, static_cast<int>(info.dwProcessId));
}

namespace {

// The process with this id while it runs; null when there is none or it
// has ended.
HANDLE OpenRunning(int pid)
{
    if (pid <= 0)
        return nullptr;
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (!process)
        return nullptr;
    DWORD code = 0;
    if (!GetExitCodeProcess(process, &code) || code != STILL_ACTIVE) {
        CloseHandle(process);
        return nullptr;
    }
    return process;
}

}  // namespace

void CallProcessExists(SSI_FunctionAPI& call)
{
    int pid = 0;
    if (!ReadInt(call, 0, pid))
        return;
    KernelHandle process(OpenRunning(pid));
    ReturnBool(call, static_cast<bool>(process));
}

void CallWaitForProcessExit(SSI_FunctionAPI& call)
{
    int pid = 0;
    double seconds = 0;
    if (!ReadInt(call, 0, pid) || !ReadReal(call, 1, seconds))
        return;
    if (!(seconds >= 0) || seconds > 86400) {
        call.m_ReturnStatus.Format(CStatus::Error,
                                   "WaitForProcessExit needs a bound from 0 to 86400 seconds: %g. (K00638)", seconds);
        return;
    }
    KernelHandle process(OpenRunning(pid));
    // One that is not running has exited already.
    const bool ended = !process || WaitForSingleObject(process.Get(), static_cast<DWORD>(seconds * 1000)) ==
                                       WAIT_OBJECT_0;
    ReturnBool(call, ended);
}

void CallGetMachineName(SSI_FunctionAPI& call)
{
    std::vector<char> buffer(4096, '\0');
    DWORD size = static_cast<DWORD>(buffer.size());
    if (!GetComputerNameA(buffer.data(), &size)) {
        call.m_ReturnStatus = CStatus::MakeError("Could not get machine name. (K00520)");
        return;
    }
    ReturnString(call, String(buffer.data()));
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallGetUserName(SSI_FunctionAPI& call)
{
    std::vector<char> buffer(4096, '\0');
    DWORD size = static_cast<DWORD>(buffer.size());
    if (GetUserNameA(buffer.data(), &size))
        ReturnString(call, String(buffer.data()));
    call.m_ReturnStatus = CStatus::MakeOK();
}

}  // namespace kestrel
