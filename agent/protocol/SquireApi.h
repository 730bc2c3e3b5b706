// Export and import of the agent's entry points across the Squire library
// boundary.
#pragma once

#if defined(SQUIRE_BUILDING)
#  define SQUIRE_API __declspec(dllexport)
#else
#  define SQUIRE_API __declspec(dllimport)
#endif

// Plain entry points: undecorated names, caller removes the arguments.
#define SQUIRE_ENTRY extern "C" SQUIRE_API
