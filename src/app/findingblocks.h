#pragma once

#include "lang/program.h"
#include "model/canvas.h"

#include <QString>
#include <vector>

namespace talvex {

class FlowList;

// Which block emitted each line of the code view. Only while the view holds
// exactly what the flowchart generates; after a hand edit or a loaded text
// no line belongs to a block.
class FindingBlocks {
  public:
    FindingBlocks(const FlowList& flowchart, const QString& viewText);

    // The block of a 1-based line, or kNoObject.
    ObjectId BlockOfLine(int line) const;
    // The blocks of the findings about pairing, each once, in line order.
    std::vector<ObjectId> UnpairedBlocks(const std::vector<lang::Finding>& findings) const;

  private:
    std::vector<ObjectId> m_blockOfLine;
};

} // namespace talvex
