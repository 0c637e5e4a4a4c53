#include "dialogs/hardwaredialogs.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTreeWidget>

namespace talvex {

namespace {

QComboBox* NewList(const char* objectName, const QStringList& items, int x, int y, int width, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(objectName);
    box->addItems(items);
    box->setGeometry(x, y, width, 24);
    box->setCurrentIndex(0);
    return box;
}

// Rows as tight as the 13-pixel type allows, so that the eight pins fit the
// list without scrolling whatever the face's line spacing.
class CompactRowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(17);
        return size;
    }
};

} // namespace

// ---------------------------------------------------------------- LED

TFormLED::TFormLED(QWidget* parent)
    : DialogFrame("TFormLED", u8"发光二极管", FrameGeometry{313, 151, 297, 105, 120}, parent)
{
    struct Place {
        const char* lamp;
        const char* label;
        const char* labelName;
        int x;
    };
    // Left to right PB1, PB0, PB2; lamp i of the mask is JvLED(i+1).
    const Place places[3] = {
        {"JvLED1", "PB0", "Label2", 84}, {"JvLED2", "PB1", "Label1", 34}, {"JvLED3", "PB2", "Label3", 134}};
    void (TFormLED::*handlers[3])() = {&TFormLED::JvLED1Click, &TFormLED::JvLED2Click, &TFormLED::JvLED3Click};
    for (int bit = 0; bit < 3; ++bit) {
        const Place& p = places[bit];
        auto* lamp = new LedLamp(Panel());
        lamp->setObjectName(p.lamp);
        lamp->move(p.x, 50);
        auto* label = new ClickLabel(QString::fromLatin1(p.label), Panel());
        label->setObjectName(p.labelName);
        label->move(p.x - 2, 29);
        label->adjustSize();
        label->setCursor(Qt::PointingHandCursor);
        connect(lamp, &LedLamp::clicked, this, handlers[bit]);
        connect(label, &ClickLabel::clicked, this, handlers[bit]);
        m_lamps[static_cast<size_t>(bit)] = lamp;
    }
    ShowLedMask(7);
}

void TFormLED::ShowLedMask(int mask)
{
    for (int bit = 0; bit < 3; ++bit)
        m_lamps[static_cast<size_t>(bit)]->SetLit((mask & (1 << bit)) == 0);
}

int TFormLED::ReadLedMask() const
{
    int mask = 0;
    for (int bit = 0; bit < 3; ++bit) {
        if (!m_lamps[static_cast<size_t>(bit)]->Lit())
            mask += 1 << bit;
    }
    return mask;
}

void TFormLED::JvLED1Click()
{
    m_lamps[0]->SetLit(!m_lamps[0]->Lit());
}
void TFormLED::JvLED2Click()
{
    m_lamps[1]->SetLit(!m_lamps[1]->Lit());
}
void TFormLED::JvLED3Click()
{
    m_lamps[2]->SetLit(!m_lamps[2]->Lit());
}

// ---------------------------------------------------------------- pin masks

PinMaskDialog::PinMaskDialog(const Texts& texts, QWidget* parent)
    : DialogFrame(texts.className, texts.captionUtf8, FrameGeometry{289, 241, 273, 196, 211}, parent),
      m_cleared(QString::fromUtf8(texts.clearedUtf8)), m_set(QString::fromUtf8(texts.setUtf8))
{
    AddLabel(u8"IO端口: ", 8, 13);
    QStringList ports;
    for (const char* port : texts.ports)
        ports << QString::fromLatin1(port);
    // Wider than the designer's 70 pixels so that "PORTA" shows whole beside the arrow.
    m_ports = NewList("ComboBox1", ports, 74, 10, 84, Panel());

    m_list = new QTreeWidget(Panel());
    m_list->setObjectName("ListView1");
    m_list->setGeometry(24, 40, 225, 145);
    m_list->setFont(DialogFont(13));
    m_list->setColumnCount(3);
    m_list->setHeaderLabels({"Name", "Value", "Desc"});
    m_list->header()->setVisible(false);
    m_list->setColumnWidth(0, 70);
    m_list->setColumnWidth(1, 50);
    m_list->setColumnWidth(2, 80);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setItemDelegate(new CompactRowDelegate(m_list));
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_list, &QTreeWidget::itemChanged, this, &PinMaskDialog::ListView1Change);
    for (int i = 0; i < 8; ++i) {
        auto* row = new QTreeWidgetItem(m_list, {QStringLiteral("bit%1").arg(i), "0", m_cleared});
        row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        row->setCheckState(0, Qt::Unchecked);
    }
}

PinMaskDialog* PinMaskDialog::NewPORTDDR(QWidget* parent)
{
    return new PinMaskDialog({"TFormPORTDDR", u8"IO设置", {"DDRA", "DDRB", "DDRC", "DDRD"}, u8"输入", u8"输出"},
                             parent);
}

PinMaskDialog* PinMaskDialog::NewPORTOUT(QWidget* parent)
{
    return new PinMaskDialog({"TFormPORTOUT", u8"IO输出", {"PORTA", "PORTB", "PORTC", "PORTD"}, u8"低电平", u8"高电平"},
                             parent);
}

