#pragma once

#include "dialogs/controls.h"
#include "dialogs/dialogframe.h"

#include <array>

class QComboBox;
class QScrollBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace talvex {

class TFormLED : public DialogFrame {
    Q_OBJECT
  public:
    explicit TFormLED(QWidget* parent = nullptr);

    // Bit i of the mask darkens lamp i (JvLED1 = PB0, JvLED2 = PB1, JvLED3 = PB2).
    void ShowLedMask(int mask);
    int ReadLedMask() const;
    LedLamp* Lamp(int bit) const { return m_lamps[static_cast<size_t>(bit)]; }

  public slots:
    void JvLED1Click();
    void JvLED2Click();
    void JvLED3Click();

  private:
    std::array<LedLamp*, 3> m_lamps{};
};

// IO direction and IO output: a port list and eight check-marked pin rows.
class PinMaskDialog : public DialogFrame {
    Q_OBJECT
  public:
    struct Texts {
        const char* className;
        const char* captionUtf8;
        std::array<const char*, 4> ports;
        const char* clearedUtf8; // Desc of an unchecked row
        const char* setUtf8;     // Desc of a checked row
    };
    PinMaskDialog(const Texts& texts, QWidget* parent = nullptr);

    static PinMaskDialog* NewPORTDDR(QWidget* parent = nullptr);
    static PinMaskDialog* NewPORTOUT(QWidget* parent = nullptr);

    void ShowPinMask(int mask);
    int ReadPinMask() const;
    QComboBox* ComboBox1() const { return m_ports; }
    QTreeWidget* ListView1() const { return m_list; }

  public slots:
    void ListView1Change(QTreeWidgetItem* item);

  private:
    QString m_cleared;
    QString m_set;
    QComboBox* m_ports;
    QTreeWidget* m_list;
};

// IO input, switch sensor and analogue sensor: variable "=" source.
class AssignDialog : public DialogFrame {
    Q_OBJECT
  public:
    struct Texts {
        const char* className;
        const char* captionUtf8;
        int clientWidth;
        int panelWidth;
        const char* sourceLabelUtf8;
        int sourceListX;
        QStringList sources;
    };
    AssignDialog(const Texts& texts, QWidget* parent = nullptr);

    static AssignDialog* NewPORTIN(QWidget* parent = nullptr);
    static AssignDialog* NewDIN(QWidget* parent = nullptr);
    static AssignDialog* NewAIN(QWidget* parent = nullptr);

    QComboBox* ComboBox1() const { return m_var; }
    QComboBox* ComboBox2() const { return m_source; }

  private:
    QComboBox* m_var;
    QComboBox* m_source;
};

class TFormServo : public DialogFrame {
    Q_OBJECT
  public:
    explicit TFormServo(QWidget* parent = nullptr);
    QScrollBar* ServoBar(int number) const { return m_bars[static_cast<size_t>(number - 1)]; } // 1..5
    QScrollBar* ScrollBarSpeed() const { return m_speed; }

  public slots:
    void ScrollBarSChange();
    void ScrollBarSpeedChange();

  private:
    std::array<QScrollBar*, 5> m_bars{};
    QScrollBar* m_speed;
    QLabel* m_speedValue;
};

} // namespace talvex
