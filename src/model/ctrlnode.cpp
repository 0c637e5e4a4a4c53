#include "model/ctrlnode.h"

#include "model/catalog.h"
#include "model/gbk.h"

#include <cstdint>
#include <limits>

namespace talvex {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool StartsWithNoCase(std::string_view text, size_t pos, std::string_view prefix)
{
    if (text.size() - pos < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = text[pos + i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
        if (c != prefix[i])
            return false;
    }
    return true;
}

// A numeric reference starting at text[pos] == '&' and text[pos+1] == '#'.
// Returns the number of bytes consumed, 0 when it is not a usable reference.
size_t ReadNumericReference(std::string_view text, size_t pos, char& byte)
{
    size_t i = pos + 2;
    bool hex = false;
    if (i < text.size() && (text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    }
    const size_t digitsStart = i;
    unsigned lowByte = 0;
    bool nonZero = false;
    while (i < text.size()) {
        const int digit = hex ? HexValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
        if (digit < 0)
            break;
        // Only the low eight bits matter, and whether the number is above 0.
        lowByte = (lowByte * (hex ? 16u : 10u) + static_cast<unsigned>(digit)) & 0xFFu;
        nonZero = nonZero || digit != 0;
        ++i;
    }
    if (i == digitsStart || i >= text.size() || text[i] != ';' || !nonZero)
        return 0;
    byte = static_cast<char>(lowByte);
    return i + 1 - pos;
}

const XmlElement* Child(const CtrlNode& node, std::string_view name)
{
    return node.FindChild(name);
}

} // namespace

CtrlNode NewCtrlNode(int32_t type)
{
    CtrlNode node;
    node.name = "CtrlNode";
    node.attributes.emplace_back("type", std::to_string(type));
    return node;
}

void AddIntParam(CtrlNode& node, std::string_view name, int32_t value)
{
    AddTextParam(node, name, std::to_string(value));
}

void AddFlagParam(CtrlNode& node, std::string_view name, bool value)
{
    AddTextParam(node, name, value ? "-1" : "0");
}

void AddTextParam(CtrlNode& node, std::string_view name, std::string_view text)
{
    XmlElement child;
    child.name = std::string(name);
    child.text = std::string(text);
    node.children.push_back(std::move(child));
}

int32_t ParseIntText(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int base = 10;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        return -1;
    uint64_t value = 0;
    const uint64_t limit =
        base == 16 ? std::numeric_limits<uint64_t>::max() : static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    for (; i < text.size(); ++i) {
        const int digit = base == 16 ? HexValue(text[i]) : (IsDigit(text[i]) ? text[i] - '0' : -1);
        if (digit < 0)
            return -1;
        if (value > (limit - static_cast<uint64_t>(digit)) / static_cast<uint64_t>(base))
            return -1;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    // Read with 64 bits, used as a 32-bit signed value.
    const uint64_t signedValue = negative ? (~value + 1) : value;
    return static_cast<int32_t>(static_cast<uint32_t>(signedValue & 0xFFFFFFFFu));
}

bool ParseFlagText(std::string_view text)
{
    if (text.size() == 4 && StartsWithNoCase(text, 0, "true"))
        return true;
    if (text.size() == 5 && StartsWithNoCase(text, 0, "false"))
        return false;
    // A number: optional sign, digits, optional fraction and exponent.
    size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    bool digits = false;
    bool nonZero = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        digits = true;
        nonZero = nonZero || text[i] != '0';
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        for (; i < text.size() && IsDigit(text[i]); ++i) {
            digits = true;
            nonZero = nonZero || text[i] != '0';
        }
    }
    if (!digits)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '-' || text[i] == '+'))
            ++i;
        if (i >= text.size() || !IsDigit(text[i]))
            return false;
        while (i < text.size() && IsDigit(text[i]))
            ++i;
    }
    return i == text.size() && nonZero;
}

int32_t IntParam(const CtrlNode& node, std::string_view name)
{
    const XmlElement* child = Child(node, name);
    return child ? ParseIntText(child->text) : -1;
}

std::string TextParam(const CtrlNode& node, std::string_view name)
{
    const XmlElement* child = Child(node, name);
    return child ? child->text : std::string();
}

bool FlagParam(const CtrlNode& node, std::string_view name)
{
    const XmlElement* child = Child(node, name);
    if (!child || child->text.empty())
        return true;
    return ParseFlagText(child->text);
}

int32_t NodeType(const CtrlNode& node)
{
    const std::string* type = node.Attribute("type");
    return type ? ParseIntText(*type) : -1;
}

Result<XmlElement> ParseCtrlNode(std::string_view text)
{
    return ReadXmlText(text);
}

std::string FormatCtrlNode(const CtrlNode& node)
{
    return WriteXmlText(node);
}

std::string DefaultCtrlNode(int32_t kindCode)
{
    const BlockInfo* info = FindBlockKind(kindCode);
    if (!info || !info->hasDefaultNode)
        return std::string();
    CtrlNode node = NewCtrlNode(info->item);
    for (const ParamSpec& param : info->params) {
        switch (param.cls) {
        case ParamClass::Integer:
            AddIntParam(node, param.name, param.defaultValue);
            break;
        case ParamClass::Flag:
            AddFlagParam(node, param.name, false);
            break;
        case ParamClass::Text:
        case ParamClass::EscapedText:
            AddTextParam(node, param.name, "");
            break;
        }
    }
    return FormatCtrlNode(node);
}

std::string EscapeValueText(std::string_view text)
{
    static const char* const hexDigits = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out += "&quot;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '\'':
            out += "&apos;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            if (byte >= 0x80) {
                out += "&#x";
                out += hexDigits[byte >> 4];
                out += hexDigits[byte & 0x0F];
                out += ';';
            } else {
                out += c;
            }
        }
    }
    return out;
}

std::string UnescapeValueText(std::string_view text)
{
    static const struct {
        std::string_view name;
        char byte;
    } named[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&apos;", '\''}, {"&quot;", '"'}};
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        size_t consumed = 0;
        char byte = 0;
        for (const auto& entity : named) {
            if (StartsWithNoCase(text, i, entity.name)) {
                consumed = entity.name.size();
                byte = entity.byte;
                break;
            }
        }
        if (consumed == 0 && i + 1 < text.size() && text[i + 1] == '#')
            consumed = ReadNumericReference(text, i, byte);
        if (consumed == 0) {
            out += '&';
            ++i;
            continue;
        }
        out += byte;
        i += consumed;
    }
    return out;
}

std::string EscapeSubName(std::string_view name)
{
    std::string out;
    out.reserve(name.size());
    for (char c : name) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else
            out += c;
    }
    return out;
}

std::string UnescapeSubName(std::string_view stored)
{
    std::string out;
    out.reserve(stored.size());
    size_t i = 0;
    while (i < stored.size()) {
        if (stored.compare(i, 4, "&lt;") == 0) {
            out += '<';
            i += 4;
        } else if (stored.compare(i, 4, "&gt;") == 0) {
            out += '>';
            i += 4;
        } else if (stored.compare(i, 5, "&amp;") == 0) {
            out += '&';
            i += 5;
        } else {
            out += stored[i++];
        }
    }
    return out;
}

} // namespace talvex
