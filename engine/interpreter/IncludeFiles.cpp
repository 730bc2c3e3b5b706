#include "IncludeFiles.h"

#include <algorithm>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace loom {

namespace {

// Files beyond this number would not fit in a line number.
constexpr int kMaxFiles = (1 << (31 - kFileLineBits)) - 1;

std::string FullPath(const fs::path& path)
{
    std::error_code ec;
    fs::path full = fs::weakly_canonical(fs::absolute(path, ec), ec);
    if (ec) full = fs::absolute(path, ec).lexically_normal();
    return full.generic_string();
}

}  // namespace

IncludeFiles::IncludeFiles(Diagnostics& diagnostics, const std::string& mainPath)
    : m_Diagnostics(diagnostics), m_Paths{FullPath(mainPath)}, m_Open{0}
{
}

IncludeLoader::Result IncludeFiles::Open(const std::string& path, int fromLine, std::string& source, int& lineBase,
                                         std::string& message)
{
    const int from = FileOfLine(fromLine);
    const std::string full = FullPath(fs::path(m_Paths[static_cast<size_t>(from)]).parent_path() / fs::path(path));
    for (const int open : m_Open) {
        if (m_Paths[static_cast<size_t>(open)] == full) {
            message = "'" + path + "' includes itself (" + m_Diagnostics.FileOf(open << kFileLineBits) +
                      " is being read)";
            return Result::Error;
        }
    }
    for (const std::string& done : m_Paths) {
        if (done == full) return Result::Skip;
    }
    std::ifstream in(fs::path(full), std::ios::binary);
    std::ostringstream text;
    if (!in || !(text << in.rdbuf())) {
        message = "cannot read the included file '" + path + "'";
        return Result::Error;
    }
    if (static_cast<int>(m_Paths.size()) >= kMaxFiles) {
        message = "too many included files";
        return Result::Error;
    }
    // Reports name the file by the path from the script's own folder, with
    // the separators the script's own name has, so every name of one run
    // is written one way.
    std::string shown =
        (fs::path(m_Diagnostics.FileOf(fromLine)).parent_path() / fs::path(path)).lexically_normal().generic_string();
    if (m_Diagnostics.FileName().find('\\') != std::string::npos) std::replace(shown.begin(), shown.end(), '/', '\\');
    const int number = m_Diagnostics.AddFile(shown);
    m_Paths.push_back(full);
    m_Open.push_back(number);
    source = text.str();
    lineBase = number << kFileLineBits;
    return Result::Load;
}

void IncludeFiles::Close()
{
    if (m_Open.size() > 1) m_Open.pop_back();
}

}  // namespace loom
