// CEngine: what a package sees of the running engine. Packages register
// their name, functions, keywords and variables here, and reach the output
// stream, the environment and the interpreter through it.
#pragma once

#include "Environment.h"
#include "FunctionApi.h"
#include "Interpreter.h"

#include <map>
#include <memory>
#include <vector>

// The console of the script: output lines and input lines.
class LOOM_API ssi_stream {
public:
    virtual ~ssi_stream();
    // Writes text; endLine 1 ends the line after it.
    virtual void Write(const String& text, int endLine) = 0;
    // Reads one line (without its end) into buffer, at most capacity bytes
    // plus a terminating zero. Returns the length, or -1 at end of input.
    virtual int ReadLine(char* buffer, int capacity) = 0;
};

// Standard output and standard input.
class LOOM_API CConsoleStream : public ssi_stream {
public:
    void Write(const String& text, int endLine) override;
    int ReadLine(char* buffer, int capacity) override;
};

class LOOM_API CEngine {
public:
    CEngine();
    ~CEngine();
    CEngine(const CEngine&) = delete;
    CEngine& operator=(const CEngine&) = delete;

    CStatus SetPackageName(const String& name);
    const String& GetPackageName() const { return m_PackageName; }
    // Adds a global function; a declaration with the same name and
    // parameter types as an existing one replaces it.
    CStatus AddFunction(CFunctionDecl& decl);
    CStatus AddKeyword(CKeywordDecl& decl);
    // Defines a script variable holding a copy of data.
    CStatus AddVariable(CData& data, const String& name);
    // Writes a variable back to the script variable of its name.
    CStatus SetVariable(CVariable& variable);
    // Appends a line to the log file, when one is set.
    CStatus Log(const String& text);
    void SetLogFile(const String& path) { m_LogFile = path; }

    ssi_stream* GetOutStream() { return m_Stream; }
    void SetOutStream(ssi_stream* stream) { m_Stream = stream; }
    CInterpreter* GetInterpreter() { return m_Interpreter; }
    void SetInterpreter(CInterpreter* interpreter) { m_Interpreter = interpreter; }
    CEnvironment* GetEnvironment() { return &m_Environment; }

    // Loads a package library and calls its RegisterFunctions.
    CStatus LoadPackage(const String& path);

    // Interpreter side.
    const std::vector<CFunctionDecl>* FindFunctions(const String& name) const;
    const CKeywordDecl* FindKeyword(const String& name) const;
    // Every global function by name (the reference, loom --functions).
    const std::map<std::string, std::vector<CFunctionDecl>>& GetFunctions() const { return m_Functions; }
    // Variables defined while no interpreter runs; the interpreter takes
    // them over when a script starts.
    std::vector<CVariable>& PendingVariables() { return m_Pending; }

private:
    String m_PackageName;
    std::map<std::string, std::vector<CFunctionDecl>> m_Functions;
    std::map<std::string, CKeywordDecl> m_Keywords;
    std::vector<CVariable> m_Pending;
    std::vector<void*> m_Libraries;  // loaded packages, kept for the process
    std::vector<void (*)()> m_CleanUps;
    CConsoleStream m_Console;
    ssi_stream* m_Stream = &m_Console;
    CInterpreter* m_Interpreter = nullptr;
    CEnvironment m_Environment;
    String m_LogFile;
};
