#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVector>

class QButtonGroup;
class QRadioButton;
class QScrollBar;
class QComboBox;

namespace talvex {

// A titled group of radio buttons read and set by item index; -1 means no
// button is chosen. Items are stacked evenly in the box.
class RadioGroup : public QGroupBox {
    Q_OBJECT
  public:
    RadioGroup(const QString& title, const QStringList& items, QWidget* parent);

    int ItemIndex() const;
    // Below -1 becomes -1, beyond the last button the last button.
    void SetItemIndex(int index);
    int Count() const { return m_buttons.size(); }
    QRadioButton* Button(int index) const { return m_buttons.value(index); }

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Arrange();
    QButtonGroup* m_group;
    QVector<QRadioButton*> m_buttons;
};

// The numeric edit beside a scroll bar: integers, right-aligned.
QLineEdit* NewNumberEdit(const char* objectName, bool negatives, QWidget* parent);
QScrollBar* NewScrollBar(const char* objectName, Qt::Orientation orientation, int min, int max, int position,
                         int singleStep, int pageStep, QWidget* parent);

// The edit shows the bar's position.
void ShowBarInEdit(const QScrollBar* bar, QLineEdit* edit);
// Typing moves the bar: a text that is not an integer counts as 0, a value
// beyond the bar's range goes to the nearest bound and the edit then shows
// that bound. The bar's position is the value that counts.
void MoveBarToEdit(QLineEdit* edit, QScrollBar* bar);

// The drop-down lists give -1 when nothing is selected and clear their
// selection when given an index outside their items.
void SetListIndex(QComboBox* box, int index);

// A label that reports clicks (the LED lamps' captions switch their lamp).
class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

// A round lamp, lit or dark, that reports clicks.
class LedLamp : public QWidget {
    Q_OBJECT
  public:
    explicit LedLamp(QWidget* parent);
    bool Lit() const { return m_lit; }
    void SetLit(bool lit);
    static QColor LitColor() { return QColor(0, 255, 0); }
    static QColor DarkColor() { return QColor(0, 128, 128); }
    QColor Color() const { return m_lit ? LitColor() : DarkColor(); }
  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    bool m_lit = false;
};

} // namespace talvex
