// Export and import of the engine's classes across the Loom library boundary.
#pragma once

#if defined(_WIN32)
#  if defined(LOOM_BUILDING)
#    define LOOM_API __declspec(dllexport)
#  else
#    define LOOM_API __declspec(dllimport)
#  endif
#  define LOOM_EXPORT __declspec(dllexport)
#else
#  define LOOM_API __attribute__((visibility("default")))
#  define LOOM_EXPORT __attribute__((visibility("default")))
#endif

// Plain exported entry points of packages (RegisterFunctions and friends):
// undecorated names, caller removes the arguments.
#define LOOM_PACKAGE_ENTRY extern "C" LOOM_EXPORT

#if defined(__GNUC__)
#  define LOOM_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#  define LOOM_PRINTF(fmt, args)
#endif
