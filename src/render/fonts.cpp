#include "render/fonts.h"

namespace talvex {

const QStringList& SongFamilies()
{
    static const QStringList families = {
        QString::fromUtf8(u8"宋体"),
        QStringLiteral("SimSun"),
        QStringLiteral("NSimSun"),
        QStringLiteral("AR PL UMing CN"),
        QStringLiteral("AR PL UMing TW MBE"),
        QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("WenQuanYi Zen Hei"),
        QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("Droid Sans Fallback"),
    };
    return families;
}

QStringList WindowFamilies()
{
    return QStringList{QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")} + SongFamilies();
}

QFont SongFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies(SongFamilies());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace talvex
