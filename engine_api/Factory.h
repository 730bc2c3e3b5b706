// The per-process registry of data types. Type numbers are handed out on
// first registration, from 2 up; 1 stands for "any type" in declarations.
#pragma once

#include "Data.h"

#include <utility>
#include <vector>

class CFunctionDecl;

constexpr int LOOM_TYPE_ANY = 1;

// Takes ownership of the prototype; returns the new type number. A second
// registration of the same type name returns the existing number and
// deletes the prototype.
LOOM_API int Factory_RegisterData(CData* prototype);
// A new default object of the type, owned by the caller; null when unknown.
LOOM_API CData* Factory_MakeData(int type);
// Removes the type: its prototype is unregistered and destroyed.
LOOM_API void Factory_RemoveData(int type);

LOOM_API int Factory_GetTypeByName(const String& name);  // 0 when none
LOOM_API String Factory_GetTypeName(int type);           // "" when none
LOOM_API bool Factory_IsRegistered(int type);

// Member functions and variables of a type, declared by its prototype's
// InitData (run once, on first use).
LOOM_API const std::vector<CFunctionDecl>* Factory_GetMemberFunctions(int type);
LOOM_API void Factory_AddMemberFunction(int type, const CFunctionDecl& decl);
LOOM_API void Factory_AddMemberVariable(int type, const String& name, int varType);
LOOM_API int Factory_GetMemberVariableType(int type, const String& name);  // 0 when none

// For the reference of what scripts can call (loom --functions).
LOOM_API std::vector<int> Factory_GetTypes();  // every registered type, by number
LOOM_API std::vector<std::pair<String, int>> Factory_GetMemberVariables(int type);
// A member function as the values of one class of a type have it (the
// window functions of each window class). Only the reference reads these;
// calls go through the type's member functions.
LOOM_API void Factory_AddClassFunction(int type, const String& className, const CFunctionDecl& decl);
LOOM_API std::vector<std::pair<String, std::vector<CFunctionDecl>>> Factory_GetClassFunctions(int type);
