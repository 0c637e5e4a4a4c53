#include "app/images.h"

#include <QPainter>
#include <QPixmapCache>
#include <QString>
#include <QSvgRenderer>

// Outside any namespace, as the resource initialiser requires.
static void InitTalvexResources()
{
    Q_INIT_RESOURCE(talvex);
}

namespace talvex {

namespace {

QPixmap RenderSvg(const QString& path, const QSize& size)
{
    const QString key = QStringLiteral("%1@%2x%3").arg(path).arg(size.width()).arg(size.height());
    QPixmap pixmap;
    if (QPixmapCache::find(key, &pixmap))
        return pixmap;
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return QPixmap();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    pixmap = QPixmap::fromImage(image);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

} // namespace

void InitImageResources()
{
    static const bool done = [] {
        InitTalvexResources();
        return true;
    }();
    (void)done;
}

QPixmap PaletteImage(int index)
{
    if (index < 0 || index >= kPaletteImageCount)
        return QPixmap();
    InitImageResources();
    return RenderSvg(QStringLiteral(":/palette/icon%1.svg").arg(index, 2, 10, QLatin1Char('0')),
                     QSize(kPaletteImageSize, kPaletteImageSize));
}

QPixmap ToolbarImage(int button, const QSize& size)
{
    if (button < 1 || button > kToolbarButtonCount)
        return QPixmap();
    InitImageResources();
    return RenderSvg(QStringLiteral(":/toolbar/button%1.svg").arg(button), size);
}

} // namespace talvex
