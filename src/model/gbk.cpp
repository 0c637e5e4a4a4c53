#include "model/gbk.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <vector>

namespace talvex {

namespace {

// U+EF00 to U+EFFF: a private-use block that code page 936 never decodes to
// (its user-defined areas end at U+E765).
constexpr char16_t kRawByteBase = 0xEF00;

bool IsRawByteChar(char16_t c)
{
    return c >= kRawByteBase && c <= kRawByteBase + 0xFF;
}

bool IsLeadByte(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}

// Which byte sequences decode to one character that encodes back to the same
// bytes. Built once from the platform's GBK converter; every other byte
// becomes a raw-byte character.
struct GbkTables {
    std::array<char16_t, 256> single{};                             // bytes 0x80-0xFF; 0: none
    std::vector<char16_t> pairs = std::vector<char16_t>(128 * 256); // [lead - 0x80][trail]; 0: none
    QHash<char16_t, uint16_t> bytesOf;                              // character -> one byte, or lead << 8 | trail

    char16_t Pair(unsigned char lead, unsigned char trail) const { return pairs[(lead - 0x80u) * 256u + trail]; }
};

// Decodes each candidate sequence on its own, then keeps those whose single
// character encodes back to the same bytes.
void AddCandidates(GbkTables& tables, const std::vector<std::string>& candidates)
{
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
    // The candidates travel as one text, separated by LF, which no GBK
    // sequence contains.
    QByteArray joined;
    for (const std::string& bytes : candidates) {
        joined.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
        joined.append('\n');
    }
    const QStringList decoded = QString(decoder(joined)).split(QLatin1Char('\n'));
    if (decoded.size() != static_cast<qsizetype>(candidates.size()) + 1)
        return;
    QString chars;
    for (qsizetype i = 0; i < static_cast<qsizetype>(candidates.size()); ++i) {
        const QString& one = decoded.at(i);
        // A single byte decoded into the private-use area (0xFF) is no
        // character either; it is shown as the raw byte it is.
        const bool usable =
            one.size() == 1 && one.at(0) != QChar::ReplacementCharacter && one.at(0).unicode() >= 0x80 &&
            !IsRawByteChar(one.at(0).unicode()) &&
            !(candidates[static_cast<size_t>(i)].size() == 1 && one.at(0).category() == QChar::Other_PrivateUse);
        chars += usable ? one.at(0) : QChar(u'?');
        chars += QLatin1Char('\n');
    }
    const QList<QByteArray> encoded = QByteArray(encoder(chars)).split('\n');
    if (encoded.size() != static_cast<qsizetype>(candidates.size()) + 1)
        return;
    for (size_t i = 0; i < candidates.size(); ++i) {
        const std::string& bytes = candidates[i];
        const QByteArray& back = encoded.at(static_cast<qsizetype>(i));
        if (back != QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())))
            continue;
        const char16_t c = chars.at(static_cast<qsizetype>(i) * 2).unicode();
        const auto first = static_cast<unsigned char>(bytes[0]);
        if (bytes.size() == 1) {
            tables.single[first] = c;
            tables.bytesOf.insert(c, first);
        } else {
            const auto second = static_cast<unsigned char>(bytes[1]);
            tables.pairs[(first - 0x80u) * 256u + second] = c;
            tables.bytesOf.insert(c, static_cast<uint16_t>(first << 8 | second));
        }
    }
}

GbkTables BuildTables()
{
    GbkTables tables;
    // Single bytes one by one: a lone lead byte followed by the separator must
    // not take the separator with it.
    for (int b = 0x80; b <= 0xFF; ++b)
        AddCandidates(tables, {std::string(1, static_cast<char>(b))});
    std::vector<std::string> pairs;
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail)
            if (trail != 0x7F)
                pairs.push_back({static_cast<char>(lead), static_cast<char>(trail)});
    AddCandidates(tables, pairs);
    return tables;
}

const GbkTables& Tables()
{
    static const GbkTables tables = BuildTables();
    return tables;
}

QString Decode(std::string_view gbk, bool field)
{
    const GbkTables& tables = Tables();
    QString text;
    text.reserve(static_cast<qsizetype>(gbk.size()));
    for (size_t i = 0; i < gbk.size(); ++i) {
        const auto b = static_cast<unsigned char>(gbk[i]);
        if (b < 0x80) {
            text += (field && (b == '\r' || b == '\n')) ? RawByteChar(b) : QChar(b);
            continue;
        }
        if (IsLeadByte(b) && i + 1 < gbk.size()) {
            if (const char16_t c = tables.Pair(b, static_cast<unsigned char>(gbk[i + 1]))) {
                text += QChar(c);
                ++i;
                continue;
            }
        }
        const char16_t c = tables.single[b];
        text += c ? QChar(c) : RawByteChar(b);
    }
    return text;
}

} // namespace

QChar RawByteChar(unsigned char byte)
{
    return QChar(static_cast<char16_t>(kRawByteBase + byte));
}

int RawByteOf(QChar c)
{
    return IsRawByteChar(c.unicode()) ? c.unicode() - kRawByteBase : -1;
}

std::string Gbk(std::string_view utf8)
{
    return ToGbk(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

QString FromGbk(std::string_view gbk)
{
    return Decode(gbk, false);
}

QString FromGbkField(std::string_view gbk)
{
    return Decode(gbk, true);
}

std::string ToGbk(const QString& text)
{
    const GbkTables& tables = Tables();
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80) {
            bytes += static_cast<char>(c);
        } else if (IsRawByteChar(c)) {
            bytes += static_cast<char>(c - kRawByteBase);
        } else if (const auto found = tables.bytesOf.constFind(c); found != tables.bytesOf.constEnd()) {
            if (found.value() > 0xFF)
                bytes += static_cast<char>(found.value() >> 8);
            bytes += static_cast<char>(found.value() & 0xFF);
        } else {
            // Characters GBK has no code for (a surrogate pair, an emoji) go
            // through the converter, which gives its replacement.
            const qsizetype length = QChar::isHighSurrogate(c) && i + 1 < text.size() ? 2 : 1;
            QStringEncoder encoder("GBK", QStringConverter::Flag::Stateless);
            const QByteArray encoded = encoder(QStringView(text).mid(i, length));
            bytes.append(encoded.constData(), static_cast<size_t>(encoded.size()));
            i += length - 1;
        }
    }
    return bytes;
}

} // namespace talvex
