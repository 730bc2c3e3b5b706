// Keeps the interpreter's internal classes out of the Loom library's
// exported symbols on ELF systems, so calls between them are direct rather
// than through the procedure linkage table. (On Windows only what is marked
// for export leaves the DLL anyway.)
#pragma once

#if defined(__ELF__)
#  define LOOM_INTERNAL_BEGIN _Pragma("GCC visibility push(hidden)")
#  define LOOM_INTERNAL_END _Pragma("GCC visibility pop")
#  define LOOM_INTERNAL __attribute__((visibility("hidden")))
#else
#  define LOOM_INTERNAL_BEGIN
#  define LOOM_INTERNAL_END
#  define LOOM_INTERNAL
#endif
