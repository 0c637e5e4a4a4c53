#pragma once

#include "lang/program.h"

#include <QListWidget>
#include <vector>

namespace talvex {

// The list of the checker's findings under the code view: one row per finding,
// "第N行 第M列 错误: message". A click on a row reports its finding.
class FindingsPanel : public QListWidget {
    Q_OBJECT
  public:
    explicit FindingsPanel(QWidget* parent = nullptr);

    // Replaces the rows; an empty list shows that nothing was found.
    void ShowFindings(const std::vector<lang::Finding>& findings);
    const std::vector<lang::Finding>& Findings() const { return m_findings; }

  signals:
    void FindingClicked(const talvex::lang::Finding& finding);

  private:
    std::vector<lang::Finding> m_findings;
};

} // namespace talvex
