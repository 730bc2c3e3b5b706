#include "CallDispatcher.h"

#include "Engine.h"
#include "Factory.h"

namespace loom {

namespace {

enum class Fit { None, Converted, Exact };

Fit ArgumentFit(int paramType, int argType)
{
    if (paramType == LOOM_TYPE_ANY || paramType == argType) return Fit::Exact;
    if (paramType == Types().Real && argType == Types().Int) return Fit::Converted;
    return Fit::None;
}

std::string TypeNameOf(int type)
{
    if (type == LOOM_TYPE_ANY) return "any";
    const String name = Factory_GetTypeName(type);
    return name.IsEmpty() ? "unknown type" : name.str();
}

}  // namespace

std::string CallArgument::TypeName() const
{
    if (!variable) return value.TypeName();
    std::string name = TypeNameOf(variable->GetType());
    if (variable->IsArray()) name += " array";
    return name;
}

const CFunctionDecl* CallDispatcher::Choose(const std::vector<CFunctionDecl>& decls, const String& name,
                                            const std::vector<CallArgument>& args)
{
    const CFunctionDecl* converted = nullptr;
    for (const CFunctionDecl& decl : decls) {
        if (decl.ParamTypes.size() != args.size()) continue;
        if (!name.IsEmpty() && decl.Name != name) continue;
        Fit worst = Fit::Exact;
        for (size_t i = 0; i < args.size() && worst != Fit::None; ++i) {
            const Fit fit = ArgumentFit(decl.ParamTypes[i], args[i].TypeId());
            if (fit < worst) worst = fit;
        }
        if (worst == Fit::Exact) return &decl;
        if (worst == Fit::Converted && !converted) converted = &decl;
    }
    return converted;
}

std::string CallDispatcher::DescribeArguments(const std::vector<CallArgument>& args)
{
    std::string text = "(";
    for (size_t i = 0; i < args.size(); ++i) {
        if (i) text += ", ";
        text += args[i].TypeName();
    }
    return text + ")";
}

std::string CallDispatcher::DescribeCandidates(const std::vector<CFunctionDecl>& decls, const String& name)
{
    std::string text;
    for (const CFunctionDecl& decl : decls) {
        if (!name.IsEmpty() && decl.Name != name) continue;
        if (!text.empty()) text += ", ";
        text += decl.Name.str() + "(";
        for (size_t i = 0; i < decl.ParamTypes.size(); ++i) {
            if (i) text += ", ";
            text += TypeNameOf(decl.ParamTypes[i]);
        }
        text += ")";
    }
    return text;
}

Value CallDispatcher::Invoke(const CFunctionDecl& decl, CData* receiver, std::vector<CallArgument>& args, int line)
{
    const BuiltinTypes& types = Types();
    SSI_FunctionAPI call;
    call.m_FunctionName = decl.Name;
    call.m_Engine = &m_Engine;
    call.InitParams(static_cast<int>(args.size()));
    for (size_t i = 0; i < args.size(); ++i) {
        int index = static_cast<int>(i);
        CallArgument& arg = args[i];
        const bool toReal = decl.ParamTypes[i] == types.Real && arg.TypeId() == types.Int;
        if (arg.variable && !toReal) {
            call.SetBorrowedParameter(index, arg.variable);
            continue;
        }
        CVariable temporary;
        if (arg.variable) {
            temporary.SetName(arg.variable->GetName());
            arg.value = Value::OfVariable(*arg.variable, true);
        }
        if (CVariable* array = arg.value.GetArray()) {
            temporary = *array;
        } else if (toReal) {
            temporary.Adopt(new CDataReal(arg.value.AsReal()));
        } else {
            temporary.Adopt(arg.value.Release());
        }
        call.AddParameter(temporary, index);
    }
    if (decl.ReturnType > LOOM_TYPE_ANY) call.GetReturnData()->SetType(decl.ReturnType);

    bool threw = false;
    try {
        if (receiver) receiver->SSI_FunctionProcessor(call);
        else if (decl.Processor) decl.Processor(call);
    } catch (...) {
        threw = true;
    }

    const CStatus& status = call.m_ReturnStatus;
    bool failed = threw;
    if (threw) {
        m_Diagnostics.Error(line, "function '" + decl.Name.str() + "' failed with an exception");
    } else if (status.GetState() == CStatus::Error) {
        m_Diagnostics.Error(line, status.GetStatusMessage().str());
        failed = true;
    } else if (status.GetState() == CStatus::Warning) {
        m_Diagnostics.Warning(line, status.GetStatusMessage().str());
    }
    if (failed) {
        return decl.ReturnType > LOOM_TYPE_ANY ? Value::Own(Factory_MakeData(decl.ReturnType)) : Value();
    }
    CVariable* result = call.GetReturnData();
    if (!result) return Value();
    if (result->IsArray()) return Value::OwnArray(new CVariable(*result));
    Value value = Value::Borrow(result->GetWorkingData());
    value.Detach();
    return value;
}

}  // namespace loom
