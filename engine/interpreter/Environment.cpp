#include "Environment.h"

#include "Platform.h"

#include <vector>

namespace {

// Joins, splits at either separator, resolves "." and "..", and rebuilds
// the path with the platform's separator. The root part (a drive "C:",
// a leading separator, or "\\server") is kept as it is.
String Normalise(const String& path)
{
    const char sep = loom::platform::Separator();
    std::string p = path.str();
    for (char& c : p)
        if (c == '/' || c == '\\') c = sep;
    std::string root;
    size_t pos = 0;
    if (p.size() >= 2 && p[1] == ':') {
        root = p.substr(0, 2);
        pos = 2;
    }
    if (pos < p.size() && p[pos] == sep) {
        root += sep;
        ++pos;
        if (pos < p.size() && p[pos] == sep && root.size() == 1) {  // UNC path
            root += sep;
            ++pos;
        }
    }
    std::vector<std::string> parts;
    std::string part;
    auto flush = [&]() {
        if (part.empty() || part == ".") {
        } else if (part == "..") {
            if (!parts.empty() && parts.back() != "..") parts.pop_back();
            else if (root.empty()) parts.push_back(part);
        } else {
            parts.push_back(part);
        }
        part.clear();
    };
    for (; pos < p.size(); ++pos) {
        if (p[pos] == sep) flush();
        else part += p[pos];
    }
    flush();
    std::string out = root;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i) out += sep;
        out += parts[i];
    }
    if (out.empty()) out = ".";
    return String(out);
}

}  // namespace

CEnvironment::CEnvironment() : m_Cwd(loom::platform::CurrentDirectory()) {}

CStatus CEnvironment::GetAbsolutePath(const String& path, String& absolute) const
{
    String trimmed(path);
    trimmed.Trim();
    if (trimmed.IsEmpty()) return CStatus::MakeError("Empty path.");
    if (loom::platform::IsAbsolute(trimmed)) {
        absolute = Normalise(trimmed);
        return CStatus();
    }
#if defined(_WIN32)
    // "\dir" is relative to the current drive, which Normalise keeps as is.
#endif
    String joined = m_Cwd;
    joined += String(std::string(1, loom::platform::Separator()));
    joined += trimmed;
    absolute = Normalise(joined);
    return CStatus();
}

CStatus CEnvironment::SetCWD(const String& path)
{
    String absolute;
    CStatus status = GetAbsolutePath(path, absolute);
    if (!status) return status;
    if (!loom::platform::DirectoryExists(absolute))
        return CStatus::MakeError(String::Printf("Directory '%s' does not exist.", absolute.c_str()));
    m_Cwd = absolute;
    return CStatus();
}
