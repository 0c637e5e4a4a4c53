#include "model/ui/rawbytehighlighter.h"

#include "model/gbk.h"

#include <QTextCharFormat>

namespace talvex {

RawByteHighlighter::RawByteHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {}

void RawByteHighlighter::highlightBlock(const QString& text)
{
    QTextCharFormat format;
    format.setBackground(QColor(0xC0, 0x00, 0x00));
    format.setForeground(Qt::white);
    format.setFontWeight(QFont::Bold);
    for (qsizetype i = 0; i < text.size(); ++i)
        if (RawByteOf(text.at(i)) >= 0)
            setFormat(static_cast<int>(i), 1, format);
}

} // namespace talvex
