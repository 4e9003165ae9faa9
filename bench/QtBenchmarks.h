#pragma once

// Runs a program's benchmarks inside a Qt application: offscreen, unless TELVARIN_BENCH_ON_DISPLAY
// asks for the display, where a window's first paint costs what a user feels.

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <functional>

namespace telvarin::bench {

inline void chooseBenchmarkDisplay() {
    if (qEnvironmentVariableIsEmpty("TELVARIN_BENCH_ON_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Counts the paint events of the widgets that `counts` accepts, also of widgets made later.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(std::function<bool(const QWidget*)> counts) : counts_(std::move(counts)) {
        qApp->installEventFilter(this);
    }
    explicit PaintCounter(const QWidget* widget)
        : PaintCounter([widget](const QWidget* painted) { return painted == widget; }) {}
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    int paints() const { return paints_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            counts_(static_cast<const QWidget*>(watched)))
            ++paints_;
        return false;
    }

private:
    std::function<bool(const QWidget*)> counts_;
    int paints_ = 0;
};

// Delivers events until the widget was painted once more than `before`, as the user sees it.
inline bool processUntilPainted(const PaintCounter& counter, int before) {
    QElapsedTimer waited;
    waited.start();
    while (counter.paints() <= before) {
        if (waited.elapsed() > 10000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

inline int runBenchmarksInQtApplication(int argc, char** argv) {
    chooseBenchmarkDisplay();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace telvarin::bench
