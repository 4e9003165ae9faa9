#pragma once

// The window shown at the start of the process, before the case input window: the program's picture,
// name and version, for the number of seconds stored as "Startverzögerung".

#include <QDialog>
#include <QTimer>

namespace telvarin {

class SettingsStore;

// The delay in seconds the splash window uses: the stored one, brought into 0..10; on the first
// start (nothing stored) 5, which is then written to the store.
int splashDelayOnOpening(SettingsStore& store);

class SplashWindow : public QDialog {
    Q_OBJECT

public:
    explicit SplashWindow(SettingsStore& store, QWidget* parent = nullptr);

    int delaySeconds() const { return delaySeconds_; }
    bool timerRunning() const { return timer_.isActive(); }
    int timerInterval() const { return timer_.interval(); }

    // SVG, or a PNG with a twice as large "@2x" one beside it where Qt cannot show SVG.
    static QString pictureResource() {
        return TELVARIN_SVG_PICTURES ? QStringLiteral(":/images/splash.svg")
                                     : QStringLiteral(":/images/splash.png");
    }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int delaySeconds_;
    QTimer timer_;
    bool timerStarted_ = false;
};

} // namespace telvarin
