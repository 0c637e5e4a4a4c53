#pragma once

#include "model/status.h"
#include "project/projectfile.h"

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace talvex {

class Document;
class DocumentUi;

// True when the name's extension (from its last dot, provided no directory
// separator or drive colon follows it) is ".lcc" in any letter case.
bool HasProjectExtension(const QString& fileName);

// The unsaved-changes questions (GBK).
std::string UntitledSavePrompt();
std::string TitledSavePrompt(const QString& fileName);

// The document commands of the main window: New, Open, Save, Save As, the
// program text file commands and the generate command. The document they act
// on keeps the current file, the modified flag and the snapshot.
class DocumentCommands {
  public:
    DocumentCommands(Document& document, QPlainTextEdit& codeView, DocumentUi& ui);
    // The voice phrase list (GBK, entry k naming phrase k) used for captions when loading.
    std::function<std::vector<std::string>()> VoicePhrases;

    enum class SaveOutcome { Written, NothingWritten, Failed };

    void New();                 // SpeedButton1
    void Open();                // SpeedButton2
    SaveOutcome Save();         // SpeedButton3
    SaveOutcome SaveAs();       // SpeedButton4
    void GenerateProgramText(); // SpeedButton7
    void SaveProgramText();     // SpeedButton9
    void LoadProgramText();     // SpeedButton10

    // The question New and Open ask first; true to go on.
    bool AskToSaveChanges();
    // The same question when the main window is about to close; a save that
    // wrote nothing or failed keeps the window open. A flowchart whose
    // document cannot be built counts as changed, so "No" always closes.
    bool CanClose();

    SaveOutcome SaveProjectTo(const QString& fileName);

  private:
    bool AskToSaveChanges(bool closing);

    Document& m_document;
    FlowList& m_flowchart;
    QPlainTextEdit& m_codeView;
    DocumentUi& m_ui;
};

} // namespace talvex
