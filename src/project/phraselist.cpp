#include "project/phraselist.h"

#include "project/datapaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace talvex {

std::vector<std::string> ReadPhraseList(const std::string& path, bool* found)
{
    std::vector<std::string> lines;
    QFile file(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
    const bool exists = file.exists() && file.open(QIODevice::ReadOnly);
    if (found)
        *found = exists;
    if (!exists)
        return lines;
    const QByteArray bytes = file.readAll();
    std::string line;
    bool pending = false; // a line has started that no break has closed yet
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            pending = false;
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            continue;
        }
        line.push_back(c);
        pending = true;
    }
    if (pending)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> NumberedPhraseList()
{
    std::vector<std::string> list;
    list.reserve(kNumberedPhraseCount);
    for (int i = 0; i < kNumberedPhraseCount; ++i)
        list.push_back(std::to_string(i));
    return list;
}

std::string PhraseListPath()
{
    const QString dir = QCoreApplication::applicationDirPath();
    return QDir(dir).filePath(QString::fromLatin1(kPhraseListFileName)).toUtf8().toStdString();
}

std::vector<std::string> LoadPhraseList()
{
    // DataFolders() starts with the executable's folder, so a list placed
    // beside the program keeps precedence over the shipped one.
    return LoadPhraseList(DataFolders());
}

std::vector<std::string> LoadPhraseList(const std::vector<std::string>& folders)
{
    const std::string path = FindDataFile(kPhraseListFileName, folders);
    if (path.empty())
        return NumberedPhraseList();
    bool found = false;
    std::vector<std::string> list = ReadPhraseList(path, &found);
    return found ? list : NumberedPhraseList();
}

} // namespace talvex
