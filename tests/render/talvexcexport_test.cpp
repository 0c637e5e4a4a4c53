// talvexc export end to end: the built program on the offscreen platform.
#include "model/canvas.h"
#include "model/flowlist.h"
#include "project/projectfile.h"
#include "render/flowchartexport.h"

#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace talvex {
namespace {

class TalvexcExportTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_flows.BuildNewFlowchart();
        for (int i = 0; i < 12; ++i)
            m_flows.AppendBlock(i % 2 ? 5 : 1);
        m_flows.RelayoutFlowchart();
        XmlElement document;
        ASSERT_TRUE(BuildProjectDocument(m_flows, document).Ok());
        m_project = m_dir.filePath(QStringLiteral("robot1.lcc"));
        ASSERT_TRUE(WriteProjectFile(document, m_project).Ok());
    }

    int Export(const QStringList& args, QByteArray* err = nullptr)
    {
        QProcess process;
        // No display at all: the command must choose the offscreen platform itself.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(TALVEX_BINARY_DIR "/tools/talvexc"), QStringList{QStringLiteral("export")} + args);
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
            return -1;
        if (err)
            *err = process.readAllStandardError();
        return process.exitCode();
    }

    QString Path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }

    QTemporaryDir m_dir;
    CanvasModel m_canvas;
    FlowList m_flows{m_canvas};
    QString m_project;
};

TEST_F(TalvexcExportTest, WritesEachFormatByItsExtension)
{
    const std::pair<const char*, QByteArray> cases[] = {{"out.png", QByteArray("\x89PNG\r\n\x1a\n")},
                                                        {"out.svg", QByteArray("<?xml")},
                                                        {"out.PDF", QByteArray("%PDF-")}};
    for (const auto& [name, magic] : cases) {
        QByteArray err;
        EXPECT_EQ(Export({m_project, Path(name)}, &err), 0) << name << err.toStdString();
        QFile f(Path(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        EXPECT_TRUE(f.readAll().startsWith(magic)) << name;
    }
    QImageReader reader(Path("out.png"));
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull());
    // The diagram the editor builds from the file, at twice its size.
    EXPECT_EQ(image.size(), ExportArea(m_canvas).size() * 2);
}

TEST_F(TalvexcExportTest, ExitStatusTellsUsageFromFailure)
{
    QFile notXml(Path("broken.lcc"));
    ASSERT_TRUE(notXml.open(QIODevice::WriteOnly));
    notXml.write("<TALVEX><record>");
    notXml.close();
    struct Case {
        QStringList args;
        int status;
    };
    const Case cases[] = {
        {{}, 2},
        {{m_project}, 2},
        {{m_project, Path("out.bmp")}, 2},
        {{m_project, Path("a.png"), Path("b.png")}, 2},
        {{Path("nowhere.lcc"), Path("out.png")}, 1},
        {{Path("broken.lcc"), Path("out.png")}, 1},
        {{m_project, Path("no/such/folder/out.png")}, 1},
    };
    for (const Case& c : cases) {
        QByteArray err;
        EXPECT_EQ(Export(c.args, &err), c.status) << c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(err.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(Path("out.png")));
}

} // namespace
} // namespace talvex
