#pragma once

// The message boxes of the program behind an interface, so that a test can see what would have
// been shown and give the answers a user would have given.

#include "foundation/text/ErrorReporter.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

class QWidget;

namespace telvarin {

// The title of the program's windows and messages.
QString programTitle();

enum class MessageKind { Information, Warning, Error, Question };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    virtual void inform(QWidget* parent, const QString& text) = 0;
    virtual void warn(QWidget* parent, const QString& text) = 0;
    virtual void reportError(QWidget* parent, const QString& text) = 0;
    // A question with "&Ja" and "&Nein"; true only for "&Ja".
    virtual bool askYesNo(QWidget* parent, const QString& question) = 0;
    // A question with one button per answer; the index of the answer chosen. safeAnswer is the
    // default button and what Escape and the close box give.
    virtual int choose(QWidget* parent, const QString& question, const QStringList& answers,
                       int safeAnswer) = 0;
};

// Modal message boxes on the screen, titled with the program's title.
class QtMessageBoxes : public MessageBoxes {
public:
    void inform(QWidget* parent, const QString& text) override;
    void warn(QWidget* parent, const QString& text) override;
    void reportError(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& question) override;
    int choose(QWidget* parent, const QString& question, const QStringList& answers, int safeAnswer) override;
};

// Records every message and answers questions from preset lists ("&Nein", or the safe answer, when
// they run out).
class PresetMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        MessageKind kind;
        QString text;
    };

    void presetAnswers(std::initializer_list<bool> answers) { answers_.insert(answers_.end(), answers); }
    void presetChoices(std::initializer_list<int> choices) { choices_.insert(choices_.end(), choices); }
    const std::vector<Shown>& shown() const { return shown_; }
    void clear() { shown_.clear(); }

    void inform(QWidget* parent, const QString& text) override;
    void warn(QWidget* parent, const QString& text) override;
    void reportError(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& question) override;
    int choose(QWidget* parent, const QString& question, const QStringList& answers, int safeAnswer) override;

private:
    std::vector<Shown> shown_;
    std::deque<bool> answers_;
    std::deque<int> choices_;
};

// The core's error reports (a damaged history file) shown as error messages of a window.
class MessageBoxReporter : public ErrorReporter {
public:
    MessageBoxReporter(MessageBoxes& messages, QWidget* parent) : messages_(messages), parent_(parent) {}
    int showError(Windows1252View text) override;
    int reports() const { return reports_; }

private:
    MessageBoxes& messages_;
    QWidget* parent_;
    int reports_ = 0;
};

} // namespace telvarin
