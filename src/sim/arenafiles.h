#pragma once

#include "sim/arena.h"

#include <string>
#include <vector>

namespace talvex::sim {

// The shipped arenas live in the "arenas" folder of the shipped data
// (DataFolders: beside the program, then share/talvex); a program run from
// the build tree falls back to the source tree's data/arenas. This is the one
// place that looks arenas up. Paths are UTF-8.
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
Result<Arena> LoadArena(const std::string& nameOrFile);

// The voice phrases' texts for voicex: the phrase list the editor would use,
// or nothing when there is no file (the numbers the editor falls back on are
// no texts).
std::vector<std::string> PhraseTexts();

} // namespace talvex::sim
