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

namespace {

QString TextToView(std::string_view gbk, bool onlyCrLfBreaks)
{
    const QString decoded = FromGbk(gbk);
    QString text;
    text.reserve(decoded.size());
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        const QChar c = decoded.at(i);
        if (c == QLatin1Char('\r') && i + 1 < decoded.size() && decoded.at(i + 1) == QLatin1Char('\n')) {
            text += QLatin1Char('\n');
            ++i;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            text += onlyCrLfBreaks ? RawByteChar(static_cast<unsigned char>(c.unicode())) : QChar(u'\n');
        } else {
            text += c;
        }
    }
    return text;
}

} // namespace

QString ProgramTextToView(std::string_view gbk)
{
    return TextToView(gbk, false);
}

QString GeneratedTextToView(std::string_view gbk)
{
    return TextToView(gbk, true);
}

std::string ViewTextToFileBytes(const QString& viewText)
{
    QString text = viewText;
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return ToGbk(text);
}

} // namespace talvex
