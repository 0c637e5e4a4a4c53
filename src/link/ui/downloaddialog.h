#pragma once

#include "link/robotlink.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace talvex {

// The download dialog: an editable copy of the program text, the serial port
// to open, and the download. Created once at start-up; its port stays open
// between showings until the user closes it.
class TFormDownload : public QDialog {
    Q_OBJECT
  public:
    explicit TFormDownload(QWidget* parent = nullptr);
    ~TFormDownload() override;

    // Replaces the text to download (the main window's code view, as it stands).
    void SetSourceText(const QString& text);

    RobotLink& Link() { return m_link; }

    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* LabelDevice = nullptr;
    QPlainTextEdit* Memo2 = nullptr;
    QPushButton* Button6 = nullptr;
    QPushButton* Button5 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* LabelLogo = nullptr;    // the maker's logo
    QLabel* LabelMessage = nullptr; // what happened to the port by itself

  public slots:
    void Button1Click(); // open the selected port
    void Button2Click(); // close it
    void Button5Click(); // leave the dialog; a running transfer goes on
    void Button6Click(); // download the text of Memo2

    // Starts sending the prepared file at path and disables the download.
    void StartTransfer(const QString& path);
    // Reports the finished transfer and enables the download again.
    void TransferDone(int byteCount, bool success);

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormCreate();
    void ShowIdleProgress();
    void PortLost();
    void ShowDeviceName();
    void ShowPortState(bool open);
    void ShowError(const std::string& gbkMessage);

    RobotLink m_link;
    QString m_openDevice; // the device of the port opened last
};

} // namespace talvex
