#pragma once

#include "app/extratools.h"
#include "model/canvas.h"
#include "model/flowlist.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QAction;
class QCloseEvent;
class QFrame;
class QPlainTextEdit;
class QSplitter;
class QToolButton;

namespace talvex {

class CodeView;
class DocumentCommands;
class DocumentUi;
class FindingsPanel;
class ProgramCheck;
class TdxFlowChart;
class TdxNavBar;

// "TALVEX流程图(VEVO8)------VORNACO": the window caption while no project
// file is current, and its first part otherwise.
QString ApplicationTitle();

// The main window: toolbar, block palette, diagram canvas and code view. It
// owns the canvas model and the FlowList built on it.
class TForm1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    talvex::FlowList& Flows() { return m_flowList; }
    CanvasModel& Chart() { return m_chart; }

    // Stores the path (empty for an untitled document) and sets the caption:
    // the title alone, or "<title> - <file name without folder>".
    void SetCurrentFile(const QString& path);
    const QString& CurrentFileName() const { return m_currentFileName; }

    // Result of the last unsaved-changes check, kept by the document commands.
    uint8_t ModifiedFlag = 0;

    // The property dispatcher answers double clicks on the canvas through this.
    void SetDblClickHandler(std::function<void()> handler) { m_dblClickHandler = std::move(handler); }

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

    QFrame* Panel1 = nullptr;
    TdxNavBar* dxNavBar1 = nullptr;
    TdxFlowChart* dxFlowChart1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    // Under the code view, shown by the first check.
    FindingsPanel* Findings = nullptr;
    ProgramCheck& Check() { return *m_check; }

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
    // A double click on the canvas.
    void dxFlowChart1DblClick();

  protected:
    // Closing with unsaved changes asks as New does; "Cancel" keeps the window.
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildToolbar();
    void FormCreate();

    CanvasModel m_chart;
    talvex::FlowList m_flowList{m_chart};
    QString m_currentFileName;
    std::function<void()> m_dblClickHandler;
    std::array<QToolButton*, 10> m_buttons{};
    std::unique_ptr<DocumentUi> m_documentUi;
    std::unique_ptr<DocumentCommands> m_documents;
    ProgramCheck* m_check = nullptr;
};

} // namespace talvex
