#pragma once

#include <string>
#include <vector>

namespace talvex {

// Folders that hold the shipped data files (the phrase list, sample arenas),
// in the order they are searched: the running executable's own folder first,
// so a copy beside the program always wins, then the installed share/talvex
// folder found relative to the executable (a package moved to another prefix
// still finds its data), then the share/talvex folder of the configured
// install prefix. Paths are UTF-8, without duplicates.
std::vector<std::string> DataFolders();

// The first existing file named relativePath (for example "arenas/maze.arena")
// in folders, DataFolders() by default; empty when none holds it.
std::string FindDataFile(const std::string& relativePath);
std::string FindDataFile(const std::string& relativePath, const std::vector<std::string>& folders);

} // namespace talvex
