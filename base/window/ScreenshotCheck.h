// The global function CheckScreenshot(window w, string name, int tolerance,
// int maxDiffPixels): compares the window's own rendering of its client
// area with baselines/<name>.png beside the script. The window is looked
// up as window functions do (waiting up to about five seconds for it), and
// captured until two captures in a row agree (at most about a second), so
// a window that is still painting is not taken half drawn.
//
// - No baseline yet: it is written, with a warning (5910), result true.
// - loom --update-baselines (KESTREL_UPDATE_BASELINES set): the baseline
//   is rewritten, with a warning (5916), result true.
// - Otherwise the pixels differing by more than the tolerance are counted;
//   more than maxDiffPixels writes <name>-actual.png and <name>-diff.png to
//   the artifacts folder (KESTREL_ARTIFACTS) or else beside the script,
//   reports an error naming both and the count (5911), result false. A
//   different size (or depth) is its own error (5912), with the actual
//   image written the same way.
#pragma once

#include "Loom.h"

namespace kestrel {

void CallCheckScreenshot(SSI_FunctionAPI& call);

}  // namespace kestrel
