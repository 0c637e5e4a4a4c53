#include "model/canvas.h"
#include "model/catalog.h"
#include "model/flowlist.h"
#include "model/gbk.h"
#include "render/canvaspainter.h"
#include "render/flowchartexport.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace talvex {
namespace {

constexpr int kDelayItem = 5;

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Vertical runs of one colour down the pixel column x.
int RunsOf(const QImage& image, int x, QRgb colour)
{
    int runs = 0;
    bool inside = false;
    for (int y = 0; y < image.height(); ++y) {
        const bool here = (image.pixel(x, y) & 0xffffff) == (colour & 0xffffff);
        if (here && !inside)
            ++runs;
        inside = here;
    }
    return runs;
}

int PdfPageCount(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

class ExportTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // A flowchart of delay blocks; the spot after the start is selected, as
    // after start-up, and must not show in any export.
    void Build(int blocks)
    {
        m_flows.BuildNewFlowchart();
        for (int i = 0; i < blocks; ++i)
            m_flows.AppendBlock(kDelayItem);
        m_flows.RelayoutFlowchart();
    }

    // Bottom of the lowest drawn object: what an export must reach.
    int DrawnBottom() const
    {
        int bottom = 0;
        for (const auto& o : m_canvas.Objects())
            if (o->ShapeKind() != skNone)
                bottom = std::max(bottom, o->Top() + o->Height());
        return bottom;
    }

    QString Path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

    QTemporaryDir m_dir;
    CanvasModel m_canvas;
    FlowList m_flows{m_canvas};
};

TEST_F(ExportTest, FormatFollowsTheExtension)
{
    const std::pair<const char*, ExportFormat> cases[] = {
        {"a.png", ExportFormat::Png}, {"a.PNG", ExportFormat::Png},     {"dir.svg/a.svg", ExportFormat::Svg},
        {"a.pdf", ExportFormat::Pdf}, {"a.bmp", ExportFormat::Unknown}, {"png", ExportFormat::Unknown},
    };
    for (const auto& [name, format] : cases)
        EXPECT_EQ(ExportFormatOf(QLatin1String(name)), format) << name;
}

TEST_F(ExportTest, PngShowsWholeFlowchartAtTwiceScreenSize)
{
    for (int blocks : {0, 3, 60}) {
        SCOPED_TRACE(blocks);
        m_flows.ClearFlowchart();
        Build(blocks);
        const QString file = Path("chart.png");
        const Status written = ExportPng(m_canvas, file);
        ASSERT_TRUE(written.Ok()) << written.Message();
        QImageReader reader(file);
        reader.setAllocationLimit(0);
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        // Column at left 70, panels 90 wide, top 16: everything plus the margin.
        EXPECT_EQ(image.width(), (kPanelWidth + 2 * kExportMargin) * 2);
        EXPECT_EQ(image.height(), (DrawnBottom() - kColumnTop + 2 * kExportMargin) * 2);
        // Down a line just inside the panels' left edge: one teal run per
        // block, the two terminals in yellow, no selection mark anywhere.
        const int x = (kExportMargin + 4) * 2;
        EXPECT_EQ(RunsOf(image, x, qRgb(kPanelFill.r, kPanelFill.g, kPanelFill.b)), blocks);
        EXPECT_EQ(RunsOf(image, x, qRgb(kTerminalFill.r, kTerminalFill.g, kTerminalFill.b)), 2);
        EXPECT_EQ(RunsOf(image, image.width() / 2 - 30, qRgb(0, 0, 128)), 0);
    }
}

TEST_F(ExportTest, PngStripsJoinWithoutSeams)
{
    // Tall enough for many strips: the picture equals one painted in one go.
    Build(40);
    const QString file = Path("strips.png");
    const Status written = ExportPng(m_canvas, file);
    ASSERT_TRUE(written.Ok()) << written.Message();
    QImageReader reader(file);
    reader.setAllocationLimit(0);
    const QImage streamed = reader.read().convertToFormat(QImage::Format_RGBX8888);

    const QRect area = ExportArea(m_canvas);
    QImage whole(area.size() * 2, QImage::Format_RGBX8888);
    {
        QPainter painter(&whole);
        painter.scale(2, 2);
        painter.translate(-area.topLeft());
        CanvasPainter canvas(m_canvas);
        canvas.SetForExport(true);
        canvas.Paint(painter, area);
    }
    ASSERT_EQ(streamed.size(), whole.size());
    int differing = 0, firstRow = -1;
    for (int y = 0; y < whole.height(); ++y)
        for (int x = 0; x < whole.width(); ++x)
            if (streamed.pixel(x, y) != whole.pixel(x, y)) {
                ++differing;
                if (firstRow < 0)
                    firstRow = y;
            }
    EXPECT_EQ(differing, 0) << "first differing row " << firstRow;
}

TEST_F(ExportTest, SvgHoldsOneCaptionPerBlock)
{
    Build(25);
    const QString file = Path("chart.svg");
    const Status written = ExportSvg(m_canvas, file);
    ASSERT_TRUE(written.Ok()) << written.Message();
    QXmlStreamReader xml(ReadAll(file));
    int texts = 0;
    int delays = 0;
    QString viewBox;
    const QString delayCaption = FromGbk(KindCaption(576 + kDelayItem));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("svg"))
            viewBox = xml.attributes().value(QLatin1String("viewBox")).toString();
        if (xml.name() == QLatin1String("text")) {
            ++texts;
            if (xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed() == delayCaption)
                ++delays;
        }
    }
    ASSERT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(texts, 25 + 2);
    EXPECT_EQ(delays, 25);
    EXPECT_EQ(viewBox, QStringLiteral("0 0 %1 %2")
                           .arg(kPanelWidth + 2 * kExportMargin)
                           .arg(DrawnBottom() - kColumnTop + 2 * kExportMargin));
}

