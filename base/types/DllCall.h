// Calls a library function with a fixed area of 16 argument words.
#pragma once

#include <cstdint>

constexpr int kDllArgumentWords = 16;

// Calls `function` with words[0..15], word 0 first, and returns its result
// word. On i686 the caller's stack position is restored from its own frame
// after the call, so functions that remove their own arguments (stdcall)
// and functions that leave them to the caller (cdecl) are both safe; x86-64
// Windows has one convention.
uintptr_t CallWithWords(const void* function, const uintptr_t (&words)[kDllArgumentWords]);
