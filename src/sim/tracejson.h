#pragma once

#include "sim/simulation.h"

#include <string>

namespace talvex::sim {

// One trace record as a line of JSON (UTF-8, no line break): the fields
// docs/simulator.md lists, and the event's details when something happened.
std::string TraceJson(const TraceRecord& record);

} // namespace talvex::sim
