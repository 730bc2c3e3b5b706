// Export and import of KestrelBase's classes and entry points.
#pragma once

#include "LoomApi.h"

#if defined(KESTRELBASE_BUILDING)
#  define KESTRELBASE_API __declspec(dllexport)
#else
#  define KESTRELBASE_API __declspec(dllimport)
#endif
