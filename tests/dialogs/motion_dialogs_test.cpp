#include "dialogs/motiondialogs.h"
#include "dialogs/voicedialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace talvex;

TEST(MotionDialogsTest, EditAndBarFollowEachOther)
{
    struct Case {
        const char* typed;
        int bar;
        const char* shown;
    };
    std::unique_ptr<DriveDialog> drive(DriveDialog::NewZhiXing());
    drive->show();
    const Case cases[] = {
        {"300", 300, "300"},
        {"99999", 32767, "32767"},
        {"", 0, ""},
        {"12", 12, "12"},
    };
    for (const Case& c : cases) {
        QLineEdit* edit = drive->JvValidateEdit1();
        edit->selectAll();
        if (*c.typed)
            QTest::keyClicks(edit, c.typed);
        else
            QTest::keyClick(edit, Qt::Key_Delete);
        EXPECT_EQ(drive->ScrollBar1()->value(), c.bar) << c.typed;
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.shown)) << c.typed;
    }
    QTest::keyClick(drive->ScrollBar1(), Qt::Key_End);
    EXPECT_EQ(drive->JvValidateEdit1()->text(), "32767");
    drive->ScrollBar1()->setValue(40);
    EXPECT_EQ(drive->JvValidateEdit1()->text(), "40");
}

TEST(MotionDialogsTest, RadioGroupsClampTheirIndex)
{
    std::unique_ptr<DriveDialog> turn(DriveDialog::NewZhuanXiang());
    TFormTingZhiDJ stop;
    EXPECT_EQ(turn->RadioGroup1()->ItemIndex(), 0);
    EXPECT_EQ(turn->RadioGroup1()->Button(3)->text(), QString::fromUtf8(u8"右转一段时间"));
    struct Case {
        int set;
        int turnIndex;
        int stopIndex;
    };
    for (const Case& c : {Case{9, 3, 1}, Case{-1, -1, -1}, Case{-7, -1, -1}, Case{1, 1, 1}, Case{2, 2, 1}}) {
        turn->RadioGroup1()->SetItemIndex(c.set);
        stop.RadioGroup1()->SetItemIndex(c.set);
        EXPECT_EQ(turn->RadioGroup1()->ItemIndex(), c.turnIndex) << c.set;
        EXPECT_EQ(stop.RadioGroup1()->ItemIndex(), c.stopIndex) << c.set;
    }
}

TEST(VoiceDialogTest, PhraseListFillsTheListAndSelectsTheFirst)
{
    TFormVOICEX numbered({"0", "1", "2"});
    EXPECT_EQ(numbered.ComboBox1()->count(), 3);
    EXPECT_EQ(numbered.ComboBox1()->currentIndex(), 0);
    TFormVOICEX empty({});
    EXPECT_EQ(empty.ComboBox1()->currentIndex(), -1);
}
