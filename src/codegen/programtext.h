#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

// The program text as bytes: every line followed by CR LF, the last one too.
std::string JoinProgramLines(const std::vector<std::string>& lines);

// GBK program text as the code view holds it: each CR LF, lone CR or lone LF
// becomes one line break ("\n").
QString ProgramTextToView(std::string_view gbk);

// The code view's text as a program text file: GBK, every line break CR LF,
// no byte-order mark.
std::string ViewTextToFileBytes(const QString& viewText);

} // namespace talvex
