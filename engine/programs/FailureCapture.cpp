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

std::string FailureCapture::CaptureScreen(const std::string& stem)
{
    if (!Enabled()) return std::string();
    const std::string path = FreePath(stem, "screen");
    // The engine's error and warning counts belong to the failing script;
    // the capture's own run must not change what it reads with
    // GetErrorCount.
    CEnvironment* environment = m_Engine.GetEnvironment();
    const int errors = environment->GetErrCount();
    const int warnings = environment->GetWarnCount();
    {
        loom::CScriptInterpreter capture(m_Engine, "(failure screenshot)");
        const std::string source = "bitmap screen = GetDesktopWindow().CaptureBitmap();\n"
                                   "screen.Save(" + Quoted(path) + ");\n";
        if (capture.Parse(source)) capture.Run();
    }
    environment->SetCounts(errors, warnings);
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        std::fprintf(stderr, "loom: warning: no screenshot of the failure could be saved as %s\n", path.c_str());
        return std::string();
    }
    return path;
}
