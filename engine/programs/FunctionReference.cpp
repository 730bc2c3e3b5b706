#include "FunctionReference.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace {

std::string TypeText(int type)
{
    if (type == 0) return "void";
    const String name = Factory_GetTypeName(type);
    return name.IsEmpty() ? "unknown" : name.str();
}

// "result Name(type name, type)".
std::string Signature(const CFunctionDecl& decl)
{
    std::string text = TypeText(decl.ReturnType) + " " + decl.Name.str() + "(";
    for (size_t i = 0; i < decl.ParamTypes.size(); ++i) {
        if (i) text += ", ";
        text += TypeText(decl.ParamTypes[i]);
        if (i < decl.ParamNames.size() && !decl.ParamNames[i].IsEmpty()) text += " " + decl.ParamNames[i].str();
    }
    return text + ")";
}

void ListFunctions(std::ostringstream& out, std::vector<CFunctionDecl> decls)
{
    std::stable_sort(decls.begin(), decls.end(),
                     [](const CFunctionDecl& a, const CFunctionDecl& b) { return a.Name.str() < b.Name.str(); });
    for (const CFunctionDecl& decl : decls) out << "- `" << Signature(decl) << "`\n";
}

}  // namespace

std::string WriteFunctionReference(const CEngine& engine)
{
    std::ostringstream out;
    out << "# What a script can call\n\n"
           "Written by `loom --functions` from the tables that the interpreter and the\n"
           "packages loom loads register; a test fails when this file and that output\n"
           "differ. Each line is `result Name(parameter types)`; `void` is no result,\n"
           "`any` takes or gives a value of any type.\n\n";

    out << "## The interpreter's own functions\n\n"
           "- `void print(any...)`: writes the texts of its arguments, then a line end\n"
           "- `void Exit()`: ends the script; it passes unless it reported an error\n"
           "- `void ExpectError(string code)`: the next statement must report an error\n"
           "  whose message holds code (any error without a code); that error is not\n"
           "  printed or counted\n"
           "- `string GetLastErrorText()`: the message of the last expected error\n\n";

    out << "## Global functions\n\n";
    std::vector<CFunctionDecl> globals;
    for (const auto& entry : engine.GetFunctions()) globals.insert(globals.end(), entry.second.begin(), entry.second.end());
    ListFunctions(out, globals);

    // Types by name; asking for a type's members makes it register them.
    std::vector<int> types = Factory_GetTypes();
    std::sort(types.begin(), types.end(),
              [](int a, int b) { return Factory_GetTypeName(a).str() < Factory_GetTypeName(b).str(); });
    for (const int type : types) {
        const std::vector<CFunctionDecl>* members = Factory_GetMemberFunctions(type);
        const auto variables = Factory_GetMemberVariables(type);
        const auto classes = Factory_GetClassFunctions(type);
        if ((!members || members->empty()) && variables.empty()) continue;
        out << "\n## Type `" << TypeText(type) << "`\n";
        if (!variables.empty()) {
            out << "\nMember variables:\n\n";
            for (const auto& v : variables) out << "- `" << TypeText(v.second) << " " << v.first.str() << "`\n";
        }
        if (!classes.empty()) {
            out << "\nMember functions, by class:\n";
            for (const auto& c : classes) {
                out << "\n### " << c.first.str() << "\n\n";
                ListFunctions(out, c.second);
            }
        } else if (members && !members->empty()) {
            out << "\nMember functions:\n\n";
            ListFunctions(out, *members);
        }
    }
    return out.str();
}
