#include "codegen/programtext.h"

#include "model/gbk.h"

namespace talvex {

std::string JoinProgramLines(const std::vector<std::string>& lines)
{
    size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

QString ProgramTextToView(std::string_view gbk)
{
    const QString decoded = FromGbk(gbk);
    QString text;
    text.reserve(decoded.size());
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const QChar c = decoded.at(i);
        if (c == QLatin1Char('\r')) {
            text += QLatin1Char('\n');
            if (i + 1 < decoded.size() && decoded.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            text += c;
        }
    }
    return text;
}

std::string ViewTextToFileBytes(const QString& viewText)
{
    QString text = viewText;
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return ToGbk(text);
}

} // namespace talvex
