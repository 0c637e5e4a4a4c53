#include "app/documentui.h"

#include "model/gbk.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace talvex {

namespace {

// A message box shows its text as one paragraph per line; the CR of a CR LF
// would otherwise show as a stray glyph on some styles.
QString BoxText(const std::string& gbk)
{
    QString text = FromGbk(gbk);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

QString RunFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& filter, const QString& suffix,
                      QString& folder)
{
    QFileDialog dialog(parent);
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString chosen = dialog.selectedFiles().constFirst();
    folder = QFileInfo(chosen).absolutePath();
    return chosen;
}

} // namespace

QString ProjectFileFilter()
{
    return QString::fromUtf8(u8"流程图C文件(*.lcc)");
}

QString TextFileFilter()
{
    return QString::fromUtf8(u8"TALVEX文件文本格式(*.txt)");
}

DocumentUi::Answer QtDocumentUi::AskSaveChanges(const std::string& text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), BoxText(text), QMessageBox::NoButton, m_parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&No"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    if (box.clickedButton() == no)
        return Answer::No;
    return Answer::Cancel;
}

QString QtDocumentUi::ChooseProjectToOpen()
{
    return RunFileDialog(m_parent, QFileDialog::AcceptOpen, ProjectFileFilter(), QString(), m_folder);
}

QString QtDocumentUi::ChooseProjectToSave()
{
    return RunFileDialog(m_parent, QFileDialog::AcceptSave, ProjectFileFilter(), QStringLiteral("lcc"), m_folder);
}

QString QtDocumentUi::ChooseTextToLoad()
{
    return RunFileDialog(m_parent, QFileDialog::AcceptOpen, TextFileFilter(), QString(), m_folder);
}

QString QtDocumentUi::ChooseTextToSave()
{
    return RunFileDialog(m_parent, QFileDialog::AcceptSave, TextFileFilter(), QString(), m_folder);
}

void QtDocumentUi::ShowMessage(const std::string& text)
{
    QMessageBox::information(m_parent, QGuiApplication::applicationDisplayName(), BoxText(text));
}

} // namespace talvex
