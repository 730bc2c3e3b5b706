// Export and import of the classes that other packages use (CDataBitmap,
// CDataFile and the other data types of the standard package).
#pragma once

#include "LoomApi.h"

#if defined(_WIN32)
#  if defined(ALMANAC_BUILDING)
#    define ALMANAC_API __declspec(dllexport)
#  else
#    define ALMANAC_API __declspec(dllimport)
#  endif
#else
#  define ALMANAC_API __attribute__((visibility("default")))
#endif
