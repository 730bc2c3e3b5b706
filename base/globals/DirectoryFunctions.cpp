#include "DirectoryFunctions.h"

#include "ScriptPaths.h"
#include "SystemHandles.h"

#include <shellapi.h>

#include <vector>

namespace kestrel {

namespace {

// Two string parameters, or an internal error in the call's status.
bool TwoStrings(SSI_FunctionAPI& call, String& first, String& second)
{
    return ReadString(call, 0, first) && ReadString(call, 1, second);
}

// A shell path list of one path: the path followed by two zero bytes.
std::vector<char> PathList(const String& path)
{
    std::vector<char> list(static_cast<size_t>(path.GetLength()) + 2, '\0');
    std::copy(path.c_str(), path.c_str() + path.GetLength(), list.begin());
    return list;
}

int ShellOperation(UINT operation, const String& from, const String* to, FILEOP_FLAGS flags)
{
    std::vector<char> fromList = PathList(from);
    std::vector<char> toList = to ? PathList(*to) : std::vector<char>(2, '\0');
    SHFILEOPSTRUCTA op = {};
    op.hwnd = nullptr;
    op.wFunc = operation;
    op.pFrom = fromList.data();
    op.pTo = to ? toList.data() : nullptr;
    op.fFlags = flags;
    return SHFileOperationA(&op);
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

}  // namespace

bool IsProtectedPath(const String& path, const String& absolute)
{
    String blank(path);
    if (blank.Trim().IsEmpty())
        return true;
    std::string p = absolute.str();
    while (!p.empty() && IsSeparator(p.back()))
        p.pop_back();
    if (p.empty())
        return true;  // "\" : the root of the current drive
    if (p.size() == 2 && p[1] == ':')
        return true;  // "C:" or "C:\"
    if (p.size() > 2 && IsSeparator(p[0]) && IsSeparator(p[1])) {
        // "\\server" and "\\server\share" are roots; deeper paths are not.
        size_t separators = 0;
        for (size_t i = 2; i < p.size(); ++i)
            if (IsSeparator(p[i]))
                ++separators;
        if (separators <= 1)
            return true;
    }
    return false;
}

void CallGetCurrentDir(SSI_FunctionAPI& call)
{
    if (!call.m_Engine) {
        call.m_ReturnStatus = InternalError(__LINE__);
        return;
    }
    ReturnString(call, call.m_Engine->GetEnvironment()->GetCWD());
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallChangeDir(SSI_FunctionAPI& call)
{
    String path;
    if (!ReadString(call, 0, path))
        return;
    if (!call.m_Engine) {
        call.m_ReturnStatus = InternalError(__LINE__);
        return;
    }
    // The path goes to the environment as the script wrote it.
    call.m_ReturnStatus = call.m_Engine->GetEnvironment()->SetCWD(path);
    if (call.m_ReturnStatus)
        call.m_ReturnStatus = CStatus::MakeOK();
}

void CallMakeDir(SSI_FunctionAPI& call)
{
    String path, absolute;
    if (!ReadString(call, 0, path))
        return;
    call.m_ReturnStatus = AbsolutePath(call, path, absolute);
    if (!call.m_ReturnStatus)
        return;
    ReturnBool(call, CreateDirectoryA(absolute.c_str(), nullptr) != 0);
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallGetDirContents(SSI_FunctionAPI& call)
{
    String pattern, separator, absolute;
    if (!TwoStrings(call, pattern, separator))
        return;
    call.m_ReturnStatus = AbsolutePath(call, pattern, absolute);
    if (!call.m_ReturnStatus)
        return;
    WIN32_FIND_DATAA found;
    FindHandle search(FindFirstFileA(absolute.c_str(), &found));
    if (!search) {
        call.m_ReturnStatus.Format(CStatus::Error,
                                   "Failed to find file in '%s'. Possibly missing file filter. (K00521)",
                                   absolute.c_str());
        return;
    }
    String names(found.cFileName);
    while (FindNextFileA(search.Get(), &found)) {
        names += separator;
        names += found.cFileName;
    }
    ReturnString(call, names);
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallCopy(SSI_FunctionAPI& call)
{
    String source, target, absoluteSource, absoluteTarget;
    if (!TwoStrings(call, source, target))
        return;
    call.m_ReturnStatus = AbsolutePath(call, source, absoluteSource);
    if (!call.m_ReturnStatus)
        return;
    call.m_ReturnStatus = AbsolutePath(call, target, absoluteTarget);
    if (!call.m_ReturnStatus)
        return;
    const FILEOP_FLAGS flags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_FILESONLY | FOF_NOCONFIRMMKDIR;
    ReturnBool(call, ShellOperation(FO_COPY, absoluteSource, &absoluteTarget, flags) == 0);
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallDelete(SSI_FunctionAPI& call)
{
    String path, absolute;
    if (!ReadString(call, 0, path))
        return;
    // An empty path would resolve to the engine's current directory.
    if (path.Trim().IsEmpty()) {
        ReturnBool(call, false);
        call.m_ReturnStatus = CStatus::MakeOK();
        return;
    }
    call.m_ReturnStatus = AbsolutePath(call, path, absolute);
    if (!call.m_ReturnStatus)
        return;
    bool deleted = false;
    if (!IsProtectedPath(path, absolute))
        deleted = ShellOperation(FO_DELETE, absolute, nullptr, FOF_SILENT | FOF_NOCONFIRMATION) == 0;
    ReturnBool(call, deleted);
    call.m_ReturnStatus = CStatus::MakeOK();
}

void CallFindFile(SSI_FunctionAPI& call)
{
    String directory, pattern;
    if (!TwoStrings(call, directory, pattern))
        return;
    directory.Trim();
    if (call.m_Engine) {
        String absolute;
        // An empty directory is the engine's current directory.
        if (directory.IsEmpty()) {
            absolute = call.m_Engine->GetEnvironment()->GetCWD();
        } else {
            call.m_ReturnStatus = AbsolutePath(call, directory, absolute);
            if (!call.m_ReturnStatus)
                return;
        }
        if (absolute.IsEmpty())
            absolute = call.m_Engine->GetEnvironment()->GetCWD();
        directory = absolute;
    }
    directory.Trim();
    pattern.Trim();
    if (!directory.IsEmpty() && !IsSeparator(directory[directory.GetLength() - 1]))
        directory += "\\";
    String search = directory + pattern;
    _finddata_t found;
    RuntimeFindHandle handle(_findfirst(search.c_str(), &found));
    String result;
    if (handle)
        result = directory + String(found.name);
    ReturnString(call, result);
    call.m_ReturnStatus = CStatus::MakeOK();
}

}  // namespace kestrel
