#include "link/downloadprep.h"

#include "model/gbk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

namespace talvex {

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string current;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(current);
            current.clear();
            i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        } else {
            current.push_back(c);
            ++i;
        }
    }
    if (!current.empty())
        lines.push_back(current);
    return lines;
}

std::vector<std::string> StripCommentLines(const std::vector<std::string>& lines)
{
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        std::string code = line.substr(0, line.find("/*"));
        size_t end = code.size();
        while (end > 0 && static_cast<unsigned char>(code[end - 1]) <= 32)
            --end;
        if (end > 0)
            kept.push_back(code.substr(0, end));
    }
    return kept;
}

QString MakeTempFileName(std::string* error)
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/qzrXXXXXX"));
    file.setAutoRemove(false);
    if (!file.open()) {
        if (error)
            *error = ToGbk(file.errorString());
        return QString();
    }
    file.close();
    return file.fileName();
}

bool WriteLines(const QString& path, const std::vector<std::string>& lines, std::string* error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = ToGbk(file.errorString());
        return false;
    }
    QByteArray bytes;
    for (const std::string& line : lines) {
        bytes.append(line.data(), static_cast<qsizetype>(line.size()));
        bytes.append("\r\n", 2);
    }
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        if (error)
            *error = ToGbk(file.errorString());
        return false;
    }
    return true;
}

bool StripComments(const QString& source, const QString& target, std::string* error)
{
    QFile file(source);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = ToGbk(file.errorString());
        return false;
    }
    const std::string text = file.readAll().toStdString();
    file.close();
    return WriteLines(target, StripCommentLines(SplitLines(text)), error);
}

bool RunDownloadPreparation(const std::vector<std::string>& lines, const StartTransferFunction& startTransfer,
                            std::string* error)
{
    if (lines.empty())
        return true;
    const QString first = MakeTempFileName(error);
    if (first.isEmpty())
        return false;
    bool ok = WriteLines(first, lines, error);
    if (ok) {
        const QString second = MakeTempFileName(error);
        ok = !second.isEmpty() && StripComments(first, second, error);
        if (ok)
            startTransfer(second);
        if (!second.isEmpty())
            QFile::remove(second);
    }
    QFile::remove(first);
    return ok;
}

} // namespace talvex
