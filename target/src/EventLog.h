// The event log of KestrelTarget: every user-visible event becomes one line
// of KestrelTarget.log (while logging is on) and, when its category is in
// the echo mask, a message box.
#pragma once

#include "Handles.h"

#include <cstdint>
#include <string>

namespace kt {

// Category bits; every event carries exactly one of them.
enum Category : std::uint32_t {
    kMouse = 1,
    kControls = 2,
    kMisc = 4,
    kMoveSize = 8,
    kMenus = 16,
};

class EventLog {
public:
    static constexpr const char* kFileName = "KestrelTarget.log";
    static constexpr const char* kEchoCaption = "Kestrel Target Event";

    // The one log of the process.
    static EventLog& Instance();

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }

    std::uint32_t EchoMask() const { return echoMask_; }
    void SetEchoMask(std::uint32_t mask) { echoMask_ = mask; }
    void ToggleEcho(std::uint32_t bits) { echoMask_ ^= bits; }

    // Appends "name\n" to the file while enabled (opening it on first use,
    // which truncates an earlier file) and echoes the name in a message box
    // when the category is in the echo mask.
    void Log(const std::string& name, std::uint32_t category);

    // Closes the file; the next enabled event starts a new one.
    void Close() { file_.reset(); }

private:
    EventLog() = default;
    void Write(const std::string& line);

    bool enabled_ = false;
    std::uint32_t echoMask_ = 0;
    FileHandle file_;
};

// Shorthand for EventLog::Instance().Log(...).
inline void LogEvent(const std::string& name, std::uint32_t category) {
    EventLog::Instance().Log(name, category);
}

}  // namespace kt
