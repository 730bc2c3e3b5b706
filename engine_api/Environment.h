// The engine's working directory, path resolution and the counters of the
// errors and warnings the interpreter reported.
#pragma once

#include "Status.h"

class LOOM_API CEnvironment {
public:
    CEnvironment();

    const String& GetCWD() const { return m_Cwd; }
    // Changes the engine's directory (not the process's); the folder must
    // exist. A relative path is taken from the current one.
    CStatus SetCWD(const String& path);
    // Resolves path against the engine's directory and normalises its
    // separators and "." and ".." steps.
    CStatus GetAbsolutePath(const String& path, String& absolute) const;

    int GetErrCount() const { return m_Errors; }
    int GetWarnCount() const { return m_Warnings; }
    void CountError() { ++m_Errors; }
    void CountWarning() { ++m_Warnings; }
    void ResetCounts() { m_Errors = m_Warnings = 0; }
    void SetCounts(int errors, int warnings)
    {
        m_Errors = errors;
        m_Warnings = warnings;
    }

private:
    String m_Cwd;
    int m_Errors = 0;
    int m_Warnings = 0;
};
