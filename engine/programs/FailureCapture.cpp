#include "FailureCapture.h"

#include "Loom.h"
#include "ScriptInterpreter.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A string constant of the script language: backslashes and quotes escaped.
std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

}  // namespace

FailureCapture::FailureCapture(CEngine& engine, std::string folder) : m_Engine(engine), m_Folder(std::move(folder))
{
    m_Available = engine.FindFunctions(String("GetDesktopWindow")) != nullptr;
}

std::string FailureCapture::FreePath(const std::string& stem, const std::string& what) const
{
    std::error_code ec;
    fs::path path = fs::absolute(fs::path(m_Folder) / (stem + "-" + what + ".png"), ec);
    for (int n = 2; fs::exists(path, ec); ++n)
        path = fs::absolute(fs::path(m_Folder) / (stem + "-" + what + "-" + std::to_string(n) + ".png"), ec);
    // Forward slashes: no escapes needed in the capture script, and Windows
    // takes them as well.
    return path.lexically_normal().generic_string();
}

bool FailureCapture::RunCapture(const std::string& source, const std::string& path)
{
    // The engine's error and warning counts belong to the failing script;
    // the capture's own run must not change what it reads with
    // GetErrorCount.
    CEnvironment* environment = m_Engine.GetEnvironment();
    const int errors = environment->GetErrCount();
    const int warnings = environment->GetWarnCount();
    {
        loom::CScriptInterpreter capture(m_Engine, "(failure screenshot)");
        if (capture.Parse(source)) capture.Run();
    }
    environment->SetCounts(errors, warnings);
    std::error_code ec;
    return fs::exists(path, ec);
}

std::string FailureCapture::CaptureScreen(const std::string& stem)
{
    if (!Enabled()) return std::string();
    const std::string path = FreePath(stem, "screen");
    if (!RunCapture("bitmap screen = GetDesktopWindow().CaptureBitmap();\nscreen.Save(" + Quoted(path) + ");\n", path)) {
        std::fprintf(stderr, "loom: warning: no screenshot of the failure could be saved as %s\n", path.c_str());
        return std::string();
    }
    return path;
}

bool FailureCapture::NamedWindow(const std::string& message, std::string& tag, std::string& windowClass)
{
    // "Window 'TEXT' (class 'CLASS')"
    const std::string window = "Window '";
    const size_t at = message.find(window);
    if (at == std::string::npos) return false;
    const size_t textEnd = message.find("' (class '", at + window.size());
    if (textEnd != std::string::npos) {
        const size_t classStart = textEnd + 10;
        const size_t classEnd = message.find("')", classStart);
        if (classEnd == std::string::npos) return false;
        tag = message.substr(at + window.size(), textEnd - at - window.size());
        windowClass = message.substr(classStart, classEnd - classStart);
        return !windowClass.empty();
    }
    // "(Class='CLASS', Tag='TAG')"
    const size_t classAt = message.find("(Class='", at);
    const size_t tagAt = message.find("', Tag='", classAt);
    const size_t tagEnd = message.find("')", tagAt == std::string::npos ? tagAt : tagAt + 8);
    if (classAt == std::string::npos || tagAt == std::string::npos || tagEnd == std::string::npos) return false;
    windowClass = message.substr(classAt + 8, tagAt - classAt - 8);
    tag = message.substr(tagAt + 8, tagEnd - tagAt - 8);
    return !windowClass.empty();
}

std::string FailureCapture::CaptureNamedWindow(const std::string& stem, const std::string& message)
{
    // A window the error says was not found is not looked for again (the
    // lookup would only wait its time-out once more).
    std::string tag, windowClass;
    if (!Enabled() || message.find(" not found ") != std::string::npos || !NamedWindow(message, tag, windowClass))
        return std::string();
    const std::string path = FreePath(stem, "window");
    const std::string source = "window named = MainWin(" + Quoted(tag) + ", " + Quoted(windowClass) + ");\n"
                               "if (Exists(named)) { bitmap image = named.CaptureBitmap(); image.Save(" +
                               Quoted(path) + "); }\n";
    return RunCapture(source, path) ? path : std::string();
}
