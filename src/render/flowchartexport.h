#pragma once

#include "model/canvas.h"
#include "model/status.h"

#include <QRect>
#include <QString>

namespace talvex {

// Free canvas pixels around the drawing in every export.
constexpr int kExportMargin = 16;
// Image exports are made at twice the screen size so text stays sharp.
constexpr int kDefaultImageScale = 2;

enum class ExportFormat { Png, Svg, Pdf, Unknown };

// The format a file name asks for by its extension, in any letter case.
ExportFormat ExportFormatOf(const QString& fileName);

// The part of the canvas every export shows: all that is drawn, wherever it
// lies, with kExportMargin around it.
QRect ExportArea(const CanvasModel& chart);

// Each fails with the message (GBK) naming the file that could not be
// written; a failed export leaves no partial file behind.
//
// PNG: the picture is drawn in strips of a few hundred rows that go straight
// into the file, so memory stays the same for any length of flowchart.
Status ExportPng(const CanvasModel& chart, const QString& fileName, int scale = kDefaultImageScale);
// SVG: one vector picture of the whole flowchart at screen size.
Status ExportSvg(const CanvasModel& chart, const QString& fileName);
// PDF: A4 pages as printing makes them (PrintFlowchart), each painted and
// written before the next.
Status ExportPdf(const CanvasModel& chart, const QString& fileName, const QString& documentName);
// By the file's extension; documentName goes in the footer of PDF pages.
Status ExportFlowchart(const CanvasModel& chart, const QString& fileName, const QString& documentName);

} // namespace talvex
