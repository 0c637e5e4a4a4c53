#include "dialogs/melodydialog.h"

#include "model/gbk.h"
#include "model/melody.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>

namespace talvex {

namespace {

constexpr int kDotSize = 3;
constexpr int kDotGap = 2;

} // namespace

NoteButton::NoteButton(int degree, int dotsAbove, int dotsBelow, QWidget* parent)
    : QRadioButton(QString::number(degree), parent), m_dotsAbove(dotsAbove), m_dotsBelow(dotsBelow)
{
}

QSize NoteButton::sizeHint() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int indicator = style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option, this);
    const int spacing = style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option, this);
    const QFontMetrics fm = fontMetrics();
    const int dots = 2 * (kDotSize + kDotGap) + kDotSize;
    return {indicator + spacing + fm.horizontalAdvance(text()) + 4, fm.ascent() + dots + 6};
}

void NoteButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString digit = option.text;
    option.text.clear();
    style()->drawControl(QStyle::CE_RadioButton, &option, &painter, this);

    const QRect contents = style()->subElementRect(QStyle::SE_RadioButtonContents, &option, this);
    const QFontMetrics fm = fontMetrics();
    const int digitWidth = fm.horizontalAdvance(digit);
    const int digitHeight = fm.ascent() - fm.descent() / 2; // the figure's own height, not the line's
    const int centreY = contents.center().y();
    const int digitTop = centreY - digitHeight / 2;
    const QColor color =
        option.palette.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    painter.setPen(color);
    painter.drawText(QPoint(contents.left() + 1, digitTop + digitHeight), digit);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    const qreal dotX = contents.left() + 1 + (digitWidth - kDotSize) / 2.0;
    for (int i = 0; i < m_dotsAbove; ++i) {
        const qreal y = digitTop - (kDotGap + kDotSize) * (i + 1);
        painter.drawEllipse(QRectF(dotX, y, kDotSize, kDotSize));
    }
    for (int i = 0; i < m_dotsBelow; ++i) {
        const qreal y = digitTop + digitHeight + kDotGap + (kDotGap + kDotSize) * i;
        painter.drawEllipse(QRectF(dotX, y, kDotSize, kDotSize));
    }
}

TFormFaYin::TFormFaYin(QWidget* parent)
    : DialogFrame("TFormFaYin", u8"发音", FrameGeometry{465, 299, 449, 250, 266}, parent)
{
    auto* keyboard = new QGroupBox(QString::fromUtf8(u8"音高"), Panel());
    keyboard->setObjectName("GroupBox1");
    keyboard->setGeometry(8, 6, 300, 168);
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);

    // Numbered-notation labels: buttons 1..7 low, 8..14 middle, 15..21 high,
    // 22 the 1 two octaves above the middle, 23 the rest.
    for (int number = 1; number <= kPitchButtonCount; ++number) {
        QRadioButton* button = nullptr;
        if (number == kRestButton) {
            button = new QRadioButton(QString::fromUtf8(u8"休止符"), keyboard);
        } else {
            const int degree = (number - 1) % 7 + 1;
            const int octave = (number - 1) / 7; // 0 low, 1 middle, 2 high, 3 the top 1
            button = new NoteButton(degree, octave >= 2 ? octave - 1 : 0, octave == 0 ? 1 : 0, keyboard);
        }
        button->setObjectName(QStringLiteral("RadioButton%1").arg(number));
        group->addButton(button, number);
        m_pitch[static_cast<size_t>(number - 1)] = button;
    }
    // Four rows, highest first: 22 with the rest, 15..21, 8..14, 1..7.
    const int left = 10;
    const int column = 41;
    const int rowTop = 24;
    const int rowHeight = 35;
    m_pitch[21]->setGeometry(left, rowTop, column - 2, rowHeight);
    m_pitch[22]->setGeometry(left + 4 * column, rowTop, 3 * column - 8, rowHeight);
    for (int row = 1; row <= 3; ++row) {
        const int first = 15 - (row - 1) * 7; // 15, 8, 1
        for (int i = 0; i < 7; ++i)
            m_pitch[static_cast<size_t>(first - 1 + i)]->setGeometry(left + i * column, rowTop + row * rowHeight,
                                                                     column - 2, rowHeight);
    }

    AddLabel(u8"音域范围:", 8, 184);
    m_range = new QComboBox(Panel());
    m_range->setObjectName("ComboBox1");
    for (int r = 0; r <= kMaxMelodyRange; ++r)
        m_range->addItem(QString::number(r));
    m_range->setGeometry(90, 181, 56, 24);
    m_range->setCurrentIndex(0);

    AddLabel(u8"音长:", 158, 184);
    m_duration = new QComboBox(Panel());
    m_duration->setObjectName("ComboBox2");
    for (const char* item :
         {u8"1/4拍", u8"2/4拍", u8"3/4拍", u8"1拍", u8"1又1/4拍", u8"1又2/4拍", u8"1又3/4拍", u8"2拍"})
        m_duration->addItem(QString::fromUtf8(item));
    m_duration->setGeometry(204, 181, 104, 24);
    m_duration->setCurrentIndex(0);

    m_keyCmd = new QCheckBox(QString::fromUtf8(u8"生成KEY语句 "), Panel());
    m_keyCmd->setObjectName("CheckBox1");
    m_keyCmd->setGeometry(8, 214, 150, 26);

    m_notes = new QListWidget(Panel());
    m_notes->setObjectName("JvListBox1");
    m_notes->setGeometry(318, 12, 80, 196);
    m_notes->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* up = new QToolButton(Panel());
    up->setObjectName("SpeedButton1");
    up->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
    up->setGeometry(406, 70, 32, 32);
    auto* down = new QToolButton(Panel());
    down->setObjectName("SpeedButton2");
    down->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
    down->setGeometry(406, 110, 32, 32);

    struct Edit {
        const char* name;
        const char* text;
        int x;
        void (TFormFaYin::*handler)();
    };
    const Edit edits[] = {{"Button4", u8"添加", 170, &TFormFaYin::Button4Click},
                          {"Button5", u8"替换", 254, &TFormFaYin::Button5Click},
                          {"Button6", u8"删除", 338, &TFormFaYin::Button6Click}};
    for (const Edit& e : edits) {
        auto* button = new QPushButton(QString::fromUtf8(e.text), Panel());
        button->setObjectName(e.name);
        button->setAutoDefault(false);
        button->setGeometry(e.x, 215, 75, 25);
        connect(button, &QPushButton::clicked, this, e.handler);
    }

    connect(m_range, &QComboBox::currentIndexChanged, this, &TFormFaYin::ComboBox1Change);
    connect(up, &QToolButton::clicked, this, &TFormFaYin::SpeedButton1Click);
    connect(down, &QToolButton::clicked, this, &TFormFaYin::SpeedButton2Click);
    ApplyRange();
}

