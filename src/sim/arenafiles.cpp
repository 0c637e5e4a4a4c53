#include "sim/arenafiles.h"

#include "model/gbk.h"
#include "project/datapaths.h"
#include "project/phraselist.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace talvex::sim {

namespace {

QString Utf8(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

} // namespace

std::vector<std::string> ArenaFolders()
{
    std::vector<std::string> folders;
    auto add = [&](const QString& path) {
        if (path.isEmpty() || !QFileInfo(path).isDir())
            return;
        const std::string canonical = QFileInfo(path).canonicalFilePath().toUtf8().toStdString();
        if (std::find(folders.begin(), folders.end(), canonical) == folders.end())
            folders.push_back(canonical);
    };
    for (const std::string& folder : DataFolders())
        add(QDir(Utf8(folder)).filePath(QStringLiteral("arenas")));
#ifdef TALVEX_SOURCE_ARENA_DIR
    add(QStringLiteral(TALVEX_SOURCE_ARENA_DIR));
#endif
    return folders;
}

std::vector<std::string> ShippedArenaNames()
{
    std::vector<std::string> names;
    for (const std::string& folder : ArenaFolders()) {
        const QStringList files = QDir(Utf8(folder)).entryList({QStringLiteral("*.arena")}, QDir::Files, QDir::Name);
        for (const QString& file : files) {
            const std::string name = QFileInfo(file).completeBaseName().toUtf8().toStdString();
            if (std::find(names.begin(), names.end(), name) == names.end())
                names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string FindArena(const std::string& nameOrFile)
{
    if (nameOrFile.empty())
        return {};
    if (QFileInfo(Utf8(nameOrFile)).isFile())
        return nameOrFile;
    if (nameOrFile.find('/') != std::string::npos)
        return {};
    for (const std::string& folder : ArenaFolders()) {
        const QString path = QDir(Utf8(folder)).filePath(Utf8(nameOrFile + kArenaExtension));
        if (QFileInfo(path).isFile())
            return path.toUtf8().toStdString();
    }
    return {};
}

Result<Arena> LoadArena(const std::string& nameOrFile)
{
    const std::string path = FindArena(nameOrFile);
    if (path.empty()) {
        std::string known;
        for (const std::string& name : ShippedArenaNames())
            known += (known.empty() ? "" : ", ") + name;
        return Status::Failure(Gbk("找不到场地“") + ToGbk(Utf8(nameOrFile)) + Gbk("”") +
                               (known.empty() ? Gbk(", 也没有找到自带的场地") : Gbk(", 自带的场地有: ") + known));
    }
    return ReadArenaFile(path);
}

std::vector<std::string> PhraseTexts()
{
    const std::string path = FindDataFile(kPhraseListFileName);
    return path.empty() ? std::vector<std::string>() : ReadPhraseList(path);
}

} // namespace talvex::sim
