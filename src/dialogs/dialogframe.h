#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace talvex {

// Modal results every property dialog returns.
enum ModalResultCode { mrOk = 1, mrCancel = 2, mrDelete = 7 };

struct FrameGeometry {
    int clientWidth = 0;
    int clientHeight = 0;
    int panelWidth = 0; // 0: the dialog has no Panel1
    int panelHeight = 0;
    int buttonsY = 0;
    bool hasOk = true; // false: only "取消" and "删除", at x 8 and 104
};

// "宋体" at the given pixel height; where it is missing, an installed CJK face
// of the same size takes its place.
QFont DialogFont(int pixelSize);

// The frame shared by every property dialog: fixed size, centred on the
// screen, controls on the raised Panel1, the result buttons below it. No
// button is the default, so Enter and Escape never close the dialog; closing
// by the window frame gives "取消".
class DialogFrame : public QDialog {
    Q_OBJECT
  public:
    DialogFrame(const char* className, const char* captionUtf8, const FrameGeometry& geometry,
                QWidget* parent = nullptr);

    QFrame* Panel() const { return m_panel; }
    QPushButton* OkButton() const { return m_ok; } // nullptr without "确定"
    QPushButton* CancelButton() const { return m_cancel; }
    QPushButton* DeleteButton() const { return m_delete; }

    void reject() override;

  protected:
    // A label placed as the designer placed it: top-left corner at (x, y) of
    // the panel, as wide as its text.
    QLabel* AddLabel(const char* textUtf8, int x, int y, const char* objectName = nullptr);
    QLabel* AddLabel(const char* textUtf8, int x, int y, QWidget* parent, const char* objectName);

    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    QPushButton* AddButton(const char* name, const char* textUtf8, int x, int y, int result);

    QFrame* m_panel = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_delete = nullptr;
};

} // namespace talvex
