// The benchmarks' way to name a control of a KestrelTarget dialog: described
// as a declarations file would, so a call goes through the real lookup.
#pragma once

#include "ClassWindow.h"

inline void Describe(CDataWindow& dialog, const char* caption, CDataWindow& control, const char* cls, int n,
                     const char* tag = "")
{
    dialog.windowClass = "#32770";
    dialog.tag = caption;
    control.windowClass = cls;
    control.tagNumber = n;
    control.tag = tag;
    control.name = "Control";
    dialog.ConstructChildPath(&control);
}
