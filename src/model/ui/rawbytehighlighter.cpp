#include "model/ui/rawbytehighlighter.h"

#include "model/gbk.h"

#include <QTextCharFormat>

namespace talvex {

RawByteHighlighter::RawByteHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

QTextCharFormat RawByteFormat()
{
    QTextCharFormat format;
    format.setBackground(QColor(0xC0, 0x00, 0x00));
    format.setForeground(Qt::white);
    format.setFontWeight(QFont::Bold);
    return format;
}

void MarkRawBytes(const QString& text, const std::function<void(int position)>& mark)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (RawByteOf(text.at(i)) >= 0)
            mark(static_cast<int>(i));
}

void RawByteHighlighter::highlightBlock(const QString& text)
{
    MarkRawBytes(text, [this](int position) { setFormat(position, 1, RawByteFormat()); });
}

} // namespace talvex
