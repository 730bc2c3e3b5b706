// A package that exercises the interpreter's side of the package contract
// in the script tests: a data type "probe" with member functions and
// member variables (nested, for chained write-back), functions that hand
// back whole arrays, write a variable back by name, evaluate text, define
// variables, report errors and warnings, and two keywords.
#include "Loom.h"
#include "TypeRegistration.h"

#include <memory>

namespace {

class CDataProbe : public CData {
    LOOM_DECLARE_TYPE_REGISTRATION
    CDataProbe();

    String Tag;
    int32_t Count = 0;
    std::unique_ptr<CDataProbe> Inner;  // made on first use

    bool boolean() override { return !Tag.IsEmpty(); }
    CData* operator_equal(CData* other, OpInfoT*) override { return CopyData(other) ? this : nullptr; }
    CData* operator_plus(CData* other, OpInfoT*) override;
    bool CopyData(CData* other) override;
    CData* MakeData() override { return new CDataProbe; }
    String GetString() override { return "probe(" + Tag + ")"; }
    CStatus InitData() override;
    void SSI_FunctionProcessor(SSI_FunctionAPI& call) override;
    CStatus SSI_UpdateVariable(CVariable& variable, char fetch) override;
    CStatus operator_compare(CData* other, int& out) override;

    CDataProbe& GetInner()
    {
        if (!Inner) Inner.reset(new CDataProbe);
        return *Inner;
    }
};

int CDataProbe::sType = 0;

LOOM_DEFINE_GET_REGISTERED_TYPE(CDataProbe)

CDataProbe::CDataProbe() { LOOM_REGISTER_ON_FIRST_USE(CDataProbe, "probe"); }

bool CDataProbe::CopyData(CData* other)
{
    if (!other || other->GetType() != GetType()) return false;
    CDataProbe* o = static_cast<CDataProbe*>(other);
    if (o == this) return true;
    Tag = o->Tag;
    Count = o->Count;
    if (o->Inner) GetInner().CopyData(o->Inner.get());
    else Inner.reset();
    return true;
}

// probe + int adds to Count, in a new object (the slot may hand one back).
CData* CDataProbe::operator_plus(CData* other, OpInfoT* info)
{
    if (!other || other->GetType() != CDataInt::GetRegisteredType()) {
        if (info) info->Status = CStatus::MakeError("A probe only adds ints.");
        return nullptr;
    }
    CDataProbe* sum = new CDataProbe;
    sum->CopyData(this);
    sum->Count += static_cast<CDataInt*>(other)->Data;
    return sum;
}

CStatus CDataProbe::operator_compare(CData* other, int& out)
{
    if (!other || other->GetType() != GetType()) return CData::operator_compare(other, out);
    out = Tag.str().compare(static_cast<CDataProbe*>(other)->Tag.str());
    return CStatus();
}

CStatus CDataProbe::InitData()
{
    const int i = CDataInt::GetRegisteredType();
    const int s = CDataString::GetRegisteredType();
    CFunctionDecl decl;
    decl.SetName("Describe");
    decl.SetReturnType(s);
    decl.SetProcessor(this);
    AddFunction(decl);

    decl.Clear();
    decl.SetName("Add");
    decl.addType(i, "n");
    decl.SetReturnType(i);
    decl.SetProcessor(this);
    AddFunction(decl);

    decl.Clear();
    decl.SetName("Fail");
    decl.SetProcessor(this);
    AddFunction(decl);
    return CStatus();
}

void CDataProbe::SSI_FunctionProcessor(SSI_FunctionAPI& call)
{
    if (call.m_FunctionName == "Describe") {
        CDataString text(String::Printf("%s:%d", Tag.c_str(), static_cast<int>(Count)));
        call.SetReturnData(&text);
    } else if (call.m_FunctionName == "Add") {
        Count += static_cast<CDataInt*>(call[0]->GetWorkingData())->Data;
        CDataInt result(Count);
        call.SetReturnData(&result);
    } else if (call.m_FunctionName == "Fail") {
        call.m_ReturnStatus = CStatus::MakeError(String::Printf("Probe '%s' failed. (P00001)", Tag.c_str()));
    }
}

CStatus CDataProbe::SSI_UpdateVariable(CVariable& variable, char fetch)
{
    const String& name = variable.GetName();
    if (name == "Tag") {
        if (fetch) {
            CDataString value(Tag);
            variable.SetType(value.GetType());
            return variable.SetData(&value);
        }
        CData* d = variable.GetWorkingData();
        if (!d || d->GetType() != CDataString::GetRegisteredType()) return CStatus::MakeError("Tag is a string.");
        Tag = static_cast<CDataString*>(d)->Data;
        return CStatus();
    }
    if (name == "Count") {
        if (fetch) {
            CDataInt value(Count);
            variable.SetType(value.GetType());
            return variable.SetData(&value);
        }
        CData* d = variable.GetWorkingData();
        if (!d || d->GetType() != CDataInt::GetRegisteredType()) return CStatus::MakeError("Count is an int.");
        Count = static_cast<CDataInt*>(d)->Data;
        return CStatus();
    }
    if (name == "Inner") {
        if (fetch) {
            variable.SetType(GetType());
            return variable.SetData(&GetInner());
        }
        return GetInner().CopyData(variable.GetWorkingData()) ? CStatus() : CStatus::MakeError("Inner is a probe.");
    }
    return CData::SSI_UpdateVariable(variable, fetch);
}

CDataString* StringParam(SSI_FunctionAPI& call, int i) { return static_cast<CDataString*>(call[i]->GetWorkingData()); }

void* Processor(SSI_FunctionAPI& call)
{
    const String& name = call.m_FunctionName;
    if (name == "MakeProbe") {
        CDataProbe probe;
        probe.Tag = StringParam(call, 0)->Data;
        call.SetReturnData(&probe);
    } else if (name == "Parts") {
        // The text split at commas, handed back as a whole array.
        String text = StringParam(call, 0)->Data;
        CVariable parts("parts", CDataString::GetRegisteredType());
        int index = 1;
        for (;;) {
            String token;
            const bool more = text.Parse(",", token) >= 0;
            CDataString value(more ? token : text);
            DimensionList at(index++);
            parts.SetData(&value, at.Get());
            if (!more) break;
        }
        call.SetReturnData(&parts);
    } else if (name == "Twice") {
        CDataReal result(static_cast<CDataReal*>(call[0]->GetWorkingData())->Data * 2);
        call.SetReturnData(&result);
    } else if (name == "Kind") {
        CDataString result(call[0]->GetWorkingData()->GetTypeName());
        call.SetReturnData(&result);
    } else if (name == "Show") {
        CDataString result(call.GetParameterType(0) == CDataInt::GetRegisteredType() ? "int overload" : "string overload");
        call.SetReturnData(&result);
    } else if (name == "Rename") {
        // Changes the object in the caller's own variable.
        CDataProbe* probe = static_cast<CDataProbe*>(call[0]->GetWorkingData());
        probe->Tag = StringParam(call, 1)->Data;
    } else if (name == "Touch") {
        CVariable* v = call[0];
        CDataInt next(static_cast<CDataInt*>(v->GetWorkingData())->Data + 100);
        CVariable copy(v->GetName());
        copy.SetData(&next);
        call.m_ReturnStatus = call.m_Engine->SetVariable(copy);
    } else if (name == "Calc") {
        CVariable result("result");
        CInterpreter* interpreter = call.m_Engine->GetInterpreter();
        call.m_ReturnStatus = interpreter ? interpreter->Evaluate(StringParam(call, 0)->Data, result)
                                          : CStatus::MakeError("No interpreter.");
        if (call.m_ReturnStatus) call.SetReturnData(&result);
    } else if (name == "Define") {
        CDataInt value(static_cast<CDataInt*>(call[1]->GetWorkingData())->Data);
        call.m_ReturnStatus = call.m_Engine->AddVariable(value, StringParam(call, 0)->Data);
    } else if (name == "Stop") {
        if (CInterpreter* interpreter = call.m_Engine->GetInterpreter()) interpreter->SetStopFlag();
    } else if (name == "Complain") {
        call.m_ReturnStatus = CStatus::MakeError(StringParam(call, 0)->Data);
    } else if (name == "Caution") {
        call.m_ReturnStatus = CStatus::MakeWarning(StringParam(call, 0)->Data);
    } else if (name == "TypeOf") {
        CDataInt result(CInterpreter::GetVariableType(StringParam(call, 0)->Data));
        call.SetReturnData(&result);
    }
    return nullptr;
}

void Declare(CEngine* engine, const char* name, std::initializer_list<int> params, int result)
{
    CFunctionDecl decl;
    decl.SetName(name);
    for (int type : params) decl.addType(type, "");
    decl.SetReturnType(result);
    decl.SetProcessor(Processor);
    engine->AddFunction(decl);
}

// note TEXT;   prints "note: TEXT"; "note fail;" reports an error.
void NoteKeyword(SSI_KeywordAPI& call)
{
    if (call.Argument == "fail") {
        call.Status = CStatus::MakeError("The note keyword was told to fail. (P00002)");
        return;
    }
    call.Engine->GetOutStream()->Write("note: [" + call.Argument + "]", 1);
    call.Status = CStatus();
}

// declare NAME;   defines an int variable NAME holding 42.
void DeclareKeyword(SSI_KeywordAPI& call)
{
    CDataInt value(42);
    call.Status = call.Engine->AddVariable(value, call.Argument);
}

}  // namespace

