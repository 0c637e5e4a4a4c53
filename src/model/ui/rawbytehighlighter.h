#pragma once

#include <QSyntaxHighlighter>

#include <QTextCharFormat>

#include <functional>

class QTextDocument;

namespace talvex {

// How raw-byte characters look in every text view, and where they are in a
// line: mark is called with each one's position.
QTextCharFormat RawByteFormat();
void MarkRawBytes(const QString& text, const std::function<void(int position)>& mark);

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
