#include "FormatCheck.h"

#include <cstring>

namespace almanac {

namespace {

// Reads a run of digits; false when it exceeds kMaxFormatField.
bool ReadField(const char*& p)
{
    long value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + (*p - '0');
        if (value > kMaxFormatField) return false;
        ++p;
    }
    return true;
}

}  // namespace

bool IsSingleValueFormat(const char* fmt, FormatArg kind)
{
    if (!fmt) return false;
    int conversions = 0;
    for (const char* p = fmt; *p; ++p) {
        if (*p != '%') continue;
        ++p;
        if (*p == '%') continue;  // literal percent sign
        if (*p == '\0') return false;  // a lone '%' at the end
        while (*p && std::strchr("-+ #0", *p)) ++p;
        if (!ReadField(p)) return false;
        if (*p == '.') {
            ++p;
            if (!ReadField(p)) return false;
        }
        // '*' and '$' would take further arguments.
        if (*p == '*' || *p == '$') return false;
        bool longModifier = false;
        if (*p == 'l') {
            longModifier = true;
            ++p;
        }
        if (*p == '\0') return false;
        const char conv = *p;
        if (kind == FormatArg::Int) {
            if (longModifier || !std::strchr("diouxXc", conv)) return false;
        } else {
            if (!std::strchr("fFeEgGaA", conv)) return false;
        }
        ++conversions;
    }
    return conversions == 1;
}

}  // namespace almanac