LOOM_PACKAGE_ENTRY void RegisterFunctions(CEngine* engine)
{
    const int i = CDataInt::GetRegisteredType();
    const int r = CDataReal::GetRegisteredType();
    const int s = CDataString::GetRegisteredType();
    const int p = CDataProbe::GetRegisteredType();
    engine->SetPackageName("ScriptTestPackage");
    Declare(engine, "MakeProbe", {s}, p);
    Declare(engine, "Parts", {s}, s);
    Declare(engine, "Twice", {r}, r);
    Declare(engine, "Kind", {LOOM_TYPE_ANY}, s);
    Declare(engine, "Show", {i}, s);
    Declare(engine, "Show", {s}, s);
    Declare(engine, "Rename", {p, s}, 0);
    Declare(engine, "Touch", {i}, 0);
    Declare(engine, "Calc", {s}, LOOM_TYPE_ANY);
    Declare(engine, "Define", {s, i}, 0);
    Declare(engine, "Stop", {}, 0);
    Declare(engine, "Complain", {s}, i);
    Declare(engine, "Caution", {s}, 0);
    Declare(engine, "TypeOf", {s}, i);
    CKeywordDecl note;
    note.SetName("note");
    note.SetCallback(NoteKeyword);
    engine->AddKeyword(note);
    CKeywordDecl declare;
    declare.SetName("declare");
    declare.SetCallback(DeclareKeyword);
    engine->AddKeyword(declare);
}

LOOM_PACKAGE_ENTRY void CleanUp() {}
