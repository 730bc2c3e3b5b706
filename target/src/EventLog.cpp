#include "EventLog.h"

namespace kt {

EventLog& EventLog::Instance() {
    static EventLog log;
    return log;
}

void EventLog::Log(const std::string& name, std::uint32_t category) {
    if (enabled_) Write(name + "\n");
    if (category & echoMask_) {
        // Owned by the active window of this thread (a modal dialog when one
        // is open), so closing the box re-enables only what it disabled.
        MessageBoxA(GetActiveWindow(), name.c_str(), kEchoCaption, MB_OK);
    }
}

void EventLog::Write(const std::string& line) {
    if (!file_) {
        // Truncates any earlier log; no sharing restriction so that tests and
        // scripts can read the file while the program runs. A failed open
        // leaves logging silent until the next event tries again.
        file_.reset(CreateFileA(kFileName, GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file_) return;
    }
    DWORD written = 0;
    WriteFile(file_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    FlushFileBuffers(file_.get());
}

}  // namespace kt
