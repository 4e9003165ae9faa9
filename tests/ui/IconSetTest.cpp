#include "ui/IconSet.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>

using namespace telvarin;

namespace {

// The picture as a button shows it; a null image when the file is missing or not valid SVG.
QImage rendered(const QString& path, int size = 32) {
    QSvgRenderer renderer(path);
    if (!renderer.isValid()) {
        return {};
    }
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

int coveredPixels(const QImage& image) {
    int covered = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            covered += qAlpha(image.pixel(x, y)) > 128 ? 1 : 0;
        }
    }
    return covered;
}

} // namespace

class IconSetTest : public QObject {
    Q_OBJECT

private slots:
    void everyButtonHasTwoVisibleDistinctPictures() {
        QSet<QString> normals;
        QList<QImage> normalImages;
        for (ButtonIcon role : allButtonIcons()) {
            const IconPair pair = iconPair(role);
            const QImage normal = rendered(pair.normal);
            const QImage hover = rendered(pair.hover);
            QVERIFY2(!normal.isNull(), qPrintable(pair.normal));
            QVERIFY2(!hover.isNull(), qPrintable(pair.hover));
            QVERIFY2(coveredPixels(normal) > 60, qPrintable(pair.normal));
            QVERIFY2(hover != normal, qPrintable(pair.hover));
            for (const QImage& other : normalImages) {
                QVERIFY2(other != normal, qPrintable(pair.normal));
            }
            normals.insert(pair.normal);
            normalImages << normal;
        }
        QCOMPARE(normals.size(), int(allButtonIcons().size()));
    }

    void programAndQuestionIconsAreAvailable() {
        QVERIFY(coveredPixels(rendered(programIconPath())) > 300);
        QVERIFY(coveredPixels(rendered(questionIconPath())) > 300);
        const QIcon icon = programIcon();
        for (int size : {16, 32, 256}) {
            QCOMPARE(icon.pixmap(size, size).size(), QSize(size, size));
        }
    }
};

QTEST_MAIN(IconSetTest)
#include "IconSetTest.moc"
