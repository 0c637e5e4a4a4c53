#include "app/exportcommands.h"

#include "app/mainwindow.h"
#include "model/gbk.h"
#include "render/flowchartexport.h"
#include "render/pagination.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace talvex {

QString PngFileFilter()
{
    return QString::fromUtf8(u8"PNG图片(*.png)");
}

QString SvgFileFilter()
{
    return QString::fromUtf8(u8"SVG图片(*.svg)");
}

ExportCommands::ExportCommands(TForm1& form1) : QObject(&form1), m_form1(form1)
{
    m_export = new QAction(QString::fromUtf8(u8"导出图片"), this);
    m_export->setObjectName(QStringLiteral("ExportAction"));
    m_export->setToolTip(QString::fromUtf8(u8"导出图片 (PNG或SVG, 整个流程图)"));
    m_export->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(m_export, &QAction::triggered, this, &ExportCommands::ExportImage);

    m_print = new QAction(QString::fromUtf8(u8"打印"), this);
    m_print->setObjectName(QStringLiteral("PrintAction"));
    m_print->setToolTip(QString::fromUtf8(u8"打印流程图"));
    m_print->setShortcut(QKeySequence::Print);
    connect(m_print, &QAction::triggered, this, &ExportCommands::Print);

    m_form1.AddExtraTool(ExtraTool::Export, m_export);
    m_form1.AddExtraTool(ExtraTool::Print, m_print);
    m_form1.AddCanvasMenuAction(m_export);
    m_form1.AddCanvasMenuAction(m_print);
}

QString ExportCommands::DocumentName() const
{
    const QString file = m_form1.CurrentFileName();
    return file.isEmpty() ? QString::fromUtf8(u8"未命名") : QFileInfo(file).fileName();
}

bool ExportCommands::ExportTo(const QString& fileName)
{
    if (const Status written = ExportFlowchart(m_form1.Chart(), fileName, DocumentName()); !written) {
        QMessageBox::critical(&m_form1, QStringLiteral("Error"), FromGbk(written.Message()));
        return false;
    }
    return true;
}

void ExportCommands::ExportImage()
{
    QFileDialog dialog(&m_form1, QString::fromUtf8(u8"导出图片"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters({PngFileFilter(), SvgFileFilter()});
    dialog.setDefaultSuffix(QStringLiteral("png"));
    const QString current = m_form1.CurrentFileName();
    if (!current.isEmpty())
        dialog.selectFile(QFileInfo(current).completeBaseName() + QStringLiteral(".png"));
    // The suffix follows the chosen filter, so "SVG" with a bare name writes SVG.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(filter == SvgFileFilter() ? QStringLiteral("svg") : QStringLiteral("png"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString fileName = dialog.selectedFiles().constFirst();
    if (ExportFormatOf(fileName) != ExportFormat::Png && ExportFormatOf(fileName) != ExportFormat::Svg)
        fileName += dialog.selectedNameFilter() == SvgFileFilter() ? QStringLiteral(".svg") : QStringLiteral(".png");
    ExportTo(fileName);
}

void ExportCommands::Print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(DocumentName());
    QPrintDialog dialog(&printer, &m_form1);
    dialog.setWindowTitle(QString::fromUtf8(u8"打印"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (PrintFlowchart(m_form1.Chart(), printer, DocumentName()) == 0)
        QMessageBox::critical(&m_form1, QStringLiteral("Error"), QString::fromUtf8(u8"无法打印流程图。"));
}

} // namespace talvex
