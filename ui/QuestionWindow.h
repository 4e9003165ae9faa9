#pragma once

// The program's one confirmation window: a question icon, one line of text, "&Ja" and "&Nein".
// The case input window asks with it before quitting, the case history window before deleting and
// before restoring a backup, with a question of several paragraphs.

#include "foundation/dialogs/MessageBoxes.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace telvarin {

class QuestionWindow : public QDialog {
    Q_OBJECT

public:
    // The results of the window; callers act on kYes only (Escape and the close box give 0).
    static constexpr int kYes = 1;
    static constexpr int kNo = 2;

    explicit QuestionWindow(const QString& question, QWidget* parent = nullptr);

    QString question() const;
    QPushButton* yesButton() const { return yes_; }
    QPushButton* noButton() const { return no_; }

private:
    QLabel* text_;
    QPushButton* yes_;
    QPushButton* no_;
};

// The message boxes of the running program, asking every yes/no question with the question window.
class QuestionWindowMessageBoxes : public QtMessageBoxes {
public:
    bool askYesNo(QWidget* parent, const QString& question) override;
};

} // namespace telvarin
