#include "ProcessJob.h"

#if defined(_WIN32)

#include <windows.h>
#include <tlhelp32.h>

#include <cstddef>
#include <cstring>
#include <map>

namespace {

// A process handle, closed at the end of the scope.
class ProcessHandle {
public:
    explicit ProcessHandle(HANDLE handle) : m_Handle(handle) {}
    ~ProcessHandle()
    {
        if (m_Handle) CloseHandle(m_Handle);
    }
    ProcessHandle(const ProcessHandle&) = delete;
    ProcessHandle& operator=(const ProcessHandle&) = delete;
    HANDLE get() const { return m_Handle; }

private:
    HANDLE m_Handle;
};

// Program file names by process id, from one snapshot of the system.
std::map<DWORD, std::string> ProcessNames()
{
    std::map<DWORD, std::string> names;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return names;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        names[entry.th32ProcessID] = entry.szExeFile;
    CloseHandle(snapshot);
    return names;
}

// WINE_DIFFERENCE: Wine starts the desktop's own process, explorer.exe
// /desktop, as a child of whichever process first needs the desktop window
// (after a spell without windows it ends, and comes again). Started from a
// script, it is in the script's job, but it belongs to the desktop: it is
// not the script's to end. (Asking for the desktop window in loom before
// it enters the job would avoid that, but makes Wine lose the first mouse
// click of later runs on the same desktop.)
bool IsWineDesktop(const std::string& program)
{
    static const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    if (!wine || program.size() != 12) return false;
    std::string lower;
    for (const char c : program) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower == "explorer.exe";
}

}  // namespace

ProcessJob::ProcessJob()
{
    HANDLE job = CreateJobObjectA(nullptr, nullptr);
    if (!job) {
        m_Problem = "cannot create a job object (error " + std::to_string(GetLastError()) + ")";
        return;
    }
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
        !AssignProcessToJobObject(job, GetCurrentProcess())) {
        // For example when loom already runs in a job that forbids nesting.
        m_Problem = "cannot put loom into a job object (error " + std::to_string(GetLastError()) + ")";
        CloseHandle(job);
        return;
    }
    m_Job = job;
}

ProcessJob::~ProcessJob()
{
    // The handle stays open: loom is in the job itself, and closing it
    // would end loom at once, with another exit status than its own. The
    // system closes it when loom exits, which ends whatever is left.
}

std::vector<ProcessJob::Process> ProcessJob::Strays() const
{
    std::vector<Process> strays;
    if (!m_Job) return strays;
    // The list's header and room for 1024 processes, read with memcpy: the
    // header declares an array of one element, and indexing past it would
    // let the compiler assume one id at most.
    constexpr size_t kRoom = 1024;
    const size_t first = offsetof(JOBOBJECT_BASIC_PROCESS_ID_LIST, ProcessIdList);
    std::vector<unsigned char> buffer(first + kRoom * sizeof(ULONG_PTR));
    JOBOBJECT_BASIC_PROCESS_ID_LIST header{};
    header.NumberOfAssignedProcesses = kRoom;
    std::memcpy(buffer.data(), &header, first);
    if (!QueryInformationJobObject(static_cast<HANDLE>(m_Job), JobObjectBasicProcessIdList, buffer.data(),
                                   static_cast<DWORD>(buffer.size()), nullptr))
        return strays;
    std::memcpy(&header, buffer.data(), first);
    const DWORD self = GetCurrentProcessId();
    std::map<DWORD, std::string> names;
    for (DWORD i = 0; i < header.NumberOfProcessIdsInList && i < kRoom; ++i) {
        ULONG_PTR listed = 0;
        std::memcpy(&listed, buffer.data() + first + i * sizeof(ULONG_PTR), sizeof listed);
        const DWORD id = static_cast<DWORD>(listed);
        if (id == self) continue;
        // A process that has ended may still be listed for a moment.
        ProcessHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
        if (!process.get() || WaitForSingleObject(process.get(), 0) != WAIT_TIMEOUT) continue;
        if (names.empty()) names = ProcessNames();
        const auto name = names.find(id);
        const std::string program = name != names.end() ? name->second : std::string("process");
        if (IsWineDesktop(program)) continue;
        strays.push_back({id, program});
    }
    return strays;
}

std::vector<ProcessJob::Process> ProcessJob::EndStrays()
{
    std::vector<Process> ended = Strays();
    for (const Process& p : ended) {
        ProcessHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, p.id));
        if (!process.get()) continue;
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), 5000);
    }
    return ended;
}

#else

ProcessJob::ProcessJob() : m_Problem("no job objects on this system") {}
ProcessJob::~ProcessJob() = default;
std::vector<ProcessJob::Process> ProcessJob::Strays() const { return {}; }
std::vector<ProcessJob::Process> ProcessJob::EndStrays() { return {}; }

#endif
