#pragma once

#include <QPlainTextEdit>

namespace talvex {

class ProgramHighlighter;

// The code view: a plain text edit with line numbers in a gutter, syntax
// colours and a monospaced font. The text itself is exactly what is typed,
// generated or loaded; nothing here changes it.
class CodeView : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit CodeView(QWidget* parent = nullptr);
    ~CodeView() override;

    // Selects the whole of line (1-based), scrolls it into view and focuses.
    void SelectLine(int line);

    int LineNumberWidth() const;
    // Paints the gutter; called by the gutter widget.
    void PaintLineNumbers(QPaintEvent* event);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void UpdateGutterWidth();
    void UpdateGutter(const QRect& rect, int dy);

    QWidget* m_gutter;
    ProgramHighlighter* m_highlighter;
};

} // namespace talvex
