#pragma once

#include "dialogs/dialogframe.h"

#include <QRadioButton>

#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QListWidget;
class QToolButton;

namespace talvex {

// A pitch button of the melody keyboard, labelled in numbered notation: the
// scale degree with dots below (low octave) or above (high octave).
class NoteButton : public QRadioButton {
    Q_OBJECT
  public:
    NoteButton(int degree, int dotsAbove, int dotsBelow, QWidget* parent);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int m_dotsAbove;
    int m_dotsBelow;
};

class TFormFaYin : public DialogFrame {
    Q_OBJECT
  public:
    explicit TFormFaYin(QWidget* parent = nullptr);

    // Enables the fifteen pitches of the range's window, disables the others
    // and selects the rest.
    void ApplyRange();
    // The first checked button, 1..23, or -1.
    int SelectedPitch() const;
    // The note code of the current pitch and duration (empty when no pitch).
    std::string EncodeNote() const;
    void LoadNotes(const std::string& content);
    std::string JoinNotes() const;

    QComboBox* ComboBox1() const { return m_range; }
    QComboBox* ComboBox2() const { return m_duration; }
    QCheckBox* CheckBox1() const { return m_keyCmd; }
    QListWidget* JvListBox1() const { return m_notes; }
    QRadioButton* PitchButton(int number) const { return m_pitch[static_cast<size_t>(number - 1)]; } // 1..23

  public slots:
    void ComboBox1Change();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void SpeedButton1Click();
    void SpeedButton2Click();

  private:
    int SelectedRow() const;
    int Range() const;
    void SwapWith(int row, int other);

    std::array<QRadioButton*, 23> m_pitch{};
    QComboBox* m_range;
    QComboBox* m_duration;
    QCheckBox* m_keyCmd;
    QListWidget* m_notes;
};

} // namespace talvex
