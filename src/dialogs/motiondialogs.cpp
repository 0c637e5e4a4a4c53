#include "dialogs/motiondialogs.h"

#include <QLineEdit>
#include <QScrollBar>

namespace talvex {

namespace {

constexpr int kWaitMax = 32767;
constexpr int kSpeedMax = 255;

QStringList Utf8List(std::initializer_list<const char*> items)
{
    QStringList list;
    for (const char* item : items)
        list << QString::fromUtf8(item);
    return list;
}

} // namespace

DriveDialog::DriveDialog(const char* className, const char* captionUtf8, const QStringList& items, QWidget* parent)
    : DialogFrame(className, captionUtf8, FrameGeometry{313, 223, 297, 177, 192}, parent)
{
    m_radio = new RadioGroup(QString::fromUtf8(u8"请选择"), items, Panel());
    m_radio->setObjectName("RadioGroup1");
    m_radio->setGeometry(16, 16, 185, 105);
    m_radio->SetItemIndex(0);
    AddLabel(u8"时间长度:", 16, 128);
    m_edit = NewNumberEdit("JvValidateEdit1", false, Panel());
    m_edit->setGeometry(114, 125, 85, 24);
    m_bar = NewScrollBar("ScrollBar1", Qt::Horizontal, 0, kWaitMax, 0, 1, 10, Panel());
    m_bar->setGeometry(16, 152, 265, 16);
    connect(m_bar, &QScrollBar::valueChanged, this, &DriveDialog::ScrollBar1Change);
    connect(m_edit, &QLineEdit::textEdited, this, &DriveDialog::JvValidateEdit1ValueChanged);
}

DriveDialog* DriveDialog::NewZhiXing(QWidget* parent)
{
    return new DriveDialog("TFormZhiXing", u8"直行", Utf8List({u8"前进", u8"后退", u8"前进一段时间", u8"后退一段时间"}),
                           parent);
}

DriveDialog* DriveDialog::NewZhuanXiang(QWidget* parent)
{
    return new DriveDialog("TFormZhuanXiang", u8"转向",
                           Utf8List({u8"左转", u8"右转", u8"左转一段时间", u8"右转一段时间"}), parent);
}

void DriveDialog::ScrollBar1Change()
{
    ShowBarInEdit(m_bar, m_edit);
}
void DriveDialog::JvValidateEdit1ValueChanged()
{
    MoveBarToEdit(m_edit, m_bar);
}

TFormQiDongDJ::TFormQiDongDJ(QWidget* parent)
    : DialogFrame("TFormQiDongDJ", u8"启动电机", FrameGeometry{343, 223, 329, 177, 192}, parent)
{
    AddMotorRow(1, u8"左电机速度", 13, m_edit1, m_bar1);
    AddMotorRow(2, u8"右电机速度", 93, m_edit2, m_bar2);
    connect(m_bar1, &QScrollBar::valueChanged, this, &TFormQiDongDJ::ScrollBar1Change);
    connect(m_bar2, &QScrollBar::valueChanged, this, &TFormQiDongDJ::ScrollBar2Change);
    connect(m_edit1, &QLineEdit::textEdited, this, &TFormQiDongDJ::JvValidateEdit1ValueChanged);
    connect(m_edit2, &QLineEdit::textEdited, this, &TFormQiDongDJ::JvValidateEdit2ValueChanged);
}

// One motor: its numeric edit and scroll bar at y, and under them the name
// and the marks at the left end, middle and right end of the bar.
void TFormQiDongDJ::AddMotorRow(int number, const char* nameUtf8, int y, QLineEdit*& edit, QScrollBar*& bar)
{
    const QString n = QString::number(number);
    edit = NewNumberEdit(("JvValidateEdit" + n).toLatin1().constData(), true, Panel());
    edit->setGeometry(10, y, 71, 24);
    bar = NewScrollBar(("ScrollBar" + n).toLatin1().constData(), Qt::Horizontal, -kSpeedMax, kSpeedMax, 0, 1, 10,
                       Panel());
    bar->setGeometry(96, y, 225, 24);
    AddLabel(nameUtf8, 8, y + 35);
    AddLabel(u8"反转", 95, y + 35);
    AddLabel(u8"停止", 192, y + 35);
    AddLabel(u8"正转", 289, y + 35);
}

void TFormQiDongDJ::ScrollBar1Change()
{
    ShowBarInEdit(m_bar1, m_edit1);
}
void TFormQiDongDJ::ScrollBar2Change()
{
    ShowBarInEdit(m_bar2, m_edit2);
}
void TFormQiDongDJ::JvValidateEdit1ValueChanged()
{
    MoveBarToEdit(m_edit1, m_bar1);
}
void TFormQiDongDJ::JvValidateEdit2ValueChanged()
{
    MoveBarToEdit(m_edit2, m_bar2);
}

TFormTingZhiDJ::TFormTingZhiDJ(QWidget* parent)
    : DialogFrame("TFormTingZhiDJ", u8"停止电机", FrameGeometry{313, 195, 297, 145, 160}, parent)
{
    m_radio = new RadioGroup(QString::fromUtf8(u8"请选择"),
                             Utf8List({u8"停止\"直行转向\"开始的动作", u8"停止\"启动电机\"开始的动作"}), Panel());
    m_radio->setObjectName("RadioGroup1");
    m_radio->setGeometry(16, 16, 265, 105);
    m_radio->SetItemIndex(0);
}

TFormYanShi::TFormYanShi(QWidget* parent)
    : DialogFrame("TFormYanShi", u8"延时", FrameGeometry{313, 118, 297, 73, 88}, parent)
{
    AddLabel(u8"时间长度:", 16, 13);
    m_edit = NewNumberEdit("JvValidateEdit1", false, Panel());
    m_edit->setGeometry(114, 10, 85, 24);
    m_bar = NewScrollBar("ScrollBar1", Qt::Horizontal, 0, kWaitMax, 0, 1, 10, Panel());
    m_bar->setGeometry(16, 37, 265, 16);
    connect(m_bar, &QScrollBar::valueChanged, this, &TFormYanShi::ScrollBar1Change);
    connect(m_edit, &QLineEdit::textEdited, this, &TFormYanShi::JvValidateEdit1ValueChanged);
}

void TFormYanShi::ScrollBar1Change()
{
    ShowBarInEdit(m_bar, m_edit);
}
void TFormYanShi::JvValidateEdit1ValueChanged()
{
    MoveBarToEdit(m_edit, m_bar);
}

} // namespace talvex
