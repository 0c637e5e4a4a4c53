#include "dialogs/melodydialog.h"

#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace talvex;

namespace {

class MelodyDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { dialog.show(); }
    void TearDown() override { dialog.hide(); }

    void Choose(int range, int button, int duration)
    {
        dialog.ComboBox1()->setCurrentIndex(range);
        dialog.ComboBox2()->setCurrentIndex(duration);
        QTest::mouseClick(dialog.PitchButton(button), Qt::LeftButton);
    }
    void Click(const char* name) { QTest::mouseClick(dialog.findChild<QWidget*>(name), Qt::LeftButton); }
    QStringList Items() const
    {
        QStringList items;
        for (int i = 0; i < dialog.JvListBox1()->count(); ++i)
            items << dialog.JvListBox1()->item(i)->text();
        return items;
    }
    void Select(int row) { dialog.JvListBox1()->setCurrentRow(row, QItemSelectionModel::ClearAndSelect); }

    TFormFaYin dialog;
};

} // namespace

TEST_F(MelodyDialogTest, NoteCodes)
{
    struct Case {
        int range;
        int button;
        int duration; // position in the duration list
        const char* code;
    };
    const Case cases[] = {
        {0, 8, 3, "84"},                    // middle 1, one beat
        {3, 8, 3, "54"},  {0, 23, 7, "08"}, // rest, two beats
        {5, 23, 7, "08"}, {7, 22, 0, "F1"}, // the highest 1, a quarter beat
        {0, 15, 3, "F4"},                   // high 1
        {0, 1, 0, "11"},
    };
    for (const Case& c : cases) {
        Choose(c.range, c.button, c.duration);
        ASSERT_EQ(dialog.SelectedPitch(), c.button);
        EXPECT_EQ(dialog.EncodeNote(), c.code) << c.range << "/" << c.button << "/" << c.duration;
        Click("Button4");
        EXPECT_EQ(Items().last(), QString::fromLatin1(c.code));
    }
}

TEST_F(MelodyDialogTest, LoadAndJoinNotes)
{
    dialog.LoadNotes("8454");
    EXPECT_EQ(Items(), QStringList({"84", "54"}));
    EXPECT_EQ(dialog.JoinNotes(), "8454");
    dialog.LoadNotes("84F");
    EXPECT_EQ(Items(), QStringList({"84"}));
    EXPECT_EQ(dialog.JoinNotes(), "84");
    dialog.LoadNotes("zz"); // not validated
    EXPECT_EQ(dialog.JoinNotes(), "zz");
    dialog.LoadNotes("");
    EXPECT_EQ(dialog.JvListBox1()->count(), 0);
    EXPECT_EQ(dialog.JoinNotes(), "");
}

TEST_F(MelodyDialogTest, RangeChangeMovesTheEnabledWindowAndSelectsTheRest)
{
    dialog.ComboBox1()->setCurrentIndex(0);
    for (int b = 1; b <= 22; ++b)
        EXPECT_EQ(dialog.PitchButton(b)->isEnabled(), b <= 15) << b;
    dialog.LoadNotes("84");
    QTest::mouseClick(dialog.PitchButton(3), Qt::LeftButton);
    dialog.ComboBox1()->setCurrentIndex(7);
    for (int b = 1; b <= 22; ++b)
        EXPECT_EQ(dialog.PitchButton(b)->isEnabled(), b >= 8) << b;
    EXPECT_TRUE(dialog.PitchButton(23)->isEnabled());
    EXPECT_EQ(dialog.SelectedPitch(), 23);
    EXPECT_EQ(dialog.JoinNotes(), "84"); // notes are not re-encoded
    dialog.ComboBox1()->setCurrentIndex(3);
    for (int b = 1; b <= 22; ++b)
        EXPECT_EQ(dialog.PitchButton(b)->isEnabled(), b >= 4 && b <= 18) << b;
}

TEST_F(MelodyDialogTest, ReplaceDeleteAndMove)
{
    dialog.LoadNotes("111213");
    Choose(0, 23, 7);
    Click("Button5"); // nothing selected: nothing happens
    Click("Button6");
    Click("SpeedButton1");
    Click("SpeedButton2");
    EXPECT_EQ(dialog.JoinNotes(), "111213");

    Select(1);
    Click("Button5");
    EXPECT_EQ(dialog.JoinNotes(), "110813");
    Click("SpeedButton1");
    EXPECT_EQ(dialog.JoinNotes(), "081113");
    Click("SpeedButton1"); // first item: stays
    EXPECT_EQ(dialog.JoinNotes(), "081113");
    EXPECT_EQ(dialog.JvListBox1()->currentRow(), 0);
    Click("SpeedButton2");
    Click("SpeedButton2");
    Click("SpeedButton2"); // last item: stays
    EXPECT_EQ(dialog.JoinNotes(), "111308");
    EXPECT_TRUE(dialog.JvListBox1()->item(2)->isSelected());
    Click("Button6");
    EXPECT_EQ(dialog.JoinNotes(), "1113");
}

TEST_F(MelodyDialogTest, DurationSurvivesAndPitchResetsAtEveryApplyRange)
{
    Choose(2, 10, 5);
    dialog.ApplyRange();
    EXPECT_EQ(dialog.SelectedPitch(), 23);
    EXPECT_EQ(dialog.ComboBox2()->currentIndex(), 5);
    EXPECT_EQ(dialog.EncodeNote(), "06");
}
