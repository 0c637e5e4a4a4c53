#pragma once

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace talvex {

// Lines of a text: a line ends at CR LF, at a lone LF or at a lone CR; a break
// at the very end does not start another line. An empty text has no lines.
std::vector<std::string> SplitLines(const std::string& text);

// Cleans program lines for the robot: everything from the first "/*" of a line
// on is cut, trailing characters up to code 32 go, and lines left empty are
// dropped.
std::vector<std::string> StripCommentLines(const std::vector<std::string>& lines);

// Creates a new empty file named "qzr..." in the system's temporary folder and
// returns its path; empty with error set when the system refuses.
QString MakeTempFileName(std::string* error);

// Writes each line followed by CR LF, replacing the file's content.
bool WriteLines(const QString& path, const std::vector<std::string>& lines, std::string* error);

// Reads source as lines and writes the cleaned lines to target. A missing
// source does nothing and leaves target as it was.
bool StripComments(const QString& source, const QString& target, std::string* error);

// The steps of the download command: nothing for a text without lines;
// otherwise the text goes into a first temporary file, is cleaned into a
// second one, and startTransfer is called with the second; both files are
// removed afterwards. False with error set when a file could not be made.
using StartTransferFunction = std::function<void(const QString& path)>;
bool RunDownloadPreparation(const std::vector<std::string>& lines, const StartTransferFunction& startTransfer,
                            std::string* error);

} // namespace talvex
