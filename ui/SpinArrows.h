#pragma once

// A pair of arrow buttons beside an edit field that step the number in that field; the Up and Down
// keys in the field step it too.

#include <QWidget>
#include <functional>

class QLineEdit;
class QToolButton;

namespace telvarin {

class SpinArrows : public QWidget {
    Q_OBJECT

public:
    // The text the field shows after some steps up (positive) or down from its present text.
    using Stepper = std::function<QString(const QString& text, int steps)>;

    SpinArrows(QLineEdit* buddy, Stepper stepper, QWidget* parent = nullptr);

    void step(int steps);
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* buddy_;
    Stepper stepper_;
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace telvarin
