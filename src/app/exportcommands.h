#pragma once

#include <QObject>
#include <QString>

class QAction;

namespace talvex {

class TForm1;

// "导出图片" and "打印": the whole flowchart as a PNG or SVG picture, or on
// paper through the system's print dialog. Both sit on their toolbar spots
// and in the canvas's context menu.
class ExportCommands : public QObject {
    Q_OBJECT
  public:
    explicit ExportCommands(TForm1& form1);

    QAction* ExportAction() const { return m_export; }
    QAction* PrintAction() const { return m_print; }

    // The name the footer and the picture's title use: the project file's
    // name, or "未命名" for an untitled flowchart.
    QString DocumentName() const;

    // Writes the picture (by the name's extension, PNG at twice screen size)
    // and shows the message when it cannot be written; true when written.
    bool ExportTo(const QString& fileName);

  public slots:
    void ExportImage();
    void Print();

  private:
    TForm1& m_form1;
    QAction* m_export = nullptr;
    QAction* m_print = nullptr;
};

// The file dialog's filters for the picture.
QString PngFileFilter(); // PNG图片(*.png)
QString SvgFileFilter(); // SVG图片(*.svg)

} // namespace talvex
