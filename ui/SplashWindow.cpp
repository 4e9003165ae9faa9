#include "ui/SplashWindow.h"

#include "foundation/settings/MainSettings.h"
#include "foundation/settings/SettingsStore.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#if TELVARIN_SVG_PICTURES
#include <QSvgRenderer>
#endif
#include <QVBoxLayout>

namespace telvarin {

namespace {

constexpr int kNeverStored = -1;
constexpr int kFirstStartDelay = 5;

#if TELVARIN_SVG_PICTURES
QPixmap renderPicture(const QString& resource, qreal devicePixelRatio) {
    QSvgRenderer renderer(resource);
    if (!renderer.isValid())
        return {};
    const QSize size = renderer.defaultSize();
    QPixmap picture(size * devicePixelRatio);
    picture.setDevicePixelRatio(devicePixelRatio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return picture;
}
#else
// The drawn PNG; on a screen of more than one device pixel per point the one of twice the size.
QPixmap renderPicture(const QString& resource, qreal devicePixelRatio) {
    if (devicePixelRatio > 1.0) {
        QString sharp = resource;
        sharp.insert(sharp.lastIndexOf(u'.'), QStringLiteral("@2x"));
        QPixmap picture(sharp);
        if (!picture.isNull()) {
            picture.setDevicePixelRatio(2.0);
            return picture;
        }
    }
    return QPixmap(resource);
}
#endif

} // namespace

int splashDelayOnOpening(SettingsStore& store) {
    const SettingDefinition& definition = settingDefinition(Setting::StartDelay);
    const QString section = definition.section.toString();
    const QString name = definition.name.toString();
    const int stored = store.readInt(section, name, kNeverStored);
    if (stored == kNeverStored) {
        store.writeInt(section, name, kFirstStartDelay);
        return kFirstStartDelay;
    }
    // A damaged value would keep the window up for days or not start the timer at all.
    return settingInRange(definition, stored, kFirstStartDelay);
}

SplashWindow::SplashWindow(SettingsStore& store, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), delaySeconds_(splashDelayOnOpening(store)) {
    setModal(true);
    setFocusPolicy(Qt::StrongFocus);
    setWindowTitle(QStringLiteral("Kesto - Telvarin"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 12);
    layout->setSpacing(10);

    auto* picture = new QLabel(this);
    picture->setAlignment(Qt::AlignCenter);
    const QScreen* screen = QGuiApplication::primaryScreen();
    picture->setPixmap(
        renderPicture(pictureResource(), screen != nullptr ? screen->devicePixelRatio() : 1.0));
    layout->addWidget(picture);

    auto* caption = new QLabel(QStringLiteral("Kesto\nOrvand´s Repertory\nVersion 2.0.3"), this);
    caption->setAlignment(Qt::AlignCenter);
    layout->addWidget(caption);

    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &QDialog::accept);

    // Placed by the program, not left to the window manager: some put a window without a parent
    // at the top left, which at a large scale leaves the splash far off the screen's centre.
    adjustSize();
    if (screen != nullptr) {
        QRect placed(QPoint(0, 0), size());
        placed.moveCenter(screen->availableGeometry().center());
        move(placed.topLeft());
    }
}

void SplashWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The delay counts from the moment the window is on the screen.
    if (!timerStarted_) {
        timerStarted_ = true;
        timer_.start(delaySeconds_ * 1000);
    }
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        timer_.stop();
        accept();
        return;
    }
    if (event->key() == Qt::Key_Escape)
        timer_.stop();
    QDialog::keyPressEvent(event);
}

void SplashWindow::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace telvarin
