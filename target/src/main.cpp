// KestrelTarget: the application automation scripts are exercised against.
//
// Command line: "/log" (or "-log") starts with the event log switched on;
// without it logging starts off, as a user would find it.
#include "ChildWindow.h"
#include "EventLog.h"
#include "MainFrame.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

bool HasSwitch(const char* commandLine, const char* name) {
    std::string line = commandLine ? commandLine : "";
    size_t pos = 0;
    while ((pos = line.find(name, pos)) != std::string::npos) {
        bool startsWord = pos > 0 && (line[pos - 1] == '/' || line[pos - 1] == '-') &&
                          (pos == 1 || line[pos - 2] == ' ' || line[pos - 2] == '\t');
        size_t end = pos + std::strlen(name);
        bool endsWord = end == line.size() || line[end] == ' ' || line[end] == '\t';
        if (startsWord && endsWord) return true;
        pos = end;
    }
    return false;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    kt::MainFrame frame;
    if (!frame.Create(instance)) return 1;
    if (HasSwitch(commandLine, "log")) kt::EventLog::Instance().SetEnabled(true);
    frame.Show(showCommand);
    return frame.Run();
}
