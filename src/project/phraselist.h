#pragma once

#include <string>
#include <vector>

namespace talvex {

// The voice module's phrase list: line k of "qzvoc.txt" names phrase k.

constexpr const char* kPhraseListFileName = "qzvoc.txt";
constexpr int kNumberedPhraseCount = 128;

// The lines of the file as GBK byte strings, split at CR LF, LF or CR; a final
// line break adds no item, blank lines stay items. A missing or unreadable
// file gives an empty list and *found = false.
std::vector<std::string> ReadPhraseList(const std::string& path, bool* found = nullptr);
// "0" .. "127", the list used when there is no file.
std::vector<std::string> NumberedPhraseList();
// The path of the phrase list beside the running executable (UTF-8).
std::string PhraseListPath();
// The list the editor uses: the file beside the executable, else the one an
// installed copy ships in its data folder (DataFolders), else the numbers.
std::vector<std::string> LoadPhraseList();
// The same search through the given folders, in order.
std::vector<std::string> LoadPhraseList(const std::vector<std::string>& folders);

} // namespace talvex
