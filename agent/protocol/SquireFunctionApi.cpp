#include "SquireFunctionApi.h"

SQUIRE_FunctionAPI::~SQUIRE_FunctionAPI()
{
    ClearParameters();
    // The base destructor frees the parameters the record owns.
}
