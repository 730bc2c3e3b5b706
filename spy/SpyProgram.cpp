#include "SpyProgram.h"

#include "DecWriter.h"
#include "ResponseBound.h"
#include "StartedProgram.h"
#include "TreePrinter.h"
#include "WindowReader.h"

#include "BoundedWait.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace spy {

namespace {

struct Candidates {
    const SpyOptions* options;
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND wnd, LPARAM param)
{
    auto* candidates = reinterpret_cast<Candidates*>(param);
    if (!IsWindowVisible(wnd)) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == GetCurrentProcessId()) return TRUE;
    if (candidates->pid && pid != candidates->pid) return TRUE;
    // The caption the system keeps: a hung window costs no wait here.
    if (MatchesSelection(*candidates->options, WindowReader::ClassOf(wnd), squire::StoredWindowText(wnd).str()))
        candidates->found.push_back(wnd);
    return TRUE;
}

void Error(const std::string& message)
{
    std::fprintf(stderr, "KestrelSpy: error: %s\n", message.c_str());
}

void Progress(const std::string& message)
{
    std::fprintf(stderr, "KestrelSpy: %s\n", message.c_str());
    std::fflush(stderr);
}

}  // namespace

std::string SpyProgram::SelectionText() const
{
    switch (m_Options.select) {
    case SpyOptions::Select::Title: return "--title '" + m_Options.title + "'";
    case SpyOptions::Select::Class: return "--class '" + m_Options.className + "'";
    case SpyOptions::Select::Pid: return "--pid " + std::to_string(m_Options.pid);
    case SpyOptions::Select::All: return "--all";
    default: return "the program started with --run";
    }
}

std::vector<HWND> SpyProgram::Select(DWORD runPid) const
{
    Candidates candidates{&m_Options, 0, {}};
    if (m_Options.select == SpyOptions::Select::Pid) candidates.pid = m_Options.pid;
    else if (m_Options.select == SpyOptions::Select::None) candidates.pid = runPid;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&candidates));
    // A fixed order, so that two runs on the same windows write the same file.
    std::vector<std::pair<std::string, HWND>> keyed;
    for (HWND wnd : candidates.found)
        keyed.push_back({WindowReader::ClassOf(wnd) + '\n' + squire::StoredWindowText(wnd).str(), wnd});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<HWND> windows;
    for (const auto& entry : keyed) windows.push_back(entry.second);
    return windows;
}

std::vector<HWND> SpyProgram::WaitForSelection(DWORD runPid, StartedProgram& program, std::string& error) const
{
    constexpr int kPaceMs = 50;
    const int bound = static_cast<int>(m_Options.waitSeconds * 1000);
    const DWORD start = GetTickCount();
    bool told = false;
    bool ended = false;
    std::vector<HWND> windows;
    loom::WaitUntil(
        [&] {
            windows = Select(runPid);
            if (!windows.empty()) return true;
            if (!program.Running()) return ended = true;
            if (!told && GetTickCount() - start >= 2000) {
                Progress("waiting for a window of '" + m_Options.run + "'...");
                told = true;
            }
            return false;
        },
        bound, kPaceMs);
    if (!windows.empty()) return windows;
    if (ended) {
        error = "'" + m_Options.run + "' ended without showing a window";
        return {};
    }
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%g", m_Options.waitSeconds);
    error = "'" + m_Options.run + "' showed no window matching " + SelectionText() + " within " + seconds + " s";
    return {};
}

int SpyProgram::Tree(const std::vector<HWND>& windows)
{
    WindowReader reader(m_Options.itemLimit);
    for (HWND wnd : windows) {
        WindowNode top;
        std::string error;
        if (!reader.Read(wnd, top, error)) {
            Error(error);
            return 1;
        }
        std::fputs(TreePrinter::Print(top, m_Options.itemLimit).c_str(), stdout);
    }
    std::fflush(stdout);
    return 0;
}

