#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace talvex {

// Colours the code view's lines by the robot language's tokens: keywords,
// device statements, sensor reads, numbers, strings, comments, and characters
// the language does not use.
class ProgramHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
  public:
    explicit ProgramHighlighter(QTextDocument* document);

    // The format of a token class; the tests read them back.
    enum class Role { Keyword, Command, Sensor, Variable, Number, String, Comment, Bad };
    QTextCharFormat FormatOf(Role role) const;

  protected:
    void highlightBlock(const QString& text) override;

  private:
    QTextCharFormat m_formats[8];
};

} // namespace talvex
