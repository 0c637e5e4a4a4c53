#pragma once

#include "model/xmltext.h"

#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

class FlowList;

// A project document: root "TALVEX" with one "record" per block, each holding
// a copy of the block's CtrlNode element. An empty document (no root) is what a
// snapshot holds before it is first taken.
using ProjectDocument = std::optional<XmlElement>;

// Rebuilds target from the flowchart's blocks in FlowList order. Returns the
// reader's message when a block's node text cannot be parsed; target is then
// left as it was.
Status BuildProjectDocument(const FlowList& flowchart, XmlElement& target);
// The same from the blocks' node texts, in order.
Status BuildProjectDocument(const std::vector<std::string_view>& nodeTexts, XmlElement& target);

// The one serialisation; an empty document is the declaration line alone.
std::string SerialiseProject(const ProjectDocument& document);

// Reads and parses a project file: the document, or the message for a file
// that cannot be read, is not well-formed or holds a block record that could
// not be read back once written (EveryRecordReadsBack).
Result<XmlElement> ReadProjectFile(const QString& fileName);

// Serialises the document and replaces the file with it.
Status WriteProjectFile(const XmlElement& document, const QString& fileName);

} // namespace talvex
