// DesktopProbe: one half of the test that two desktops are isolated.
// Usage: DesktopProbe FOLDER NAME PARTNER
// Starts a KestrelTarget of its own, writes FOLDER\NAME.ready and waits for
// FOLDER\PARTNER.ready, so that both halves run at the same time. Then it
// closes every KestrelTarget frame it finds, as a test that cleans up a
// shared desktop would, and checks that it found exactly one: its own. It
// writes FOLDER\NAME.done and waits for the partner's before it ends, so
// that neither half ends before the other has looked. On one shared
// desktop each half finds two frames and closes the other's.
// Exit status: 0 isolated, 1 not, 2 usage or a half that did not come.
#include "TargetProcess.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using kt::test::TargetProcess;
using kt::test::WaitFor;

constexpr int kPartnerTimeoutMs = 120000;

BOOL CALLBACK CollectFrame(HWND hwnd, LPARAM param)
{
    char name[64] = {};
    GetClassNameA(hwnd, name, sizeof name);
    if (std::string(name) == "KestrelTargetFrame") reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

bool Touch(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Linux paths from the driver name files on drive Z:.
std::string WindowsPath(const std::string& path) { return !path.empty() && path[0] == '/' ? "Z:" + path : path; }

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: DesktopProbe FOLDER NAME PARTNER\n");
        return 2;
    }
    const std::string folder = WindowsPath(argv[1]);
    const std::string name = argv[2];
    const std::string partner = argv[3];

    TargetProcess target("");
    if (!Touch(folder + "\\" + name + ".ready")) {
        std::fprintf(stderr, "%s: cannot write to %s\n", name.c_str(), folder.c_str());
        return 2;
    }
    if (!WaitFor([&] { return Exists(folder + "\\" + partner + ".ready"); }, kPartnerTimeoutMs)) {
        std::fprintf(stderr, "%s: %s did not start within %d s\n", name.c_str(), partner.c_str(),
                     kPartnerTimeoutMs / 1000);
        return 2;
    }

    std::vector<HWND> frames;
    EnumWindows(&CollectFrame, reinterpret_cast<LPARAM>(&frames));
    for (HWND frame : frames) PostMessageA(frame, WM_CLOSE, 0, 0);
    const bool ownClosed = WaitFor([&] { return !target.Running(); });
    std::printf("%s: found %zu KestrelTarget frame(s); its own %s\n", name.c_str(), frames.size(),
                ownClosed ? "closed" : "still open");

    Touch(folder + "\\" + name + ".done");
    WaitFor([&] { return Exists(folder + "\\" + partner + ".done"); }, kPartnerTimeoutMs);
    return frames.size() == 1 && frames[0] == target.frame() && ownClosed ? 0 : 1;
}
