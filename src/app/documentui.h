#pragma once

#include <QString>
#include <string>

class QWidget;

namespace talvex {

// The modal touch points of the document commands: the unsaved-changes
// question, the four file dialogs and the message box. Tests put a scripted
// implementation in their place.
class DocumentUi {
  public:
    enum class Answer { Yes, No, Cancel };
    virtual ~DocumentUi() = default;

    // Warning box captioned "Warning" with "&Yes", "&No" and "Cancel"; text is GBK.
    // Closing it without an answer counts as Cancel.
    virtual Answer AskSaveChanges(const std::string& text) = 0;
    // The chosen file, or an empty name when the dialog was cancelled.
    virtual QString ChooseProjectToOpen() = 0; // OpenDialog1
    virtual QString ChooseProjectToSave() = 0; // SaveDialog1
    virtual QString ChooseTextToLoad() = 0;    // OpenDialog2
    virtual QString ChooseTextToSave() = 0;    // SaveDialog2
    // A failure's message (GBK) in a message box with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
};

// The real dialogs, modal on parent.
class QtDocumentUi : public DocumentUi {
  public:
    explicit QtDocumentUi(QWidget* parent) : m_parent(parent) {}

    Answer AskSaveChanges(const std::string& text) override;
    QString ChooseProjectToOpen() override;
    QString ChooseProjectToSave() override;
    QString ChooseTextToLoad() override;
    QString ChooseTextToSave() override;
    void ShowMessage(const std::string& text) override;

    // The folder the next file dialog starts in: the last one used during the
    // run, as with dialogs that live as long as the program.
    const QString& LastFolder() const { return m_folder; }

  private:
    QWidget* m_parent;
    QString m_folder;
};

// Filters of the file dialogs, in Qt's form.
QString ProjectFileFilter(); // 流程图C文件(*.lcc)
QString TextFileFilter();    // TALVEX文件文本格式(*.txt)

} // namespace talvex
