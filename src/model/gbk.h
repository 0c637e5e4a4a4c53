#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace talvex {

// Everything the program stores or sends is GBK (code page 936). Source files
// are UTF-8, so literal texts pass through Gbk() once; widgets convert with
// FromGbk()/ToGbk() where they show or take text.
//
// The conversion is lossless: a byte that is not part of a GBK character
// (a lone lead byte, an unassigned pair) becomes the private-use character
// RawByteChar(byte), which ToGbk() turns back into that byte. Widgets show
// those characters marked, so the user sees that they are there.
std::string Gbk(std::string_view utf8);
QString FromGbk(std::string_view gbk);
std::string ToGbk(const QString& text);

// The same for single-line fields: CR and LF, which a one-line edit cannot
// hold, travel as raw-byte characters too.
QString FromGbkField(std::string_view gbk);

// The private-use character standing for a raw byte, and the reverse
// (-1 for any other character).
QChar RawByteChar(unsigned char byte);
int RawByteOf(QChar c);

} // namespace talvex