TEST_F(ExportTest, PdfPagesHoldEveryBlockOnceWithFooters)
{
    Build(40);
    const QString file = Path("chart.pdf");
    const Status written = ExportPdf(m_canvas, file, QStringLiteral("robot1.lcc"));
    ASSERT_TRUE(written.Ok()) << written.Message();
    const QByteArray pdf = ReadAll(file);
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    // 40 blocks, 41 spots and the terminals, 32 pixels each, make 2,656
    // pixels: at 96 to the inch on A4 less margins and footer, three pages.
    const int pages = PdfPageCount(pdf);
    EXPECT_EQ(pages, 3);

    const QString toText = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (toText.isEmpty())
        GTEST_SKIP() << "pdftotext missing (scripts/setup-debian.sh installs poppler-utils)";
    QProcess process;
    process.start(toText, {QStringLiteral("-enc"), QStringLiteral("UTF-8"), file, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(60000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    EXPECT_EQ(text.count(FromGbk(KindCaption(576 + kDelayItem))), 40);
    EXPECT_EQ(text.count(FromGbk(KindCaption(bkStart))), 1);
    EXPECT_EQ(text.count(FromGbk(KindCaption(bkEnd))), 1);
    // The footers (the CJK font's glyphs do not all map back to the same
    // characters, so the parts that do are counted).
    EXPECT_EQ(text.count(QStringLiteral(".lcc")), pages);
    EXPECT_EQ(text.count(QString::fromUtf8(u8"，共 %1").arg(pages)), pages);
    for (int page = 1; page <= pages; ++page)
        EXPECT_TRUE(text.contains(QString::fromUtf8(u8"第 %1").arg(page))) << text.toStdString();
}

TEST_F(ExportTest, UnwritableTargetIsReportedAndLeavesNothing)
{
    Build(2);
    for (const char* name : {"missing/chart.png", "missing/chart.svg", "missing/chart.pdf"}) {
        const Status written = ExportFlowchart(m_canvas, Path(name), QStringLiteral("x"));
        ASSERT_FALSE(written.Ok()) << name;
        EXPECT_EQ(written.Message().rfind("Cannot create file \"", 0), 0u) << written.Message();
        EXPECT_FALSE(QFile::exists(Path(name)));
    }
    EXPECT_FALSE(ExportFlowchart(m_canvas, Path("chart.bmp"), QStringLiteral("x")).Ok());
}

} // namespace
} // namespace talvex
