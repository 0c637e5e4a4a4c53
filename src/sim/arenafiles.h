#pragma once

#include "sim/arena.h"

#include <optional>
#include <string>
#include <vector>

namespace talvex::sim {

// The shipped arenas live in one folder; this is the one place that knows
// where: share/talvex/arenas beside an installed program's bin folder,
// data/arenas beside a program in the build tree, or the source tree's
// data/arenas compiled in. Paths are UTF-8.
constexpr const char* kArenaExtension = ".arena";
constexpr const char* kDefaultArenaName = "room";

std::vector<std::string> ArenaFolders();

// The names (file names without ".arena") of the shipped arenas, sorted.
std::vector<std::string> ShippedArenaNames();

// An existing file path as it is, else a shipped arena's name; empty when
// neither exists.
std::string FindArena(const std::string& nameOrFile);

// FindArena, then ReadArenaFile; the message says which arenas exist when
// the name matches nothing.
std::optional<Arena> LoadArena(const std::string& nameOrFile, std::string* error);

} // namespace talvex::sim
