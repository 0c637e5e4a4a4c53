#include "app/documentcommands.h"
#include "app/formabout.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "dialogs/voicedialog.h"
#include "model/gbk.h"
#include "model/ui/canvasview.h"
#include "project/filebytes.h"
#include "project/phraselist.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

#include <gtest/gtest.h>

namespace talvex {
namespace {

// Runs action; when a modal dialog comes up, records its name and rejects it.
QString ModalSeenDuring(const std::function<void()>& action)
{
    QString seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            seen = dialog->objectName();
            dialog->reject();
        }
    });
    poll.start(10);
    action();
    return seen;
}

class StartupTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        CreateForms(m_form);
        m_form.show();
    }
    TForm1 m_form;
};

TEST_F(StartupTest, EveryDialogExistsOnceAfterTheMainWindow)
{
    const QList<QDialog*> dialogs = m_form.findChildren<QDialog*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_FALSE(dialogs.isEmpty());
    EXPECT_EQ(dialogs.front()->objectName(), QStringLiteral("TFormZhiXing"));
    EXPECT_EQ(dialogs.back()->objectName(), QStringLiteral("TFormVOICEX"));
    EXPECT_EQ(m_form.findChildren<TFormAbout*>().size(), 1);
    // The start-up state is untouched by the dialogs.
    EXPECT_EQ(m_form.Flows().Count(), 3);
    EXPECT_EQ(m_form.windowTitle(), ApplicationTitle());
}

TEST_F(StartupTest, AboutShowsTheDialogMadeAtStartup)
{
    EXPECT_EQ(ModalSeenDuring([&] { QTest::mouseClick(m_form.SpeedButton(8), Qt::LeftButton); }),
              QStringLiteral("TFormAbout"));
    EXPECT_EQ(m_form.findChildren<TFormAbout*>().size(), 1);
}

TEST_F(StartupTest, DoubleClickOnABlockOpensItsDialog)
{
    m_form.Flows().InsertBlock(5);
    const FcObject* panel = m_form.Chart().SingleSelection();
    ASSERT_NE(panel, nullptr);
    const std::string node = panel->CtrlNodeText;
    TdxFlowChart* view = m_form.dxFlowChart1();
    const QPoint at = view->ToViewport(panel->Left() + 20, panel->Top() + 10);
    EXPECT_EQ(ModalSeenDuring([&] { QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at); }),
              QStringLiteral("TFormYanShi"));
    EXPECT_EQ(panel->CtrlNodeText, node);
    EXPECT_EQ(m_form.Flows().Count(), 5);
}

// The list beside the executable is read once: a later change of the file
// reaches neither the voice dialog nor the captions Open gives.
TEST(StartupPhrasesTest, VoicePhrasesAreReadOnceForTheDialogAndForOpen)
{
    const QString path =
        QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(kPhraseListFileName));
    ASSERT_FALSE(QFileInfo::exists(path));
    struct RemoveAfterwards {
        QString path;
        ~RemoveAfterwards() { QFile::remove(path); }
    } removeAfterwards{path};
    ASSERT_TRUE(WriteWholeFile(path, Gbk(u8"甲\r\n乙\r\n")));
    TForm1 form;
    CreateForms(form);
    ASSERT_TRUE(WriteWholeFile(path, Gbk(u8"丙\r\n")));

    const std::vector<std::string> startUp = {Gbk(u8"甲"), Gbk(u8"乙")};
    ASSERT_TRUE(form.Documents().VoicePhrases);
    EXPECT_EQ(form.Documents().VoicePhrases(), startUp);
    auto* voice = form.findChild<TFormVOICEX*>();
    ASSERT_NE(voice, nullptr);
    ASSERT_EQ(voice->ComboBox1()->count(), 2);
    EXPECT_EQ(voice->ComboBox1()->itemText(1), QString::fromUtf8(u8"乙"));
}

} // namespace
} // namespace talvex
