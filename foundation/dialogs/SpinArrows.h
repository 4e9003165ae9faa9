#pragma once

// A pair of arrow buttons beside an edit field that step the number in that field; with
// FieldKeys::Step the Up and Down keys in the field step it too.

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
    // Step: the field is driven as a spin box: its Up and Down keys step it, and a step selects the
    // new number so that typing replaces it. Untouched: only the arrows step; the field's keys and
    // its selection stay the field's own.
    enum class FieldKeys { Step, Untouched };

    SpinArrows(QLineEdit* buddy, Stepper stepper, FieldKeys fieldKeys, QWidget* parent = nullptr);

    void step(int steps);
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* buddy_;
    Stepper stepper_;
    FieldKeys fieldKeys_;
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace telvarin
