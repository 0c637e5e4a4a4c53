#include "project/datapaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace talvex {

namespace {

QString FromUtf8(const std::string& s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

std::vector<std::string> DataFolders()
{
    std::vector<std::string> folders;
    auto add = [&folders](const QString& folder) {
        if (folder.isEmpty())
            return;
        const std::string path = QDir::cleanPath(folder).toUtf8().toStdString();
        if (std::find(folders.begin(), folders.end(), path) == folders.end())
            folders.push_back(path);
    };
    const QString exeDir = QCoreApplication::applicationDirPath();
    add(exeDir);
    if (!exeDir.isEmpty())
        add(QDir(exeDir).filePath(QStringLiteral("../share/talvex")));
#ifdef TALVEX_INSTALL_DATADIR
    add(QString::fromUtf8(TALVEX_INSTALL_DATADIR));
#endif
    return folders;
}

std::string FindDataFile(const std::string& relativePath)
{
    return FindDataFile(relativePath, DataFolders());
}

std::string FindDataFile(const std::string& relativePath, const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders) {
        const QString candidate = QDir(FromUtf8(folder)).filePath(FromUtf8(relativePath));
        if (QFileInfo(candidate).isFile())
            return candidate.toUtf8().toStdString();
    }
    return std::string();
}

} // namespace talvex
