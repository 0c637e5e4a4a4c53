#pragma once

#include "app/extratools.h"
#include "model/canvas.h"
#include "model/flowlist.h"
#include "project/document.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QCloseEvent;
class QFrame;
class QPlainTextEdit;
class QSplitter;
class QToolButton;

namespace talvex {

class CanvasMarks;
class CodeView;
class DocumentCommands;
class DocumentUi;
class EditCommands;
class FindingsPanel;
class ProgramCheck;
class TdxFlowChart;
class TdxNavBar;

// "TALVEX流程图(VEVO8)------VORNACO": the window caption while no project
// file is current, and its first part otherwise.
QString ApplicationTitle();

// The main window: toolbar, block palette, diagram canvas and code view. It
// shows its document (the flowchart, the file name, the modified state) and
// forwards the user's commands to it.
class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    Document& CurrentDocument() { return m_document; }
    talvex::FlowList& Flows() { return m_document.Flows(); }
    CanvasModel& Chart() { return m_document.Canvas(); }

    // Stores the path (empty for an untitled document) in the document; the
    // caption follows: the title alone, or "<title> - <file name without folder>".
    void SetCurrentFile(const QString& path);
    const QString& CurrentFileName() const { return m_document.CurrentFileName(); }

    QToolButton* SpeedButton(int n) const; // 1..10, nullptr outside

    // Puts a command beyond the original ten on its toolbar spot: a button
    // showing the action (picture, tooltip, enabled state). The action stays
    // the caller's; its shortcut works anywhere in the window.
    QToolButton* AddExtraTool(ExtraTool tool, QAction* action);
    QToolButton* ExtraToolButton(ExtraTool tool) const;
    // Adds an action to the canvas's context menu, in call order; nullptr adds a separator.
    void AddCanvasMenuAction(QAction* action);

    // New, Open, Save, Save As, generate and the program text file commands.
    DocumentCommands& Documents() { return *m_documents; }
    // Undo, redo and removing the selected block.
    EditCommands& Edits() { return *m_edits; }

    QFrame* Panel1() const { return m_panel1; }
    TdxNavBar* dxNavBar1() const { return m_dxNavBar1; }
    TdxFlowChart* dxFlowChart1() const { return m_dxFlowChart1; }
    QSplitter* Splitter1() const { return m_splitter1; }
    QPlainTextEdit* Memo1() const { return m_memo1; }
    // Under the code view, shown by the first check.
    FindingsPanel* Findings() const { return m_findings; }
    ProgramCheck& Check() { return *m_check; }
    // Outlines over the canvas around the blocks the last check found unpaired.
    CanvasMarks* Marks() const { return m_marks; }

    // Asked before a download of a program with errors; true sends anyway.
    std::function<bool(int errors)> AskDownloadDespiteErrors;

  public slots:
    // Document commands: new, open, save, save as.
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    // Close the main window, which ends the application (after the unsaved-changes question).
    void SpeedButton5Click();
    // Download: hands the code view to the download dialog.
    void SpeedButton6Click();
    // Generate the program text into the code view.
    void SpeedButton7Click();
    // About.
    void SpeedButton8Click();
    // Save the code view as a program text file / load one into it.
    void SpeedButton9Click();
    void SpeedButton10Click();

    // A click on a shown palette item: insert that block after the selected spot.
    void dxNavBar1ItemClick(int item);

  protected:
    // Closing with unsaved changes asks as New does; "Cancel" keeps the window.
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildToolbar();
    void FormCreate();
    void ShowFileName(const QString& path);
    void ShowModified(bool modified);

    Document m_document;
    QFrame* m_panel1 = nullptr;
    TdxNavBar* m_dxNavBar1 = nullptr;
    TdxFlowChart* m_dxFlowChart1 = nullptr;
    QSplitter* m_splitter1 = nullptr;
    QPlainTextEdit* m_memo1 = nullptr;
    std::array<QToolButton*, 10> m_buttons{};
    std::unique_ptr<DocumentUi> m_documentUi;
    std::unique_ptr<DocumentCommands> m_documents;
    EditCommands* m_edits = nullptr;
    FindingsPanel* m_findings = nullptr;
    ProgramCheck* m_check = nullptr;
    CanvasMarks* m_marks = nullptr;
};

} // namespace talvex