int SpyProgram::Out(const std::vector<HWND>& windows)
{
    // Items are not declared: none are read.
    WindowReader reader(0);
    DecWriter writer;
    for (HWND wnd : windows) {
        Progress("reading " + DescribeWindow(wnd));
        WindowNode top;
        std::string error;
        if (!reader.Read(wnd, top, error)) {
            Error(error);
            return 1;
        }
        writer.Add(top);
    }
    for (const std::string& note : writer.Skipped()) std::fprintf(stderr, "KestrelSpy: note: %s\n", note.c_str());
    if (writer.Text().empty()) {
        Error("no declaration could be written for " + SelectionText());
        return 1;
    }
    std::ofstream file(m_Options.outPath, std::ios::binary | std::ios::trunc);
    if (!file) {
        Error("cannot write '" + m_Options.outPath + "': " + SystemMessage(GetLastError()));
        return 1;
    }
    file << writer.Text();
    file.close();
    if (!file) {
        Error("cannot write '" + m_Options.outPath + "'");
        return 1;
    }
    Progress("wrote " + m_Options.outPath);
    return 0;
}

int SpyProgram::At()
{
    const POINT point{m_Options.atX, m_Options.atY};
    HWND wnd = WindowFromPoint(point);
    if (!wnd) {
        Error("no window at " + std::to_string(point.x) + "," + std::to_string(point.y));
        return 1;
    }
    // A disabled or hidden child is skipped by WindowFromPoint: look below
    // the window it found for the deepest child at the point.
    for (;;) {
        POINT client = point;
        ScreenToClient(wnd, &client);
        HWND inner = ChildWindowFromPointEx(wnd, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!inner || inner == wnd) break;
        wnd = inner;
    }
    std::vector<HWND> chain;
    for (HWND level = wnd; level; level = (GetWindowLongPtrA(level, GWL_STYLE) & WS_CHILD) ? GetParent(level) : nullptr)
        chain.insert(chain.begin(), level);
    HWND top = chain.front();
    std::vector<WindowNode> nodes(chain.size());
    for (size_t i = 0; i < chain.size(); ++i) WindowReader::ReadOne(chain[i], top, nodes[i]);
    std::printf("window at %ld,%ld and its ancestors:\n", point.x, point.y);
    for (size_t i = 0; i < nodes.size(); ++i)
        std::printf("%s%s\n", std::string(i * 3, ' ').c_str(), TreePrinter::WindowLine(nodes[i]).c_str());
    // The declarations of exactly this path.
    for (size_t i = nodes.size() - 1; i > 0; --i) nodes[i - 1].children.push_back(nodes[i]);
    DecWriter writer;
    writer.Add(nodes.front());
    std::printf("declarations that find it:\n%s", writer.Text().c_str());
    for (const std::string& note : writer.Skipped()) std::fprintf(stderr, "KestrelSpy: note: %s\n", note.c_str());
    std::fflush(stdout);
    return IsWindow(wnd) ? 0 : (Error(DescribeWindow(wnd) + " disappeared while it was read"), 1);
}

int SpyProgram::Run(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::fputs(SpyUsage(), stdout);
            return 0;
        }
    }
    std::string error;
    if (!ParseSpyOptions(args, m_Options, error)) {
        Error(error);
        std::fputs(SpyUsage(), stderr);
        return 2;
    }
    StartedProgram program;
    if (m_Options.keep) program.Keep();
    std::vector<HWND> windows;
    if (!m_Options.run.empty()) {
        if (!program.Start(m_Options.run, error)) {
            Error(error);
            return 1;
        }
        windows = WaitForSelection(program.Pid(), program, error);
        if (windows.empty()) {
            Error(error);
            return 1;
        }
    }
    if (m_Options.action == SpyOptions::Action::At) return At();
    if (windows.empty()) windows = Select(0);
    if (windows.empty()) {
        Error("no window matches " + SelectionText());
        return 1;
    }
    return m_Options.action == SpyOptions::Action::Tree ? Tree(windows) : Out(windows);
}

}  // namespace spy
