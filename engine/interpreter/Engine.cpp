#include "Engine.h"

#include "Factory.h"
#include "Platform.h"
#include "Values.h"

#include <algorithm>
#include <cstdio>
#include <vector>

ssi_stream::~ssi_stream() = default;

void CConsoleStream::Write(const String& text, int endLine)
{
    std::fwrite(text.c_str(), 1, static_cast<size_t>(text.GetLength()), stdout);
    if (endLine) std::fputc('\n', stdout);
    std::fflush(stdout);
}

int CConsoleStream::ReadLine(char* buffer, int capacity)
{
    if (!buffer || capacity < 0) return -1;
    std::string line;
    int c;
    bool any = false;
    while ((c = std::fgetc(stdin)) != EOF) {
        any = true;
        if (c == '\n') break;
        line += static_cast<char>(c);
    }
    if (!any) { buffer[0] = '\0'; return -1; }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    // Text beyond the caller's capacity is read and dropped, so that the
    // next read starts at the next line.
    if (static_cast<int>(line.size()) > capacity) line.resize(static_cast<size_t>(capacity));
    std::copy(line.begin(), line.end(), buffer);
    buffer[line.size()] = '\0';
    return static_cast<int>(line.size());
}

CEngine::CEngine()
{
    // The engine's own types exist before any script or package asks.
    CDataInt i;
    CDataReal r;
    CDataString s;
    CDataBool b;
    CDataVoid v;
}

CEngine::~CEngine()
{
    // Packages are told to release in reverse order of loading; their
    // libraries stay mapped until the process ends, because values and
    // prototypes made by them may outlive this engine.
    for (auto it = m_CleanUps.rbegin(); it != m_CleanUps.rend(); ++it) (*it)();
}

CStatus CEngine::SetPackageName(const String& name)
{
    m_PackageName = name;
    return CStatus();
}

CStatus CEngine::AddFunction(CFunctionDecl& decl)
{
    if (decl.Name.IsEmpty()) return CStatus::MakeError("A function needs a name.");
    std::vector<CFunctionDecl>& overloads = m_Functions[decl.Name.str()];
    for (CFunctionDecl& existing : overloads) {
        if (existing.ParamTypes == decl.ParamTypes) {
            existing = decl;
            return CStatus();
        }
    }
    overloads.push_back(decl);
    return CStatus();
}

CStatus CEngine::AddKeyword(CKeywordDecl& decl)
{
    if (decl.Name.IsEmpty() || !decl.Callback) return CStatus::MakeError("A keyword needs a name and a callback.");
    m_Keywords[decl.Name.str()] = decl;
    return CStatus();
}

CStatus CEngine::AddVariable(CData& data, const String& name)
{
    if (m_Interpreter) return m_Interpreter->DefineVariable(data, name);
    CVariable variable(name);
    CStatus status = variable.SetData(&data);
    if (!status) return status;
    for (CVariable& v : m_Pending) {
        if (v == variable) {
            v = variable;
            return status;
        }
    }
    m_Pending.push_back(variable);
    return status;
}

CStatus CEngine::SetVariable(CVariable& variable)
{
    if (m_Interpreter) return m_Interpreter->AssignVariable(variable);
    for (CVariable& v : m_Pending) {
        if (v == variable) {
            v = variable;
            return CStatus();
        }
    }
    return CStatus::MakeError(String::Printf("Variable '%s' not found.", variable.GetName().c_str()));
}

CStatus CEngine::Log(const String& text)
{
    if (m_LogFile.IsEmpty()) return CStatus();
    FILE* f = std::fopen(m_LogFile.c_str(), "a");
    if (!f) return CStatus::MakeError(String::Printf("Could not open log file '%s'.", m_LogFile.c_str()));
    std::fprintf(f, "%s\n", text.c_str());
    std::fclose(f);
    return CStatus();
}

CStatus CEngine::LoadPackage(const String& path)
{
    String error;
    void* library = loom::platform::OpenLibrary(path, error);
    if (!library)
        return CStatus::MakeError(String::Printf("Could not load package '%s' (%s).", path.c_str(), error.c_str()));
    auto registerFunctions = reinterpret_cast<void (*)(CEngine*)>(loom::platform::FindSymbol(library, "RegisterFunctions"));
    if (!registerFunctions)
        return CStatus::MakeError(String::Printf("'%s' is not a package: it has no RegisterFunctions.", path.c_str()));
    m_Libraries.push_back(library);
    registerFunctions(this);
    auto cleanUp = reinterpret_cast<void (*)()>(loom::platform::FindSymbol(library, "CleanUp"));
    if (cleanUp) m_CleanUps.push_back(cleanUp);
    return CStatus();
}

const std::vector<CFunctionDecl>* CEngine::FindFunctions(const String& name) const
{
    auto it = m_Functions.find(name.str());
    return it == m_Functions.end() ? nullptr : &it->second;
}

const CKeywordDecl* CEngine::FindKeyword(const String& name) const
{
    auto it = m_Keywords.find(name.str());
    return it == m_Keywords.end() ? nullptr : &it->second;
}
