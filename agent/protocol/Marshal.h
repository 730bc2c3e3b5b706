// Records written into and read from the shared block: data objects (type
// number and payload) and call records. Every reader and writer stays inside
// the view the address belongs to; a record that does not fit fails.
#pragma once

#include "SquireApi.h"

#include "Loom.h"

// Longest string a record carries: the block less 1,000 bytes and the
// 4-byte type field.
constexpr int32_t kSquireMaxString = 8387604;

SQUIRE_ENTRY int WriteDataObject(void* destination, CData* data);
SQUIRE_ENTRY CData* ReadDataObject(const void* source, int* count);
SQUIRE_ENTRY int WriteFunctionAPI(void* destination, SSI_FunctionAPI* call);
SQUIRE_ENTRY int ReadFunctionAPI(const void* source, SSI_FunctionAPI* call);

namespace squire {

// The same operations on an explicit buffer [p, end): used by the exported
// functions with the bounds of the view, and by tests.
SQUIRE_API int WriteDataObjectIn(unsigned char* p, unsigned char* end, CData* data);
SQUIRE_API CData* ReadDataObjectIn(const unsigned char* p, const unsigned char* end, int* count);
SQUIRE_API int WriteFunctionApiIn(unsigned char* p, unsigned char* end, SSI_FunctionAPI* call, int* written);
SQUIRE_API int ReadFunctionApiIn(const unsigned char* p, const unsigned char* end, SSI_FunctionAPI* call, int* read);

}  // namespace squire