int TFormFaYin::Range() const
{
    return ClampMelodyRange(m_range->currentIndex());
}

void TFormFaYin::ApplyRange()
{
    const int range = Range();
    for (int number = 1; number <= kHighestPitchButton; ++number)
        m_pitch[static_cast<size_t>(number - 1)]->setEnabled(PitchButtonEnabled(number, range));
    m_pitch[kRestButton - 1]->setChecked(true);
}

int TFormFaYin::SelectedPitch() const
{
    for (int number = 1; number <= kPitchButtonCount; ++number) {
        if (m_pitch[static_cast<size_t>(number - 1)]->isChecked())
            return number;
    }
    return -1;
}

std::string TFormFaYin::EncodeNote() const
{
    return EncodeNoteCode(SelectedPitch(), Range(), m_duration->currentIndex());
}

void TFormFaYin::LoadNotes(const std::string& content)
{
    m_notes->clear();
    for (const std::string& note : SplitMelody(content))
        m_notes->addItem(FromGbkField(note));
}

std::string TFormFaYin::JoinNotes() const
{
    std::vector<std::string> notes;
    notes.reserve(static_cast<size_t>(m_notes->count()));
    for (int i = 0; i < m_notes->count(); ++i)
        notes.push_back(ToGbk(m_notes->item(i)->text()));
    return JoinMelody(notes);
}

int TFormFaYin::SelectedRow() const
{
    const QList<QListWidgetItem*> selected = m_notes->selectedItems();
    return selected.isEmpty() ? -1 : m_notes->row(selected.first());
}

void TFormFaYin::ComboBox1Change()
{
    ApplyRange();
}

void TFormFaYin::Button4Click()
{
    const std::string code = EncodeNote();
    if (!code.empty())
        m_notes->addItem(FromGbkField(code));
}

void TFormFaYin::Button5Click()
{
    const int row = SelectedRow();
    const std::string code = EncodeNote();
    if (row < 0 || code.empty())
        return;
    m_notes->item(row)->setText(FromGbkField(code));
}

void TFormFaYin::Button6Click()
{
    const int row = SelectedRow();
    if (row < 0)
        return;
    delete m_notes->takeItem(row);
    m_notes->clearSelection();
}

void TFormFaYin::SwapWith(int row, int other)
{
    QListWidgetItem* a = m_notes->item(row);
    QListWidgetItem* b = m_notes->item(other);
    const QString text = a->text();
    a->setText(b->text());
    b->setText(text);
    m_notes->setCurrentRow(other, QItemSelectionModel::ClearAndSelect);
}

void TFormFaYin::SpeedButton1Click()
{
    const int row = SelectedRow();
    if (row > 0)
        SwapWith(row, row - 1);
}

void TFormFaYin::SpeedButton2Click()
{
    const int row = SelectedRow();
    if (row >= 0 && row + 1 < m_notes->count())
        SwapWith(row, row + 1);
}

} // namespace talvex
