#pragma once

#include "lang/program.h"

namespace talvex::lang {

// Adds the findings about values to a parsed program: constant arguments out
// of their device's range, malformed notes and divisions by a constant 0.
void CheckValues(Program& program);

} // namespace talvex::lang
