#include "project/filebytes.h"

#include "model/gbk.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace talvex {

namespace {

Status FileMessage(const char* verb, const QString& fileName, const QString& reason)
{
    return Status::Failure(std::string("Cannot ") + verb + " file \"" + ToGbk(fileName) + "\". " + ToGbk(reason));
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
    const char* verb = QFileInfo::exists(fileName) ? "open" : "create";
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return FileMessage(verb, fileName, file.errorString());
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
