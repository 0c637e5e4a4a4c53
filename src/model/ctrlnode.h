#pragma once

#include "model/caption.h"
#include "model/xmltext.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace talvex {

// A block's parameter record: root "CtrlNode" with its "type" attribute and one
// child per parameter. Parsed nodes are transient; CtrlNodeText is the record.
using CtrlNode = XmlElement;

CtrlNode NewCtrlNode(int32_t type);
void AddIntParam(CtrlNode& node, std::string_view name, int32_t value);
void AddFlagParam(CtrlNode& node, std::string_view name, bool value);
void AddTextParam(CtrlNode& node, std::string_view name, std::string_view text);

// -1 when the child is missing, empty or not an integer.
int32_t IntParam(const CtrlNode& node, std::string_view name);
// Empty when the child is missing.
std::string TextParam(const CtrlNode& node, std::string_view name);
// True when the child is missing or empty; otherwise the text read as a flag.
bool FlagParam(const CtrlNode& node, std::string_view name);
// The "type" attribute by the rule of IntParam.
int32_t NodeType(const CtrlNode& node);

// The integer rule of IntParam applied to a text.
int32_t ParseIntText(std::string_view text);
// The flag rule of FlagParam applied to a non-empty text.
bool ParseFlagText(std::string_view text);

Result<XmlElement> ParseCtrlNode(std::string_view text);
std::string FormatCtrlNode(const CtrlNode& node);
// The default node text of a kind code; empty for kinds without one.
std::string DefaultCtrlNode(int32_t kindCode);

std::string EscapeValueText(std::string_view text);
std::string UnescapeValueText(std::string_view text);

// Subroutine names ("sub") keep every byte as typed except "<", ">" and "&",
// which are stored as "&lt;", "&gt;" and "&amp;" so that the node stays
// readable. Shown names are always passed through UnescapeSubName.
std::string EscapeSubName(std::string_view name);
std::string UnescapeSubName(std::string_view stored);

} // namespace talvex
