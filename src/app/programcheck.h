#pragma once

#include "lang/program.h"

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QAction;

namespace talvex {

class CodeView;
class FindingsPanel;

// The check command ("检查", F7): checks the code view's text, lists the
// findings in the panel under it and lets a click on one select its line.
// Checking never changes the text and never blocks anything.
class ProgramCheck : public QObject {
    Q_OBJECT
  public:
    ProgramCheck(CodeView& view, FindingsPanel& panel, QObject* parent = nullptr);

    QAction* Action() const { return m_action; }

    // Checks now and shows the panel; returns the findings.
    const std::vector<lang::Finding>& Run();

  signals:
    // After every check, with the findings shown.
    void Checked(const std::vector<talvex::lang::Finding>& findings);
    // A click on a finding, after its line has been selected.
    void FindingActivated(const talvex::lang::Finding& finding);

  private:
    CodeView& m_view;
    FindingsPanel& m_panel;
    QAction* m_action;
};

// The errors (not warnings) of a code view text.
int CountProgramErrors(const QString& viewText);

} // namespace talvex
