// Screenshots of a failing script, taken through the packages loom loads
// (the engine itself knows no windows): a small script of its own asks the
// automation package for the desktop window's image and the standard
// package saves it as PNG. Without those packages (a build for the host)
// nothing is captured.
#pragma once

#include <string>

class CEngine;

class FailureCapture {
public:
    // Files go into `folder`; an empty folder captures nothing.
    FailureCapture(CEngine& engine, std::string folder);

    bool Enabled() const { return !m_Folder.empty() && m_Available; }

    // The whole screen as FOLDER/STEM-screen.png (STEM-screen-2.png and so
    // on when that is taken); the file's absolute path, or empty when the
    // capture failed (which is said on standard error).
    std::string CaptureScreen(const std::string& stem);

    // The window an error message names ("Window 'TEXT' (class 'CLASS')" or
    // "(Class='CLASS', Tag='TAG')"), when it exists, as STEM-window.png;
    // empty when the message names none or it does not exist.
    std::string CaptureNamedWindow(const std::string& stem, const std::string& message);

    // The tag and class a message names; false when it names no window.
    static bool NamedWindow(const std::string& message, std::string& tag, std::string& windowClass);

private:
    std::string FreePath(const std::string& stem, const std::string& what) const;
    // Runs a capture script that should leave `path`; whether it did.
    bool RunCapture(const std::string& source, const std::string& path);

    CEngine& m_Engine;
    std::string m_Folder;
    bool m_Available = false;
};
