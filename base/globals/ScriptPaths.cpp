#include "ScriptPaths.h"

#include <windows.h>

namespace kestrel {

CStatus InternalError(int line)
{
    return CStatus::MakeDefaultError(line, "KestrelBase");
}

CStatus AbsolutePath(SSI_FunctionAPI& call, const String& path, String& absolute)
{
    if (!call.m_Engine)
        return InternalError(__LINE__);
    absolute = path;
    return loom::ResolveScriptPath(call, absolute);
}

CStatus AbsoluteCommand(SSI_FunctionAPI& call, const String& command, String& resolved)
{
    if (!call.m_Engine)
        return InternalError(__LINE__);
    String text(command);
    text.Trim();
    resolved = text;
    if (text.IsEmpty())
        return CStatus();
    int end;
    String program;
    if (text[0] == '"') {
        end = text.Find("\"", 1);
        if (end < 0)
            return CStatus();
        program = text.SubString(1, end);
        ++end;
    } else {
        end = text.FindOneOf(" \t");
        if (end < 0)
            end = text.GetLength();
        program = text.SubString(0, end);
    }
    String absolute;
    if (program.IsEmpty() || !call.m_Engine->GetEnvironment()->GetAbsolutePath(program, absolute))
        return CStatus();
    const DWORD attributes = GetFileAttributesA(absolute.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return CStatus();
    // Quotes only where the path needs them: the command interpreter strips
    // the outer quotes of a line that starts with one.
    if (absolute.Find(" ") >= 0)
        absolute = String("\"") + absolute + String("\"");
    resolved = absolute + text.SubString(end);
    return CStatus();
}

}  // namespace kestrel
