// One row per function a package offers: its name, its signature in type
// codes and the body that runs it. Global functions, the member functions
// of the packages' types and the window functions of the control handlers
// are all registered from rows, so a function's name is written once and
// its declaration and its dispatch cannot disagree.
//
// Type codes (parameters and result):
//   i int, r real, s string, b bool, v void, a any
//   w window, m bitmap, f file, o options, k regkey, x matrix, p point, t tst
// The packages' types are looked up by name when the row is registered; a
// type whose package is not loaded accepts (and gives) any value. A result
// code of 0 is no result.
#pragma once

#include "FunctionApi.h"

#include <cstddef>

namespace loom {

// Where a window function runs: in the script's process, or inside the
// process that owns the window (through the agent). Other functions run
// where they are called.
enum class RunsIn : unsigned char { Script, Application };

// What a window function does to the application: only reads it, acts on
// it (posts a command, moves a window), so the call returns once the
// application has handled the action, or acts as a user's click would, so
// the window must first be one a user could click: visible, enabled, still
// and not covered, within the lookup bound.
enum class Effect : unsigned char { Reads, Acts, Clicks };

template <class Body>
struct FunctionRow {
    const char* name;
    const char* params;
    char result;
    Body body;
    RunsIn where = RunsIn::Script;
    Effect effect = Effect::Reads;
};

// The engine type of a code; 0 for no code, any for an unknown one.
LOOM_API int TypeOfCode(char code);
// A declaration of name with the types of the codes; its processor is left
// to the caller.
LOOM_API CFunctionDecl MakeDecl(const char* name, const char* params, char result);
// Whether the call has the row's name and parameter types.
LOOM_API bool CallMatches(SSI_FunctionAPI& call, const char* name, const char* params);

// The row a call is for: the first with its name and parameter types, else
// the first with its name (a record built by other code, whose parameters
// the body's readers then report). Null when no row has the name.
template <class Body>
const FunctionRow<Body>* FindRow(const FunctionRow<Body>* rows, size_t count, SSI_FunctionAPI& call)
{
    const FunctionRow<Body>* named = nullptr;
    for (size_t i = 0; i < count; ++i) {
        if (call.m_FunctionName != rows[i].name) continue;
        if (CallMatches(call, rows[i].name, rows[i].params)) return &rows[i];
        if (!named) named = &rows[i];
    }
    return named;
}

template <class Body, size_t N>
const FunctionRow<Body>* FindRow(const FunctionRow<Body> (&rows)[N], SSI_FunctionAPI& call)
{
    return FindRow(rows, N, call);
}

// The member functions of a type T: rows whose bodies take the value the
// function is called on. A type keeps them in one static function,
// `static const loom::MemberRow<T>* Rows(size_t& count)`, whose table may
// hold lambdas (they reach T's private members).
template <class T>
using MemberRow = FunctionRow<void (*)(T&, SSI_FunctionAPI&)>;

// Declares every row of T to the engine as a member function of self.
template <class T>
CStatus AddMemberRows(T& self)
{
    size_t count = 0;
    const MemberRow<T>* rows = T::Rows(count);
    for (size_t i = 0; i < count; ++i) {
        CFunctionDecl decl = MakeDecl(rows[i].name, rows[i].params, rows[i].result);
        decl.SetProcessor(&self);
        CStatus added = self.CData::AddFunction(decl);
        if (!added) return added;
    }
    return CStatus::MakeOK();
}

// Runs the row of the call on self; false when no row has its name.
template <class T>
bool RunMemberRow(T& self, SSI_FunctionAPI& call)
{
    size_t count = 0;
    const MemberRow<T>* rows = T::Rows(count);
    const MemberRow<T>* row = FindRow(rows, count, call);
    if (!row) return false;
    row->body(self, call);
    return true;
}

}  // namespace loom
