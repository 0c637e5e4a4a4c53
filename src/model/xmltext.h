#pragma once

#include "model/status.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace talvex {

// One element of the XML text form. An element with children has no value;
// text is only written when children is empty.
struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text;
    std::vector<XmlElement> children;
    // The element's first child node is text, CDATA, a comment or a processing
    // instruction rather than an element (white space between tags aside).
    bool leadsWithNonElement = false;

    XmlElement* FindChild(std::string_view childName); // case-insensitive, first match
    const XmlElement* FindChild(std::string_view childName) const;
    const std::string* Attribute(std::string_view attrName) const; // exact name, first match
};

// Deepest nesting the reader accepts; deeper input is refused with a message.
constexpr int kMaxXmlDepth = 256;

// The one serialisation: declaration line, two blanks of indent per level,
// CR LF after every line, nothing escaped.
std::string WriteXmlText(const XmlElement& root);
// The element rule alone, appended to out (used for documents without a root).
void AppendXmlElement(std::string& out, const XmlElement& element, std::string& indent);
// The declaration line with its CR LF; also what an empty document serialises to.
const std::string& XmlDeclarationLine();

// Reads an XML text by the reading rules: optional declaration, comments and a
// document type declaration before the root, either quote, no entity decoding,
// leading white space of values dropped and runs of blanks reduced to one,
// bytes 0x80-0xFF passed through whatever the declaration names. Gives the
// root element or the reader's message.
Result<XmlElement> ReadXmlText(std::string_view bytes);

} // namespace talvex
