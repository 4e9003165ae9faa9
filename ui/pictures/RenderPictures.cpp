// Draws the program's SVG pictures as PNGs, once at their size and once at twice that size
// ("name@2x.png", which Qt picks on high-density screens), for a build whose Qt has no SVG module:
// the Windows build. Drawing them with the same renderer the Linux program uses keeps both alike.
//   telvarin-render-pictures FOLDER EXTENT PICTURE.svg...
// EXTENT is the longer side in pixels; 0 keeps each picture's own size.

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

QSize plainSize(const QSvgRenderer& renderer, int extent) {
    const QSize own = renderer.defaultSize();
    if (extent <= 0 || own.isEmpty())
        return own;
    return own.scaled(extent, extent, Qt::KeepAspectRatio);
}

bool writePicture(QSvgRenderer& renderer, QSize size, const QString& path) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    return image.save(path, "PNG");
}

} // namespace

int main(int argc, char** argv) {
    // The splash picture holds text, and text needs the fonts a GUI application loads; no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool extentOk = false;
    const int extent = arguments.size() > 3 ? arguments[2].toInt(&extentOk) : 0;
    if (!extentOk || extent < 0) {
        std::fputs("Aufruf: telvarin-render-pictures ORDNER KANTENLAENGE BILD.svg...\n", stderr);
        return 2;
    }
    const QString folder = arguments[1];
    for (const QString& picture : arguments.mid(3)) {
        QSvgRenderer renderer(picture);
        const QSize size = plainSize(renderer, extent);
        if (!renderer.isValid() || size.isEmpty()) {
            std::fprintf(stderr, "telvarin-render-pictures: %s ist kein lesbares SVG-Bild\n",
                         qPrintable(picture));
            return 1;
        }
        const QString base = folder + QLatin1Char('/') + QFileInfo(picture).completeBaseName();
        if (!writePicture(renderer, size, base + QStringLiteral(".png")) ||
            !writePicture(renderer, size * 2, base + QStringLiteral("@2x.png"))) {
            std::fprintf(stderr, "telvarin-render-pictures: %s kann nicht geschrieben werden\n",
                         qPrintable(base));
            return 1;
        }
    }
    return 0;
}
