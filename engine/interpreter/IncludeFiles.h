// The scripts a script includes (`include "path";`): each path is relative
// to the file that names it, each file is read once, and a file that
// includes itself, directly or through others, is an error. Included files
// are numbered in the Diagnostics, so that reports name them.
#pragma once

#include "InternalVisibility.h"

#include "Diagnostics.h"
#include "Parser.h"

#include <string>
#include <vector>

LOOM_INTERNAL_BEGIN
namespace loom {

class IncludeFiles : public IncludeLoader {
public:
    // mainPath: where the script itself is, for the paths it includes.
    IncludeFiles(Diagnostics& diagnostics, const std::string& mainPath);

    Result Open(const std::string& path, int fromLine, std::string& source, int& lineBase,
                std::string& message) override;
    void Close() override;
    std::string Where(int line) const override { return m_Diagnostics.Where(line); }

private:
    Diagnostics& m_Diagnostics;
    std::vector<std::string> m_Paths;  // full paths by file number
    std::vector<int> m_Open;           // the files being read, outermost first
};

}  // namespace loom
LOOM_INTERNAL_END
