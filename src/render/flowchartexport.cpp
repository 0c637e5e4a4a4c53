#include "render/flowchartexport.h"

#include "model/gbk.h"
#include "render/canvaspainter.h"
#include "render/pagination.h"
#include "render/pngstream.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>

namespace talvex {

namespace {

// A strip of the finished picture painted at a time holds about this many
// bytes, whatever the diagram's width.
constexpr qsizetype kStripBytes = 4 << 20;

Status CannotWrite(const QString& fileName, const QString& reason)
{
    const char* verb = QFileInfo::exists(fileName) ? "open" : "create";
    return Status::Failure(std::string("Cannot ") + verb + " file \"" + ToGbk(fileName) + "\". " + ToGbk(reason));
}

// Opens the target for a complete rewrite; the file changes only on Commit.
Status OpenTarget(QSaveFile& file)
{
    if (!file.open(QIODevice::WriteOnly))
        return CannotWrite(file.fileName(), file.errorString());
    return Status();
}

Status Commit(QSaveFile& file, bool painted)
{
    if (!painted) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return CannotWrite(file.fileName(), reason);
    }
    if (!file.commit())
        return CannotWrite(file.fileName(), file.errorString());
    return Status();
}

} // namespace

ExportFormat ExportFormatOf(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return ExportFormat::Png;
    if (suffix == QLatin1String("svg"))
        return ExportFormat::Svg;
    if (suffix == QLatin1String("pdf"))
        return ExportFormat::Pdf;
    return ExportFormat::Unknown;
}

QRect ExportArea(const CanvasModel& chart)
{
    const QRect drawn = CanvasPainter::DrawnBounds(chart);
    if (drawn.isEmpty())
        return QRect(0, 0, 2 * kExportMargin, 2 * kExportMargin);
    return drawn.adjusted(-kExportMargin, -kExportMargin, kExportMargin, kExportMargin);
}

Status ExportPng(const CanvasModel& chart, const QString& fileName, int scale)
{
    scale = std::max(1, scale);
    const QRect area = ExportArea(chart);
    const int width = area.width() * scale;
    const int height = area.height() * scale;

    QSaveFile file(fileName);
    if (Status opened = OpenTarget(file); !opened)
        return opened;
    PngStream png(file, width, height);
    CanvasPainter canvas(chart);
    canvas.SetForExport(true);
    const int stripRows = static_cast<int>(std::clamp<qsizetype>(kStripBytes / (qsizetype(width) * 4), scale, 8192));
    QImage strip(width, std::min(stripRows, height), QImage::Format_RGBX8888);
    bool ok = true;
    // Strips start on whole canvas rows, so every strip is painted with the
    // same integer offset and the seams are invisible.
    const int canvasRowsPerStrip = std::max(1, strip.height() / scale);
    for (int canvasTop = area.top(); ok && canvasTop < area.top() + area.height(); canvasTop += canvasRowsPerStrip) {
        const int canvasRows = std::min(canvasRowsPerStrip, area.top() + area.height() - canvasTop);
        {
            QPainter painter(&strip);
            painter.scale(scale, scale);
            painter.translate(-area.left(), -canvasTop);
            canvas.Paint(painter, QRect(area.left(), canvasTop, area.width(), canvasRows));
        }
        for (int y = 0; ok && y < canvasRows * scale; ++y)
            ok = png.AddRow(strip.constScanLine(y));
    }
    ok = png.Finish() && ok;
    return Commit(file, ok);
}

Status ExportSvg(const CanvasModel& chart, const QString& fileName)
{
    const QRect area = ExportArea(chart);
    QSaveFile file(fileName);
    if (Status opened = OpenTarget(file); !opened)
        return opened;
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(area.size());
    svg.setViewBox(QRect(QPoint(0, 0), area.size()));
    svg.setResolution(96);
    svg.setTitle(QFileInfo(fileName).completeBaseName());
    CanvasPainter canvas(chart);
    canvas.SetForExport(true);
    QPainter painter;
    const bool painted = painter.begin(&svg);
    if (painted) {
        painter.translate(-area.topLeft());
        canvas.Paint(painter, area);
        painter.end();
    }
    return Commit(file, painted && file.error() == QFileDevice::NoError);
}

Status ExportPdf(const CanvasModel& chart, const QString& fileName, const QString& documentName)
{
    QSaveFile file(fileName);
    if (Status opened = OpenTarget(file); !opened)
        return opened;
    int pages = 0;
    {
        QPdfWriter pdf(&file);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        pdf.setResolution(300);
        pdf.setTitle(documentName);
        pdf.setCreator(QStringLiteral("TALVEX"));
        pages = PrintFlowchart(chart, pdf, documentName);
    }
    return Commit(file, pages > 0 && file.error() == QFileDevice::NoError);
}

Status ExportFlowchart(const CanvasModel& chart, const QString& fileName, const QString& documentName)
{
    switch (ExportFormatOf(fileName)) {
    case ExportFormat::Png:
        return ExportPng(chart, fileName);
    case ExportFormat::Svg:
        return ExportSvg(chart, fileName);
    case ExportFormat::Pdf:
        return ExportPdf(chart, fileName, documentName);
    case ExportFormat::Unknown:
        break;
    }
    return CannotWrite(fileName, QStringLiteral("PNG, SVG, PDF"));
}

} // namespace talvex
