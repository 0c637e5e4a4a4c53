#pragma once

#include <QSyntaxHighlighter>

class QTextDocument;

namespace talvex {

// Marks the raw-byte characters (bytes that are no GBK character, and CR or LF
// inside a line) in a text view, so that the user sees they are there.
class RawByteHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
  public:
    explicit RawByteHighlighter(QTextDocument* document);

  protected:
    void highlightBlock(const QString& text) override;
};

} // namespace talvex
