#pragma once

#include "model/status.h"

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
// returns its path, or the system's message when it refuses.
Result<QString> MakeTempFileName();

// Writes each line followed by CR LF, replacing the file's content.
Status WriteLines(const QString& path, const std::vector<std::string>& lines);

// Reads source as lines and writes the cleaned lines to target. A missing
// source does nothing and leaves target as it was.
Status StripComments(const QString& source, const QString& target);

// The steps of the download command: nothing for a text without lines;
// otherwise the text goes into a first temporary file, is cleaned into a
// second one, and startTransfer is called with the second; both files are
// removed afterwards. Fails with the system's message when a file could not
// be made.
using StartTransferFunction = std::function<void(const QString& path)>;
Status RunDownloadPreparation(const std::vector<std::string>& lines, const StartTransferFunction& startTransfer);

} // namespace talvex
