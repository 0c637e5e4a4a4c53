#include "nodetext.h"
#include "spawnedprocess.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace talvex {
namespace {

using testing::CrLfLines;
using testing::NodeText;
using testing::SpawnedProcess;

struct ToolRun {
    int exitCode = -1;
    std::vector<QJsonObject> lines;
    std::string out;
    std::string err;
};

class TalvexcRunTest : public ::testing::Test {
  protected:
    ToolRun Run(const QStringList& args)
    {
        SpawnedProcess process;
        const QString out = m_dir.filePath(QStringLiteral("out.txt"));
        const QString err = m_dir.filePath(QStringLiteral("err.txt"));
        ToolRun run;
        if (!process.Start(QStringLiteral(TALVEX_BINARY_DIR "/tools/talvexc"), QStringList{"run"} + args, out, err)) {
            ADD_FAILURE() << "talvexc did not start";
            return run;
        }
        run.exitCode = process.Wait(120000);
        run.out = Read(out);
        run.err = Read(err);
        for (const QByteArray& line : QByteArray::fromStdString(run.out).split('\n')) {
            if (line.isEmpty())
                continue;
            QJsonParseError error;
            const QJsonDocument document = QJsonDocument::fromJson(line, &error);
            EXPECT_TRUE(document.isObject()) << line.toStdString();
            run.lines.push_back(document.object());
        }
        return run;
    }

    QString File(const char* name, const std::string& bytes)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path;
    }

    static std::string Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }

    QTemporaryDir m_dir;
};

TEST_F(TalvexcRunTest, PrintsOneObjectPerChangeEndingWithEnd)
{
    // Comments and blank lines go before the robot sees the text, as in a download.
    const QString path = File(
        "p.txt", CrLfLines({"qzrobot", "start", "/* drive", "", "led(6);", "fd(100);", "lt(50);   /* turn", "end"}));
    const ToolRun run = Run({path});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_GE(run.lines.size(), 4u) << run.out;
    for (const QJsonObject& line : run.lines) {
        for (const char* key : {"t_ms", "x_mm", "y_mm", "heading_deg", "leds", "line"})
            EXPECT_TRUE(line.contains(QLatin1String(key))) << key;
    }
    const QJsonObject& led = run.lines[1];
    EXPECT_EQ(led["leds"].toInt(), 6);
    EXPECT_EQ(led["line"].toInt(), 3);
    const QJsonObject& end = run.lines.back();
    EXPECT_EQ(end["event"].toString(), "end");
    EXPECT_EQ(end["reason"].toString(), "end");
    EXPECT_EQ(end["t_ms"].toInt(), 1500);
    EXPECT_NEAR(end["x_mm"].toDouble(), 400 + 300.0 * 200 / 255, 0.1);
    EXPECT_GT(end["heading_deg"].toDouble(), 50); // a left turn grows the heading
}

TEST_F(TalvexcRunTest, AProjectIsGeneratedFirst)
{
    const std::string project =
        CrLfLines({"<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>", "<TALVEX>", "  <record>",
                   "    <CtrlNode type=\"15\">", "      <led>2</led>", "    </CtrlNode>", "  </record>", "</TALVEX>"});
    const ToolRun run = Run({File("p.lcc", project)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_GE(run.lines.size(), 2u);
    EXPECT_EQ(run.lines.back()["leds"].toInt(), 2);
}

TEST_F(TalvexcRunTest, ClapsArenasAndTheTimeLimit)
{
    const QString path = File("p.txt", CrLfLines({"qzrobot", "start", "lim_loop", "{", "a=mic();", "if(a==1)", "{",
                                                  "led(0);", "fdx();", "}", "}", "end"}));
    const ToolRun run = Run({"--arena", "maze", "--seconds", "3", "--clap", "1500", path});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    ASSERT_FALSE(run.lines.empty());
    EXPECT_EQ(run.lines.front()["x_mm"].toDouble(), 200); // the maze's start
    int claps = 0;
    for (const QJsonObject& line : run.lines) {
        if (line["event"].toString() == "clap") {
            ++claps;
            EXPECT_EQ(line["t_ms"].toInt(), 1500);
        }
    }
    EXPECT_EQ(claps, 1);
    EXPECT_EQ(run.lines.back()["reason"].toString(), "time");
    EXPECT_EQ(run.lines.back()["t_ms"].toInt(), 3000);
    EXPECT_EQ(run.lines.back()["leds"].toInt(), 0);
}

TEST_F(TalvexcRunTest, ExitCodes)
{
    const QString good = File("good.txt", CrLfLines({"qzrobot", "start", "end"}));
    const QString bad = File("bad.txt", CrLfLines({"qzrobot", "start", "fd(;", "end"}));
    const QString fault = File("fault.txt", CrLfLines({"qzrobot", "start", "a=0;", "a=1%a;", "end"}));
    const QString arena = File("bad.arena", "talvex-arena 1\nsize 10 10\n");
    struct Case {
        QStringList args;
        int exitCode;
        const char* message; // on stderr, UTF-8
    } const cases[] = {
        {{good}, 0, ""},
        {{bad}, 1, "第3行"},
        {{fault}, 1, "第4行: 除数为0"}, // a run-time error
        {{m_dir.filePath("missing.txt")}, 1, "missing.txt"},
        {{"--arena", arena, good}, 1, "size"},
        {{"--arena", "nowhere", good}, 1, "找不到场地“nowhere”"},
        {{}, 2, "Usage"},
        {{"--seconds", "0", good}, 2, "Usage"},
        {{"--seconds", "x", good}, 2, "Usage"},
        {{"--clap", "-5", good}, 2, "Usage"},
        {{"--speed", "2", good}, 2, "Usage"},
        {{good, good}, 2, "Usage"},
    };
    for (const Case& c : cases) {
        const ToolRun run = Run(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(' ').toStdString() << "\n" << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.args.join(' ').toStdString() << "\n" << run.err;
        if (c.exitCode == 1 && !run.lines.empty()) {
            EXPECT_EQ(run.lines.back()["reason"].toString(), "error");
        }
    }
}

} // namespace
} // namespace talvex
