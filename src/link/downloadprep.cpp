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

namespace {

Status FileFailure(const QFile& file)
{
    return Status::Failure(Gbk(u8"无法写入临时文件") + ToGbk(file.fileName()) + Gbk(u8"。") +
                           ToGbk(file.errorString()));
}

} // namespace

Result<QString> MakeTempFileName()
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/qzrXXXXXX"));
    file.setAutoRemove(false);
    if (!file.open())
        return FileFailure(file);
    file.close();
    return file.fileName();
}

Status WriteLines(const QString& path, const std::vector<std::string>& lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return FileFailure(file);
    QByteArray bytes;
    for (const std::string& line : lines) {
        bytes.append(line.data(), static_cast<qsizetype>(line.size()));
        bytes.append("\r\n", 2);
    }
    if (file.write(bytes) != bytes.size() || !file.flush())
        return FileFailure(file);
    return Status();
}

Status StripComments(const QString& source, const QString& target)
{
    QFile file(source);
    if (!file.exists())
        return Status();
    if (!file.open(QIODevice::ReadOnly))
        return FileFailure(file);
    const std::string text = file.readAll().toStdString();
    file.close();
    return WriteLines(target, StripCommentLines(SplitLines(text)));
}

Status RunDownloadPreparation(const std::vector<std::string>& lines, const StartTransferFunction& startTransfer)
{
    if (lines.empty())
        return Status();
    const Result<QString> first = MakeTempFileName();
    if (!first)
        return first.GetStatus();
    Status status = WriteLines(*first, lines);
    if (status) {
        const Result<QString> second = MakeTempFileName();
        status = second ? StripComments(*first, *second) : second.GetStatus();
        if (status)
            startTransfer(*second);
        if (second)
            QFile::remove(*second);
    }
    QFile::remove(*first);
    return status;
}

} // namespace talvex
