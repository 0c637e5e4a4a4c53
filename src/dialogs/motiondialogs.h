#pragma once

#include "dialogs/controls.h"
#include "dialogs/dialogframe.h"

class QScrollBar;
class QLineEdit;

namespace talvex {

// Drive straight and turn: one shape, four actions and a duration.
class DriveDialog : public DialogFrame {
    Q_OBJECT
  public:
    DriveDialog(const char* className, const char* captionUtf8, const QStringList& items, QWidget* parent = nullptr);
    RadioGroup* RadioGroup1() const { return m_radio; }
    QScrollBar* ScrollBar1() const { return m_bar; }
    QLineEdit* JvValidateEdit1() const { return m_edit; }

    static DriveDialog* NewZhiXing(QWidget* parent = nullptr);    // TFormZhiXing
    static DriveDialog* NewZhuanXiang(QWidget* parent = nullptr); // TFormZhuanXiang

  public slots:
    void ScrollBar1Change();
    void JvValidateEdit1ValueChanged();

  private:
    RadioGroup* m_radio;
    QLineEdit* m_edit;
    QScrollBar* m_bar;
};

class TFormQiDongDJ : public DialogFrame {
    Q_OBJECT
  public:
    explicit TFormQiDongDJ(QWidget* parent = nullptr);
    QScrollBar* ScrollBar1() const { return m_bar1; }
    QScrollBar* ScrollBar2() const { return m_bar2; }
    QLineEdit* JvValidateEdit1() const { return m_edit1; }
    QLineEdit* JvValidateEdit2() const { return m_edit2; }

  public slots:
    void ScrollBar1Change();
    void ScrollBar2Change();
    void JvValidateEdit1ValueChanged();
    void JvValidateEdit2ValueChanged();

  private:
    void AddMotorRow(int number, const char* nameUtf8, int y, QLineEdit*& edit, QScrollBar*& bar);

    QLineEdit* m_edit1;
    QScrollBar* m_bar1;
    QLineEdit* m_edit2;
    QScrollBar* m_bar2;
};

class TFormTingZhiDJ : public DialogFrame {
    Q_OBJECT
  public:
    explicit TFormTingZhiDJ(QWidget* parent = nullptr);
    RadioGroup* RadioGroup1() const { return m_radio; }

  private:
    RadioGroup* m_radio;
};

class TFormYanShi : public DialogFrame {
    Q_OBJECT
  public:
    explicit TFormYanShi(QWidget* parent = nullptr);
    QScrollBar* ScrollBar1() const { return m_bar; }
    QLineEdit* JvValidateEdit1() const { return m_edit; }

  public slots:
    void ScrollBar1Change();
    void JvValidateEdit1ValueChanged();

  private:
    QLineEdit* m_edit;
    QScrollBar* m_bar;
};

} // namespace talvex
