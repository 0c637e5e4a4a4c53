#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

// The program text as bytes: every line followed by CR LF, the last one too.
std::string JoinProgramLines(const std::vector<std::string>& lines);

// A program text file as the code view holds it: each CR LF, lone CR or lone
// LF becomes one line break ("\n").
QString ProgramTextToView(std::string_view gbk);

// Generated program text as the code view holds it: only the CR LF that ends
// each line becomes a line break; a lone CR or LF inside a value stays a byte
// of its line (a raw-byte character), so saving writes it back unchanged.
QString GeneratedTextToView(std::string_view gbk);

// The code view's text as a program text file: GBK, every line break CR LF,
// no byte-order mark.
std::string ViewTextToFileBytes(const QString& viewText);

} // namespace talvex
