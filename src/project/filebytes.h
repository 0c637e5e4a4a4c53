#pragma once

#include "model/status.h"

#include <QString>
#include <string>
#include <string_view>

namespace talvex {

// Failure messages start with a Chinese sentence naming the file, followed on
// the next line by "Cannot open file \"%s\". %s" (an existing file) or
// "Cannot create file \"%s\". %s" (a missing one) with the system's reason.

// Reads a whole file.
Result<std::string> ReadWholeFile(const QString& fileName);

// Replaces the file's content with bytes. An ordinary file in a folder the
// user can write gets the bytes through a temporary file beside it, which then
// takes its place, so a failed write never leaves a half-written file behind.
// A file in a folder the user cannot write, a symbolic link and a device are
// truncated and written where they are; every failed write is reported.
Status WriteWholeFile(const QString& fileName, std::string_view bytes);

} // namespace talvex
