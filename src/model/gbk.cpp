#include "model/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace talvex {

std::string Gbk(std::string_view utf8)
{
    return ToGbk(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

QString FromGbk(std::string_view gbk)
{
    QStringDecoder decoder("GBK");
    return decoder(QByteArrayView(gbk.data(), static_cast<qsizetype>(gbk.size())));
}

std::string ToGbk(const QString& text)
{
    QStringEncoder encoder("GBK");
    QByteArray bytes = encoder(text);
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace talvex
