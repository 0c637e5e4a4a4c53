#include "app/documentcommands.h"

#include "app/documentui.h"
#include "codegen/generator.h"
#include "codegen/programtext.h"
#include "model/flowlist.h"
#include "model/gbk.h"
#include "project/document.h"
#include "project/filebytes.h"
#include "project/loader.h"

#include <QFileInfo>
#include <QPlainTextEdit>

namespace talvex {

namespace {

constexpr int kEmptyFlowchartItems = 3;

// Keeps the code view from redrawing until the whole text is in place.
class UpdateBracket {
  public:
    explicit UpdateBracket(QWidget& widget) : m_widget(widget) { m_widget.setUpdatesEnabled(false); }
    ~UpdateBracket() { m_widget.setUpdatesEnabled(true); }
    UpdateBracket(const UpdateBracket&) = delete;
    UpdateBracket& operator=(const UpdateBracket&) = delete;

  private:
    QWidget& m_widget;
};

} // namespace

bool HasProjectExtension(const QString& fileName)
{
    for (qsizetype i = fileName.size() - 1; i >= 0; --i) {
        const QChar c = fileName.at(i);
        if (c == QLatin1Char('.'))
            return fileName.mid(i).compare(QLatin1String(".lcc"), Qt::CaseInsensitive) == 0;
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QLatin1Char(':'))
            return false;
    }
    return false;
}

std::string UntitledSavePrompt()
{
    return Gbk(u8"流程图文件的内容已经被更改,\r\n是否保存更改?");
}

std::string TitledSavePrompt(const QString& fileName)
{
    return Gbk(u8"流程图文件") + ToGbk(fileName) + Gbk(u8"的内容已经被更改,\r\n是否保存更改?");
}

DocumentCommands::DocumentCommands(Document& document, QPlainTextEdit& codeView, DocumentUi& ui)
    : m_document(document), m_flowchart(document.Flows()), m_codeView(codeView), m_ui(ui)
{
}

bool DocumentCommands::AskToSaveChanges()
{
    return AskToSaveChanges(false);
}

bool DocumentCommands::CanClose()
{
    return AskToSaveChanges(true);
}

bool DocumentCommands::AskToSaveChanges(bool closing)
{
    Result<bool> modified = m_document.IsDocumentModified();
    if (!modified) {
        // A window that cannot be closed traps the user's work for good, so
        // closing asks anyway and "No" always closes.
        if (!closing) {
            m_ui.ShowMessage(modified.Message());
            return false;
        }
        modified = true;
    }
    m_document.SetModifiedFlag(*modified ? 1 : 0);
    if (m_flowchart.Count() == kEmptyFlowchartItems)
        return true;

    const QString& fileName = m_document.CurrentFileName();
    std::string prompt;
    if (fileName.isEmpty())
        prompt = UntitledSavePrompt();
    else if (m_document.ModifiedFlag())
        prompt = TitledSavePrompt(fileName);
    else
        return true;

    switch (m_ui.AskSaveChanges(prompt)) {
    case DocumentUi::Answer::Yes: {
        const SaveOutcome outcome = Save();
        if (outcome == SaveOutcome::Failed)
            return false;
        return outcome == SaveOutcome::Written || !closing;
    }
    case DocumentUi::Answer::No:
        return true;
    case DocumentUi::Answer::Cancel:
        break;
    }
    return false;
}

void DocumentCommands::New()
{
    if (!AskToSaveChanges())
        return;
    m_flowchart.ClearFlowchart();
    m_document.ClearHistory();
    m_document.SetCurrentFileName(QString());
    m_document.SetModifiedFlag(0);
    m_flowchart.BuildNewFlowchart();
    m_codeView.clear();
    // An empty flowchart always describes itself.
    (void)m_document.TakeSnapshot();
}

void DocumentCommands::Open()
{
    if (!AskToSaveChanges())
        return;
    const QString fileName = m_ui.ChooseProjectToOpen();
    if (fileName.isEmpty() || !HasProjectExtension(fileName) || !QFileInfo(fileName).isFile())
        return;

    // The file is read and parsed before anything is discarded, so a file that
    // cannot be loaded leaves the current document exactly as it was.
    const Result<XmlElement> document = ReadProjectFile(fileName);
    if (!document) {
        m_ui.ShowMessage(document.Message());
        return;
    }
    RebuildFlowchart(m_flowchart, *document, VoicePhrases ? VoicePhrases() : std::vector<std::string>());
    m_document.ClearHistory();
    m_codeView.clear();
    m_document.SetCurrentFileName(fileName);
    m_document.SetModifiedFlag(0);
    if (const Status status = m_document.TakeSnapshot(); !status)
        m_ui.ShowMessage(status.Message());
}

DocumentCommands::SaveOutcome DocumentCommands::Save()
{
    if (!m_document.CurrentFileName().isEmpty())
        return SaveProjectTo(m_document.CurrentFileName());
    const QString fileName = m_ui.ChooseProjectToSave();
    if (fileName.isEmpty() || !HasProjectExtension(fileName))
        return SaveOutcome::NothingWritten;
    return SaveProjectTo(fileName);
}

DocumentCommands::SaveOutcome DocumentCommands::SaveAs()
{
    const QString fileName = m_ui.ChooseProjectToSave();
    if (fileName.isEmpty() || !HasProjectExtension(fileName))
        return SaveOutcome::NothingWritten;
    return SaveProjectTo(fileName);
}

DocumentCommands::SaveOutcome DocumentCommands::SaveProjectTo(const QString& fileName)
{
    XmlElement document;
    Status status = BuildProjectDocument(m_flowchart, document);
    if (status)
        status = WriteProjectFile(document, fileName);
    if (!status) {
        m_ui.ShowMessage(status.Message());
        return SaveOutcome::Failed;
    }
    m_document.SetCurrentFileName(fileName);
    m_document.SetModifiedFlag(0);
    m_document.SetSnapshot(std::move(document));
    return SaveOutcome::Written;
}

void DocumentCommands::GenerateProgramText()
{
    std::vector<std::string> program;
    const Status status = GenerateProgram(m_flowchart, program);
    {
        UpdateBracket bracket(m_codeView);
        m_codeView.setPlainText(ProgramTextToView(JoinProgramLines(program)));
    }
    if (!status)
        m_ui.ShowMessage(status.Message());
}

void DocumentCommands::SaveProgramText()
{
    const QString fileName = m_ui.ChooseTextToSave();
    if (fileName.isEmpty())
        return;
    if (const Status status = WriteWholeFile(fileName, ViewTextToFileBytes(m_codeView.toPlainText())); !status)
        m_ui.ShowMessage(status.Message());
}

void DocumentCommands::LoadProgramText()
{
    const QString fileName = m_ui.ChooseTextToLoad();
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        return;
    const Result<std::string> bytes = ReadWholeFile(fileName);
    if (!bytes) {
        m_ui.ShowMessage(bytes.Message());
        return;
    }
    m_codeView.setPlainText(ProgramTextToView(*bytes));
}

} // namespace talvex
