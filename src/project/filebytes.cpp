#include "project/filebytes.h"

#include "model/gbk.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace talvex {

namespace {

// A Chinese sentence naming the file, then the platform's own words.
Status FileMessage(const char* verb, const QString& fileName, const QString& reason)
{
    const char* sentence = std::string_view(verb) == "create" ? u8"无法创建文件" : u8"无法打开文件";
    return Status::Failure(Gbk(sentence) + "\"" + ToGbk(fileName) + "\"" + Gbk(u8"。") + "\r\nCannot " + verb +
                           " file \"" + ToGbk(fileName) + "\". " + ToGbk(reason));
}

// Replacing the file by renaming a new one over it fails in a folder the user
// may not create files in (a teacher's pre-made files for pupils), and would
// put a regular file in place of a symbolic link or a device. Those are
// written in place.
bool MustWriteInPlace(const QFileInfo& target)
{
    if (target.isSymLink())
        return true;
    if (!target.exists())
        return false;
    return !target.isFile() || !QFileInfo(target.absolutePath()).isWritable();
}

Status WriteInPlace(const QString& fileName, std::string_view bytes)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return FileMessage("open", fileName, file.errorString());
    const qint64 size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.flush())
        return FileMessage("open", fileName, file.errorString());
    file.close();
    if (file.error() != QFileDevice::NoError)
        return FileMessage("open", fileName, file.errorString());
    return Status();
}

} // namespace

Result<std::string> ReadWholeFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return FileMessage("open", fileName, file.errorString());
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FileMessage("open", fileName, file.errorString());
    return std::string(data.constData(), static_cast<size_t>(data.size()));
}

Status WriteWholeFile(const QString& fileName, std::string_view bytes)
{
    const QFileInfo target(fileName);
    if (MustWriteInPlace(target))
        return WriteInPlace(fileName, bytes);
    const bool exists = target.exists();
    const char* verb = exists ? "open" : "create";
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        // The folder refused the temporary file; an existing file may still
        // be writable where it is.
        if (exists)
            return WriteInPlace(fileName, bytes);
        return FileMessage(verb, fileName, file.errorString());
    }
    const qint64 size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return FileMessage(verb, fileName, reason);
    }
    if (!file.commit())
        return FileMessage(verb, fileName, file.errorString());
    return Status();
}

} // namespace talvex
