#include "app/documentcommands.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "project/filebytes.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace talvex {
namespace {

// Starts the editor on a file the way main does; collects the message boxes
// shown on the way, answering each with its default button.
QStringList StartOn(TForm1& form, const QString& file)
{
    QStringList texts;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&texts] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            texts << box->text();
            box->accept();
        }
    });
    poll.start(10);
    StartEditor(form, file);
    return texts;
}

class StartupFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // A project with two blocks, written by the editor's own Save.
    QString SavedProject(const char* name)
    {
        TForm1 author;
        author.Flows().AppendBlock(5);
        author.Flows().AppendBlock(1);
        author.Flows().RelayoutFlowchart();
        const QString path = m_dir.filePath(QLatin1String(name));
        EXPECT_EQ(author.Documents().SaveProjectTo(path), DocumentCommands::SaveOutcome::Written);
        return path;
    }

    QString Written(const char* name, const std::string& bytes)
    {
        const QString path = m_dir.filePath(QLatin1String(name));
        EXPECT_TRUE(WriteWholeFile(path, bytes).Ok());
        return path;
    }

    QTemporaryDir m_dir;
};

TEST_F(StartupFileTest, NamedProjectIsOpenedAsOpenWould)
{
    const QString path = SavedProject("robot1.lcc");
    TForm1 form;
    form.Memo1()->setPlainText(QStringLiteral("left over"));
    EXPECT_TRUE(StartOn(form, path).isEmpty());
    EXPECT_EQ(form.Flows().Count(), 7);
    EXPECT_EQ(form.CurrentFileName(), path);
    EXPECT_EQ(form.windowTitle(), ApplicationTitle() + QStringLiteral(" - robot1.lcc"));
    EXPECT_TRUE(form.Memo1()->toPlainText().isEmpty());
    // The snapshot is taken: nothing counts as changed.
    const Result<bool> modified = form.CurrentDocument().IsDocumentModified();
    ASSERT_TRUE(modified.Ok()) << modified.Message();
    EXPECT_FALSE(*modified);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(StartupFileTest, FileThatCannotBeOpenedLeavesTheNewFlowchartAndSaysWhy)
{
    struct Case {
        const char* name;
        std::optional<std::string> bytes; // none: the file is not there
        const char* messageStart;
    };
    const Case cases[] = {
        {"broken.lcc", std::string("<?xml version=\"1.0\"?>\r\n<TALVEX>\r\n<record>"), nullptr},
        {"missing.lcc", std::nullopt, u8"无法打开文件\""},
        {"notes.txt", std::string("hello"), u8"无法打开\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = c.bytes ? Written(c.name, *c.bytes) : m_dir.filePath(QLatin1String(c.name));
        TForm1 form;
        const QStringList messages = StartOn(form, path);
        ASSERT_EQ(messages.size(), 1);
        EXPECT_FALSE(messages[0].isEmpty());
        // The reader words its own parse errors; the other two name the file.
        if (c.messageStart) {
            EXPECT_TRUE(messages[0].startsWith(QString::fromUtf8(c.messageStart))) << messages[0].toStdString();
            EXPECT_TRUE(messages[0].contains(path)) << messages[0].toStdString();
        }
        EXPECT_EQ(form.Flows().Count(), 3);
        EXPECT_EQ(form.windowTitle(), ApplicationTitle());
        EXPECT_TRUE(form.CurrentFileName().isEmpty());
        EXPECT_TRUE(form.isVisible());
    }
}

TEST_F(StartupFileTest, NoArgumentStartsAsBefore)
{
    TForm1 form;
    EXPECT_TRUE(StartOn(form, StartupFileArgument({QStringLiteral("talvex")})).isEmpty());
    EXPECT_EQ(form.Flows().Count(), 3);
    EXPECT_EQ(form.windowTitle(), ApplicationTitle());
}

TEST_F(StartupFileTest, ArgumentIsResolvedAgainstTheStartingFolder)
{
    const QString here = QDir::currentPath();
    struct Case {
        QStringList arguments;
        QString expected;
    };
    const Case cases[] = {
        {{QStringLiteral("talvex")}, QString()},
        {{QStringLiteral("talvex"), QString()}, QString()},
        {{QStringLiteral("talvex"), QStringLiteral("robot1.lcc")}, here + QStringLiteral("/robot1.lcc")},
        {{QStringLiteral("talvex"), QStringLiteral("sub/../a b.lcc")}, here + QStringLiteral("/a b.lcc")},
        {{QStringLiteral("talvex"), QStringLiteral("/srv/class/r.lcc"), QStringLiteral("x")},
         QStringLiteral("/srv/class/r.lcc")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StartupFileArgument(c.arguments), c.expected) << c.arguments.join(QLatin1Char(' ')).toStdString();
}

} // namespace
} // namespace talvex
