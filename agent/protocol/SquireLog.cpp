#include "SquireLog.h"

void SquireLog(const char* text)
{
    (void)text;
}

void SquireClear()
{
}
