// Helpers shared by the KestrelBase tests.
#pragma once

#include "ClassWindow.h"
#include "Loom.h"

#include <windows.h>

#include <string>
#include <vector>

// Collects the lines written to the engine's output.
class CaptureStream : public ssi_stream {
public:
    void Write(const String& text, int endLine) override
    {
        m_Partial += text.str();
        if (endLine) {
            lines.push_back(m_Partial);
            m_Partial.clear();
        }
    }
    int ReadLine(char*, int) override { return -1; }
    std::vector<std::string> lines;

private:
    std::string m_Partial;
};

// Evaluates string and integer literals, which is all the `dll` keyword
// hands to the interpreter in these tests.
class LiteralInterpreter : public CInterpreter {
public:
    CStatus Evaluate(const String& text, CVariable& result) override
    {
        String value;
        if (CDataString::ParseLiteral(text, value)) {
            CDataString s(value);
            return result.SetData(&s);
        }
        CDataInt i;
        if (i.DataFromString(text))
            return result.SetData(&i);
        return CStatus::MakeError("cannot evaluate");
    }
    void SetStopFlag() override {}
    CStatus AssignVariable(CVariable&) override { return CStatus(); }
    CStatus DefineVariable(CData&, const String&) override { return CStatus(); }
};

// A file in the temporary folder, removed again by the destructor.
class TempFile {
public:
    TempFile(const std::string& name, const std::string& content)
    {
        char dir[MAX_PATH];
        GetTempPathA(MAX_PATH, dir);
        path = std::string(dir) + name;
        FILE* f = std::fopen(path.c_str(), "wb");
        if (f) {
            std::fwrite(content.data(), 1, content.size(), f);
            std::fclose(f);
        }
    }
    ~TempFile() { DeleteFileA(path.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    std::string path;
};

// The window value a script variable holds, or null.
inline CDataWindow* WindowOf(const CVariable& variable, int element = 0)
{
    CData* data = variable.Get(element);
    return data && data->GetType() == CDataWindow::GetRegisteredType() ? static_cast<CDataWindow*>(data)
                                                                       : nullptr;
}

// The member of that name, or null.
inline const CVariable* MemberOf(const CDataWindow& window, const char* name)
{
    for (const CVariable& m : window.members)
        if (m.GetName() == name)
            return &m;
    return nullptr;
}
