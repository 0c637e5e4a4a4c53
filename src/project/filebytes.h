#pragma once

#include "model/status.h"

#include <QString>
#include <string>
#include <string_view>

namespace talvex {

// Reads a whole file. Returns "Cannot open file \"%s\". %s" when it cannot.
Result<std::string> ReadWholeFile(const QString& fileName);

// Replaces the file's content with bytes. The bytes go to a temporary file
// beside the target, which then takes the target's place, so a failed write
// never leaves a half-written file behind. Returns "Cannot open file \"%s\". %s"
// for an existing file, "Cannot create file \"%s\". %s" for a missing one.
Status WriteWholeFile(const QString& fileName, std::string_view bytes);

} // namespace talvex
