#include "dialogs/controls.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>

#include <algorithm>

namespace talvex {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), m_group(new QButtonGroup(this))
{
    m_group->setExclusive(true);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        m_group->addButton(button, i);
        m_buttons.push_back(button);
    }
    Arrange();
}

int RadioGroup::ItemIndex() const
{
    return m_group->checkedId();
}

void RadioGroup::SetItemIndex(int index)
{
    if (m_buttons.isEmpty())
        return;
    index = std::min(index, static_cast<int>(m_buttons.size()) - 1);
    if (index < 0) {
        // An exclusive group refuses to uncheck its last button.
        m_group->setExclusive(false);
        for (QRadioButton* button : m_buttons)
            button->setChecked(false);
        m_group->setExclusive(true);
        return;
    }
    m_buttons[index]->setChecked(true);
}

void RadioGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    Arrange();
}

void RadioGroup::Arrange()
{
    if (m_buttons.isEmpty())
        return;
    const QRect area = contentsRect();
    const int top = area.top();
    const int rowHeight = (area.bottom() - top) / static_cast<int>(m_buttons.size());
    for (int i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setGeometry(area.left() + 8, top + i * rowHeight, area.width() - 12, rowHeight);
}

QLineEdit* NewNumberEdit(const char* objectName, bool negatives, QWidget* parent)
{
    auto* edit = new QLineEdit(QStringLiteral("0"), parent);
    edit->setObjectName(objectName);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QString pattern = negatives ? QStringLiteral("-?[0-9]{0,10}") : QStringLiteral("[0-9]{0,10}");
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), edit));
    return edit;
}

QScrollBar* NewScrollBar(const char* objectName, Qt::Orientation orientation, int min, int max, int position,
                         int singleStep, int pageStep, QWidget* parent)
{
    auto* bar = new QScrollBar(orientation, parent);
    bar->setObjectName(objectName);
    bar->setRange(min, max);
    bar->setSingleStep(singleStep);
    bar->setPageStep(pageStep);
    bar->setValue(position);
    return bar;
}

void ShowBarInEdit(const QScrollBar* bar, QLineEdit* edit)
{
    const QString text = QString::number(bar->value());
    if (edit->text() != text)
        edit->setText(text);
}

void MoveBarToEdit(QLineEdit* edit, QScrollBar* bar)
{
    bool ok = false;
    const qlonglong typed = edit->text().toLongLong(&ok);
    const qlonglong value = ok ? typed : 0;
    const int clamped = static_cast<int>(std::clamp<qlonglong>(value, bar->minimum(), bar->maximum()));
    {
        // Half-typed text ("-", "") stays as it is while the bar follows;
        // the bar's own change handler must not overwrite it.
        const QSignalBlocker block(bar);
        bar->setValue(clamped);
    }
    if (ok && clamped != typed)
        edit->setText(QString::number(clamped));
}

void SetListIndex(QComboBox* box, int index)
{
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

void ClickLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

LedLamp::LedLamp(QWidget* parent) : QWidget(parent)
{
    setFixedSize(17, 17);
    setCursor(Qt::PointingHandCursor);
}

void LedLamp::SetLit(bool lit)
{
    if (m_lit == lit)
        return;
    m_lit = lit;
    update();
}

void LedLamp::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(64, 64, 64), 1));
    painter.setBrush(Color());
    painter.drawEllipse(QRectF(0.5, 0.5, width() - 1.0, height() - 1.0));
    // A small highlight so the lamp reads as a lamp, lit or not.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 110));
    painter.drawEllipse(QRectF(4, 3, 5, 4));
}

void LedLamp::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QWidget::mousePressEvent(event);
}

} // namespace talvex
