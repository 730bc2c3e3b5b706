#include "FileFunctions.h"

#include "DataFile.h"
#include "ScriptPaths.h"

namespace kestrel {

namespace {

// OpenFile(path, mode): a new file object, handed back opened or not.
void OpenNewFile(SSI_FunctionAPI& call)
{
    String path, mode, absolute;
    if (!ReadString(call, 0, path) || !ReadString(call, 1, mode))
        return;
    loom::ValuePtr<CDataFile> file = loom::MakeValue<CDataFile>();
    if (!file) {
        call.m_ReturnStatus = InternalError(__LINE__);
        return;
    }
    call.m_ReturnStatus = AbsolutePath(call, path, absolute);
    if (!call.m_ReturnStatus)
        return;
    CStatus opened = file->Open(absolute, mode);
    // The copy handed back shares the stream, which outlives this object.
    call.SetReturnData(file.get());
    if (opened)
        call.m_ReturnStatus = opened;
    else
        call.m_ReturnStatus.Format(CStatus::Error, "Could not open file '%s'. (K00102)", absolute.c_str());
}

// OpenFile(file, path, mode): opens the script's own variable in place.
void OpenFileVariable(SSI_FunctionAPI& call)
{
    String path, mode, absolute;
    CDataFile* working = ReadValue<CDataFile>(call, 0);
    if (!working || !ReadString(call, 1, path) || !ReadString(call, 2, mode))
        return;
    CVariable* variable = call[0];
    call.m_ReturnStatus = AbsolutePath(call, path, absolute);
    if (!call.m_ReturnStatus)
        return;
    // Opened on a copy that replaces the working object, so the store never
    // copies an object onto itself.
    CDataFile file(*working);
    bool ok = static_cast<bool>(file.Open(absolute, mode));
    ok = static_cast<bool>(variable->SetWorkingData(&file)) && ok;
    if (call.m_Engine)
        ok = static_cast<bool>(call.m_Engine->SetVariable(*variable)) && ok;
    else
        ok = false;
    ReturnBool(call, ok);
    call.m_ReturnStatus = CStatus::MakeOK();
}

}  // namespace

void CallOpenFile(SSI_FunctionAPI& call)
{
    if (call.GetNumParams() == 3)
        OpenFileVariable(call);
    else
        OpenNewFile(call);
}

void CallCloseFile(SSI_FunctionAPI& call)
{
    if (CDataFile* file = ReadValue<CDataFile>(call, 0))
        call.m_ReturnStatus = file->Close();
}

void CallWriteFile(SSI_FunctionAPI& call)
{
    String text;
    CDataFile* file = ReadValue<CDataFile>(call, 0);
    if (!file)
        return;
    if (!ReadString(call, 1, text))
        return;
    call.m_ReturnStatus = file->Write(text);
    ReturnBool(call, call.m_ReturnStatus.IsSuccess());
}

void CallReadFile(SSI_FunctionAPI& call)
{
    CDataFile* file = ReadValue<CDataFile>(call, 0);
    if (!file)
        return;
    CVariable* target = call[1];
    String line;
    if (!ReadString(call, 1, line))
        return;
    char more = 0;
    call.m_ReturnStatus = file->Read(line, more);
    CDataString text(line);
    CStatus stored = target->SetWorkingData(&text);
    if (!stored) {
        call.m_ReturnStatus = stored;
        return;
    }
    ReturnBool(call, more != 0);
    if (!call.m_Engine) {
        call.m_ReturnStatus = InternalError(__LINE__);
        return;
    }
    CStatus written = call.m_Engine->SetVariable(*target);
    if (!written)
        call.m_ReturnStatus = written;
}

void CallReadAllFile(SSI_FunctionAPI& call)
{
    CDataFile* file = ReadValue<CDataFile>(call, 0);
    if (!file)
        return;
    String text;
    call.m_ReturnStatus = file->ReadAll(text);
    ReturnString(call, text);
}

}  // namespace kestrel
