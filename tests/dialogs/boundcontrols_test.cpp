#include "dialogs/boundcontrols.h"
#include "dialogs/dialogset.h"
#include "dialogs/hardwaredialogs.h"
#include "model/gbk.h"

#include <QDialog>
#include <QLineEdit>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace talvex;

namespace {

class BindControlsTest : public ::testing::Test {
  protected:
    BindControlsTest()
    {
        m_dialog.setObjectName("TFormTest");
        new QScrollBar(&m_dialog);
        m_dialog.findChild<QScrollBar*>()->setObjectName("ScrollBar1");
        (new QLineEdit(&m_dialog))->setObjectName("Edit1");
    }
    QDialog m_dialog;
};

TEST_F(BindControlsTest, ResolvesEachBindingInOrder)
{
    const std::vector<ControlBinding> bindings = {{"text", "Edit1", ControlAccess::Text},
                                                  {"wait", "ScrollBar1", ControlAccess::Position}};
    const Result<BoundControls> bound = BindControls(m_dialog, bindings);
    ASSERT_TRUE(bound) << bound.Message();
    ASSERT_EQ(bound->size(), 2u);
    EXPECT_EQ((*bound)[0].binding, &bindings[0]);
    EXPECT_EQ((*bound)[0].control, m_dialog.findChild<QLineEdit*>("Edit1"));
    EXPECT_EQ((*bound)[1].control, m_dialog.findChild<QScrollBar*>("ScrollBar1"));
}

// A description that matches nothing, or a control that cannot take its
// access, is refused with the control's name instead of being skipped.
TEST_F(BindControlsTest, NameThatMatchesNothingFails)
{
    struct Case {
        ControlBinding wrong;
        const char* named;
    };
    const Case cases[] = {
        {{"wait", "ScrollBar9", ControlAccess::Position}, "ScrollBar9"},
        {{"wait", "Edit1", ControlAccess::Position}, "Edit1"},
        {{"text", "ScrollBar1", ControlAccess::Text}, "ScrollBar1"},
        {{"led", nullptr, ControlAccess::LedMask}, u8"(对话框本身)"},
    };
    for (const Case& c : cases) {
        const std::vector<ControlBinding> bindings = {{"text", "Edit1", ControlAccess::Text}, c.wrong};
        const Result<BoundControls> bound = BindControls(m_dialog, bindings);
        ASSERT_FALSE(bound) << c.named;
        EXPECT_NE(bound.Message().find("TFormTest"), std::string::npos) << bound.Message();
        EXPECT_NE(bound.Message().find(Gbk(c.named)), std::string::npos) << bound.Message();
    }
}

TEST(DialogSetBindings, EveryKindWithParametersHasItsControlsBound)
{
    DialogSetOptions options;
    options.phrases = std::vector<std::string>{"0"};
    DialogSet dialogs(nullptr, options);
    for (const BlockInfo& kind : BlockCatalog()) {
        const BoundControls* controls = dialogs.Controls(kind.code);
        if (kind.controls.empty()) {
            EXPECT_EQ(controls, nullptr) << kind.member;
            continue;
        }
        ASSERT_NE(controls, nullptr) << kind.member;
        ASSERT_EQ(controls->size(), kind.controls.size()) << kind.member;
        QDialog* dialog = dialogs.Find(QString::fromLatin1(kind.dialog));
        for (const BoundControl& bound : *controls) {
            EXPECT_TRUE(bound.control == dialog || bound.control->parent() != nullptr) << kind.member;
            EXPECT_EQ(bound.control == dialog, bound.binding->control == nullptr) << kind.member;
        }
    }
    EXPECT_EQ(dialogs.Controls(bkLED)->front().control, dialogs.Find("TFormLED"));
}

} // namespace
