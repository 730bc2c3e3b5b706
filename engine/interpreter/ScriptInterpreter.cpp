#include "ScriptInterpreter.h"

#include "Factory.h"
#include "IncludeFiles.h"
#include "Parser.h"

#include <filesystem>
#include <exception>
#include <new>

namespace loom {

CScriptInterpreter::CScriptInterpreter(CEngine& engine, const std::string& fileName)
    : m_Engine(engine), m_Diagnostics(fileName, engine.GetEnvironment()), m_Calls(engine, m_Diagnostics)
{
    Types();  // registers the engine's own types before anything needs them
    m_Diagnostics.SetCallChain(&m_CallLines);
    m_Program.fileName = fileName;
}

CScriptInterpreter::~CScriptInterpreter()
{
    if (m_Engine.GetInterpreter() == this) m_Engine.SetInterpreter(nullptr);
}

void CScriptInterpreter::Fail(int line, const std::string& message) { throw ScriptError{line, message, m_CallLines}; }

bool CScriptInterpreter::Parse(const std::string& source)
{
    CEngine& engine = m_Engine;
    Parser parser(source, m_Globals,
                  [&engine](const std::string& name) { return engine.FindKeyword(String(name)) != nullptr; });
    // Included paths are relative to the script's folder: the current one
    // when the script runs (the runner changes to it).
    IncludeFiles includes(m_Diagnostics, std::filesystem::path(m_Program.fileName).filename().string());
    parser.SetIncludeLoader(&includes);
    try {
        if (!parser.ParseProgram(m_Program)) {
            const SyntaxError& e = parser.Error();
            m_Diagnostics.Report(Diagnostics::Severity::Error, e.line, e.message, e.column);
            m_SyntaxError = true;
            return false;
        }
    } catch (const std::bad_alloc&) {
        m_Diagnostics.Error(1, "out of memory while reading the script");
        m_SyntaxError = true;
        return false;
    }
    for (const auto& fn : m_Program.functions) m_Functions.emplace(fn->name, fn.get());
    m_Parsed = true;
    return true;
}

void CScriptInterpreter::Run()
{
    if (!m_Parsed) return;
    CInterpreter* previous = m_Engine.GetInterpreter();
    m_Engine.SetInterpreter(this);
    // Variables that packages defined before the script started.
    for (const CVariable& pending : m_Engine.PendingVariables()) {
        m_Globals.Define(m_Globals.Intern(pending.GetName().str())) = pending;
    }
    try {
        for (StmtPtr& s : m_Program.statements) {
            const Flow flow = Exec(*s);
            if (flow == Flow::Stop || flow == Flow::Return || m_Stop) break;
        }
    } catch (const ScriptError& e) {
        m_Diagnostics.Report(Diagnostics::Severity::Error, e.line, e.message, 0, &e.calls);
    } catch (const std::bad_alloc&) {
        m_Diagnostics.Error(m_Line, "out of memory");
    } catch (const std::exception& e) {
        m_Diagnostics.Error(m_Line, std::string("internal error: ") + e.what());
    } catch (...) {
        m_Diagnostics.Error(m_Line, "internal error");
    }
    {
        std::lock_guard<std::mutex> lock(m_StopMutex);
        if (!m_StopReason.empty()) m_Diagnostics.Error(m_Line, m_StopReason);
    }
    m_Locals = nullptr;
    m_Function = nullptr;
    m_Depth = 0;
    m_CallLines.clear();
    if (m_Diagnostics.Expecting()) m_Diagnostics.CancelExpectation();
    m_Engine.SetInterpreter(previous);
}

void CScriptInterpreter::StopWithError(const std::string& reason)
{
    {
        std::lock_guard<std::mutex> lock(m_StopMutex);
        m_StopReason = reason;
    }
    m_Stop = true;
}

// --- the interface packages use --------------------------------------------

CStatus CScriptInterpreter::Evaluate(const String& text, CVariable& result)
{
    try {
        Parser parser(text.str(), m_Globals, nullptr);
        ExprPtr expr;
        if (!parser.ParseExpression(m_Function, expr)) {
            return CStatus::MakeError(String::Printf("Cannot evaluate '%s': %s at column %d.", text.c_str(),
                                                     parser.Error().message.c_str(), parser.Error().column));
        }
        Value value = Eval(*expr);
        if (CVariable* array = value.GetArray()) {
            const String name = result.GetName();
            result = *array;
            result.SetName(name);
            return CStatus();
        }
        CData* data = value.Release();
        if (!data) return CStatus::MakeError(String::Printf("'%s' has no value.", text.c_str()));
        if (result.GetType() > LOOM_TYPE_ANY) {
            const CStatus status = result.SetData(data);
            delete data;
            return status;
        }
        result.SetType(0);
        result.Adopt(data);
        return CStatus();
    } catch (const ScriptError& e) {
        return CStatus::MakeError(String::Printf("Cannot evaluate '%s': %s.", text.c_str(), e.message.c_str()));
    } catch (...) {
        return CStatus::MakeError(String::Printf("Cannot evaluate '%s'.", text.c_str()));
    }
}

CStatus CScriptInterpreter::AssignVariable(CVariable& variable)
{
    const std::string& name = variable.GetName().str();
    if (m_Function && m_Locals) {
        for (size_t i = m_Function->localNames.size(); i-- > 0;) {
            if (m_Function->localNames[i] == name && m_Locals[i].GetName() == variable.GetName()) {
                m_Locals[i] = variable;
                return CStatus();
            }
        }
    }
    const int slot = m_Globals.Find(name);
    if (slot >= 0 && m_Globals.IsDefined(slot)) {
        m_Globals.Variable(slot) = variable;
        return CStatus();
    }
    return CStatus::MakeError(String::Printf("Variable '%s' not found.", name.c_str()));
}

CStatus CScriptInterpreter::DefineVariable(CData& data, const String& name)
{
    try {
        CVariable& variable = m_Globals.Define(m_Globals.Intern(name.str()));
        return variable.SetData(&data);
    } catch (...) {
        return CStatus::MakeError(String::Printf("Cannot define variable '%s'.", name.c_str()));
    }
}

// --- statements ------------------------------------------------------------

int CScriptInterpreter::LookupType(const std::string& name) const
{
    if (name == "any") return LOOM_TYPE_ANY;
    return GetVariableType(String(name));
}

bool CScriptInterpreter::ConditionOf(Expr& e)
{
    const Value v = Eval(e);
    if (v.GetKind() == Value::Bool) return v.AsBool();
    if (v.IsNone()) Fail(e.line, "the condition has no value");
    return v.Truthy();
}

CScriptInterpreter::Flow CScriptInterpreter::Exec(Stmt& s)
{
    m_Line = s.line;
    switch (s.kind) {
    case StmtKind::Expression:
        if (m_Diagnostics.Expecting()) return ExecWatched(s);
        if (s.expr->kind == ExprKind::Assign && AssignIntFast(*s.expr)) return Flow::Normal;
        EvalDiscard(*s.expr);
        return Flow::Normal;
    case StmtKind::Declaration:
        ExecDeclaration(s);
        return Flow::Normal;
    case StmtKind::Block:
        for (StmtPtr& inner : s.statements) {
            const Flow flow = Exec(*inner);
            if (flow != Flow::Normal) return flow;
            if (m_Stop) return Flow::Stop;
        }
        return Flow::Normal;
    case StmtKind::If:
        if (Condition(*s.expr)) return Exec(*s.body);
        if (s.elseBody) return Exec(*s.elseBody);
        return Flow::Normal;
    case StmtKind::While:
        while (Condition(*s.expr)) {
            const Flow flow = Exec(*s.body);
            if (flow == Flow::Break) break;
            if (flow == Flow::Return || flow == Flow::Stop) return flow;
            if (m_Stop) return Flow::Stop;
        }
        return Flow::Normal;
    case StmtKind::For:
        if (s.init) Exec(*s.init);
        for (;;) {
            if (s.expr && !Condition(*s.expr)) break;
            const Flow flow = Exec(*s.body);
            if (flow == Flow::Break) break;
            if (flow == Flow::Return || flow == Flow::Stop) return flow;
            if (m_Stop) return Flow::Stop;
            if (s.step) EvalDiscard(*s.step);
        }
        return Flow::Normal;
    case StmtKind::Break: return Flow::Break;
    case StmtKind::Continue: return Flow::Continue;
    case StmtKind::Return:
        if (s.expr) {
            int32_t n;
            if (IntOperand(*s.expr, n)) {
                m_ReturnValue = Value::FromInt(n);
                return Flow::Return;
            }
            m_ReturnValue = Eval(*s.expr);
            m_ReturnValue.Detach();  // it may live in a local that goes away
        } else {
            m_ReturnValue.Reset();
        }
        return Flow::Return;
    case StmtKind::Keyword:
        ExecKeyword(s.keyword, s.keywordText, s.line);
        return m_Stop ? Flow::Stop : Flow::Normal;
    case StmtKind::Empty: return Flow::Normal;
    }
    return Flow::Normal;
}

CScriptInterpreter::Flow CScriptInterpreter::ExecWatched(Stmt& s)
{
    // The statement after ExpectError(code): the error it reports, or the
    // one that would stop the script, is the expected one.
    try {
        EvalDiscard(*s.expr);
    } catch (const ScriptError& e) {
        if (!m_Diagnostics.TakeExpected(e.message)) throw;
        return m_Stop ? Flow::Stop : Flow::Normal;
    }
    if (m_Diagnostics.Expecting() && !m_ExpectArmedHere) {
        const std::string code = m_Diagnostics.ExpectedCode();
        m_Diagnostics.CancelExpectation();
        m_Diagnostics.Error(s.line, code.empty() ? std::string("an error was expected here, but none was reported")
                                                 : "error '" + code + "' was expected here, but none was reported");
    }
    m_ExpectArmedHere = false;
    return m_Stop ? Flow::Stop : Flow::Normal;
}

void CScriptInterpreter::ExecDeclaration(Stmt& s)
{
    if (!s.typeId) s.typeId = LookupType(s.typeName);
    if (!s.typeId) {
        // A keyword registered after the script was read (LoadPackageDLL).
        if (m_Engine.FindKeyword(String(s.typeName))) {
            ExecKeyword(s.typeName, s.keywordText, s.line);
            return;
        }
        Fail(s.line, "unknown type '" + s.typeName + "'");
    }
    for (Declarator& d : s.declarators) {
        Value init;
        if (d.init) {
            init = Eval(*d.init);
            init.Detach();
        }
        std::vector<int> extents;
        for (ExprPtr& dim : d.dims) {
            const Value size = Eval(*dim);
            if (size.GetKind() != Value::Int) Fail(d.line, "the size of array '" + d.name + "' must be an int, not " + size.TypeName());
            extents.push_back(size.AsInt());
        }
        CVariable& variable = d.local ? m_Locals[d.slot] : m_Globals.Define(d.slot);
        if (d.local && variable.GetName().str() != d.name) variable.SetName(String(d.name));
        const CStatus typed = variable.SetType(s.typeId == LOOM_TYPE_ANY ? 0 : s.typeId);
        if (!typed) Fail(d.line, "cannot make a " + s.typeName + " value for '" + d.name + "'");
        if (!extents.empty()) {
            const CStatus status = variable.Dimension(extents);
            if (!status) Fail(d.line, StatusPhrase(status));
        }
        if (d.init) StoreVariable(variable, init, d.line);
    }
}

void CScriptInterpreter::ExecKeyword(const std::string& keyword, const std::string& text, int line)
{
    const CKeywordDecl* decl = m_Engine.FindKeyword(String(keyword));
    if (!decl || !decl->Callback) Fail(line, "unknown keyword '" + keyword + "'");
    SSI_KeywordAPI call;
    call.Engine = &m_Engine;
    call.Keyword = String(keyword);
    call.Argument = String(text);
    try {
        decl->Callback(call);
    } catch (...) {
        m_Diagnostics.Error(line, "keyword '" + keyword + "' failed with an exception");
        return;
    }
    if (call.Status.GetState() == CStatus::Error) m_Diagnostics.Error(line, call.Status.GetStatusMessage().str());
    else if (call.Status.GetState() == CStatus::Warning) m_Diagnostics.Warning(line, call.Status.GetStatusMessage().str());
}

}  // namespace loom
