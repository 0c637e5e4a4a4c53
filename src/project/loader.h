#pragma once

#include "model/caption.h"
#include "model/ctrlnode.h"
#include "model/status.h"
#include "model/xmltext.h"

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace talvex {

class FlowList;

// A block as a project document describes it.
struct ProjectBlock {
    int32_t kindCode;       // 576 + the record's "type"
    std::string nodeText;   // canonical text of the record's element
    const XmlElement* node; // that element, inside the document
};

// The blocks of a parsed project document, in order: the root's children, each
// one's first child element taken as a CtrlNode. Records without a child
// element or whose "type" names no block (missing, not an integer, 0, 14,
// negative, above 32) are skipped.
std::vector<ProjectBlock> ProjectBlocks(const XmlElement& root);

// The reader accepts a CDATA section holding "<" or a single-quoted attribute
// holding a double quote, but the writer escapes nothing, so such a record
// would become a block whose node text no later command can read. Returns the
// message naming the first such record (its place among the root's children,
// counting from 1); success when every block record reads back unchanged.
Status EveryRecordReadsBack(const XmlElement& root);

// Replaces the flowchart by the blocks of an already parsed project document
// (ProjectBlocks). Captions of expressions, subroutines and voice blocks are rebuilt; voicePhrases is the
// GBK phrase list, entry k naming phrase k. All panels are made inside one
// canvas update bracket and laid out once at the end.
void RebuildFlowchart(FlowList& flowchart, const XmlElement& root, const std::vector<std::string>& voicePhrases);

// Reads the file and, only when it parses, rebuilds the flowchart from it.
// On failure the flowchart is untouched and the reader's message returned.
Status LoadProjectInto(FlowList& flowchart, const QString& fileName, const std::vector<std::string>& voicePhrases);

// The caption and height a loaded block of this kind and node gets: a change
// for expressions, subroutines and voice blocks, none for the other kinds.
CaptionChange LoadedCaption(int32_t kindCode, const CtrlNode& node, const std::vector<std::string>& voicePhrases);

// The caption shown for a voice block's phrase index: the phrase, or the
// index in decimal when the list has no such entry.
std::string VoicePhraseText(int32_t index, const std::vector<std::string>& voicePhrases);

} // namespace talvex
