#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace talvex {

// Everything the program stores or sends is GBK (code page 936). Source files
// are UTF-8, so literal texts pass through Gbk() once; widgets convert with
// FromGbk()/ToGbk() where they show or take text.
std::string Gbk(std::string_view utf8);
QString FromGbk(std::string_view gbk);
std::string ToGbk(const QString& text);

} // namespace talvex
