#pragma once

#include <QString>

#include "swf/avm1/Value.h"

namespace quelvo::swf::avm1 {

// An ActionScript exception (Throw, or an error a built-in raises). Try
// blocks catch it; one that nobody catches ends the entry and is logged.
struct ScriptThrow {
  Value value;
};

// Ends the current entry (frame script, event, interval) at once: the step
// budget is spent, calls nest too deep, a memory limit is reached. Scripts
// cannot catch it; the movie goes on with its next entry.
struct ScriptAbort {
  QString reason;
};

}  // namespace quelvo::swf::avm1
