// Draws the program's SVG pictures as PNGs, once at their size and once at twice that size
// ("name@2x.png", which Qt picks on high-density screens), for a build whose Qt has no SVG module:
// the Windows build. Drawing them with the same renderer the Linux program uses keeps both alike.
//   telvarin-render-pictures FOLDER EXTENT PICTURE.svg...
// EXTENT is the longer side in pixels; 0 keeps each picture's own size.
//   telvarin-render-pictures --icon PROGRAM.ico PICTURE.png...
// packs square PNGs (at most 256 pixels) into a Windows icon file, the program file's icon.

#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
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

// An icon file holding the PNGs as they are, which Windows reads since Vista: a header, one entry
// per picture, then the pictures.
bool writeIconFile(const QString& path, const QStringList& pictures) {
    QList<QByteArray> contents;
    QByteArray directory;
    QDataStream out(&directory, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(pictures.size());
    quint32 offset = 6 + 16 * pictures.size();
    for (const QString& picture : pictures) {
        QFile file(picture);
        const QImage image(picture);
        if (image.isNull() || image.width() != image.height() || image.width() > 256 ||
            !file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr,
                         "telvarin-render-pictures: %s ist kein quadratisches PNG-Bild bis 256 Pixel\n",
                         qPrintable(picture));
            return false;
        }
        contents << file.readAll();
        const auto extent = quint8(image.width() == 256 ? 0 : image.width());
        out << extent << extent << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(contents.last().size()) << offset;
        offset += contents.last().size();
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(directory);
    for (const QByteArray& content : contents)
        file.write(content);
    return file.commit();
}

} // namespace

int main(int argc, char** argv) {
    // The splash picture holds text, and text needs the fonts a GUI application loads; no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 3 && arguments[1] == QStringLiteral("--icon")) {
        if (writeIconFile(arguments[2], arguments.mid(3)))
            return 0;
        std::fprintf(stderr, "telvarin-render-pictures: %s kann nicht geschrieben werden\n",
                     qPrintable(arguments[2]));
        return 1;
    }
    bool extentOk = false;
    const int extent = arguments.size() > 3 ? arguments[2].toInt(&extentOk) : 0;
    if (!extentOk || extent < 0) {
        std::fputs("Aufruf: telvarin-render-pictures ORDNER KANTENLAENGE BILD.svg...\n"
                   "       telvarin-render-pictures --icon SYMBOL.ico BILD.png...\n",
                   stderr);
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
