// The callback of the package's three keywords: `use` (declarations file),
// `define` (class alias) and `dll` (function of a Windows library).
#pragma once

#include "KestrelBaseApi.h"
#include "Loom.h"

KESTRELBASE_API void KeywordProcessor(SSI_KeywordAPI& call);
// The `define` keyword: "name = class", each side a literal or plain text.
KESTRELBASE_API CStatus DefineClass(const String& argument);