void PinMaskDialog::ShowPinMask(int mask)
{
    m_list->viewport()->update();
    for (int i = 0; i < 8 && i < m_list->topLevelItemCount(); ++i)
        m_list->topLevelItem(i)->setCheckState(0, (mask & (1 << i)) ? Qt::Checked : Qt::Unchecked);
}

int PinMaskDialog::ReadPinMask() const
{
    int mask = 0;
    for (int i = 0; i < 8 && i < m_list->topLevelItemCount(); ++i) {
        if (m_list->topLevelItem(i)->checkState(0) == Qt::Checked)
            mask += 1 << i;
    }
    return mask;
}

void PinMaskDialog::ListView1Change(QTreeWidgetItem* item)
{
    if (!item || item->columnCount() < 3)
        return;
    const bool checked = item->checkState(0) == Qt::Checked;
    const QString value = checked ? QStringLiteral("1") : QStringLiteral("0");
    const QString& desc = checked ? m_set : m_cleared;
    // Writing the texts fires this handler again; it then finds them equal.
    if (item->text(1) != value)
        item->setText(1, value);
    if (item->text(2) != desc)
        item->setText(2, desc);
}

// ---------------------------------------------------------------- variable = source

AssignDialog::AssignDialog(const Texts& texts, QWidget* parent)
    : DialogFrame(texts.className, texts.captionUtf8, FrameGeometry{texts.clientWidth, 97, texts.panelWidth, 49, 64},
                  parent)
{
    QStringList vars;
    for (char c = 'a'; c <= 'z'; ++c)
        vars << QString(QLatin1Char(c));
    AddLabel(u8"变量: ", 16, 13);
    m_var = NewList("ComboBox1", vars, 74, 10, 60, Panel());
    AddLabel(u8"= ", 144, 13);
    AddLabel(texts.sourceLabelUtf8, 160, 13);
    m_source = NewList("ComboBox2", texts.sources, texts.sourceListX, 10, 70, Panel());
}

AssignDialog* AssignDialog::NewPORTIN(QWidget* parent)
{
    return new AssignDialog({"TFormPORTIN", u8"IO输入", 328, 313, u8"IO端口: ", 226, {"PINA", "PINB", "PINC", "PIND"}},
                            parent);
}

AssignDialog* AssignDialog::NewDIN(QWidget* parent)
{
    return new AssignDialog({"TFormDIN",
                             u8"开关量传感",
                             368,
                             353,
                             u8"传感器接口: ",
                             266,
                             {"PC0", "PC1", "PC2", "PC3", "PC4", "MIC", "PCX"}},
                            parent);
}

AssignDialog* AssignDialog::NewAIN(QWidget* parent)
{
    QStringList adc;
    for (int i = 0; i < 8; ++i)
        adc << QStringLiteral("ADC%1").arg(i);
    return new AssignDialog({"TFormAIN", u8"模拟量传感", 368, 353, u8"传感器接口: ", 266, adc}, parent);
}

// ---------------------------------------------------------------- servos

TFormServo::TFormServo(QWidget* parent)
    : DialogFrame("TFormServo", u8"舵机", FrameGeometry{367, 256, 350, 209, 224}, parent)
{
    for (int n = 1; n <= 5; ++n) {
        const int x = 16 + (n - 1) * 56;
        const QByteArray nameLabel = "LabelName" + QByteArray::number(n);
        const QByteArray barName = "ScrollBar" + QByteArray::number(n);
        const QByteArray valueName = "LabelVal" + QByteArray::number(n);
        QLabel* name = AddLabel("", x + 4, 8, nameLabel.constData());
        name->setText(QStringLiteral("#%1").arg(n));
        name->adjustSize();
        QScrollBar* bar = NewScrollBar(barName.constData(), Qt::Vertical, 0, 18, 9, 1, 5, Panel());
        bar->setGeometry(x, 32, 16, 134);
        bar->setProperty("tag", n);
        connect(bar, &QScrollBar::valueChanged, this, &TFormServo::ScrollBarSChange);
        QLabel* value = AddLabel("9", x + 4, 176, valueName.constData());
        value->setMinimumWidth(24);
        value->adjustSize();
        m_bars[static_cast<size_t>(n - 1)] = bar;
    }
    AddLabel(u8"速度", 280, 71);
    AddLabel(u8"慢", 312, 96);
    AddLabel(u8"快", 312, 149);
    m_speed = NewScrollBar("ScrollBarSpeed", Qt::Vertical, 1, 5, 1, 1, 3, Panel());
    m_speed->setGeometry(288, 96, 16, 70);
    m_speedValue = AddLabel("1", 292, 176, "LabelSpdVal");
    m_speedValue->setMinimumWidth(24);
    m_speedValue->adjustSize();
    connect(m_speed, &QScrollBar::valueChanged, this, &TFormServo::ScrollBarSpeedChange);
}

void TFormServo::ScrollBarSChange()
{
    auto* bar = qobject_cast<QScrollBar*>(sender());
    if (!bar)
        return;
    const QString name = QStringLiteral("LabelVal") + QString::number(bar->property("tag").toInt());
    if (auto* label = findChild<QLabel*>(name))
        label->setText(QString::number(bar->value()));
}

void TFormServo::ScrollBarSpeedChange()
{
    m_speedValue->setText(QString::number(m_speed->value()));
}

} // namespace talvex
