#include "foundation/dialogs/MessageBoxes.h"

#include "foundation/text/QtCodePage.h"

#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <vector>

namespace telvarin {

QString programTitle() {
    return QStringLiteral("Kesto - Telvarin");
}

void QtMessageBoxes::inform(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, programTitle(), text);
}

void QtMessageBoxes::warn(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, programTitle(), text);
}

void QtMessageBoxes::reportError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, programTitle(), text);
}

bool QtMessageBoxes::askYesNo(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, programTitle(), question, QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

int QtMessageBoxes::choose(QWidget* parent, const QString& question, const QStringList& answers,
                           int safeAnswer) {
    QMessageBox box(QMessageBox::Question, programTitle(), question, QMessageBox::NoButton, parent);
    std::vector<QPushButton*> buttons;
    for (const QString& answer : answers)
        buttons.push_back(box.addButton(answer, QMessageBox::ActionRole));
    QPushButton* safe = buttons.at(static_cast<std::size_t>(safeAnswer));
    box.setDefaultButton(safe);
    box.setEscapeButton(safe);
    box.exec();
    const auto chosen = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return chosen == buttons.end() ? safeAnswer : static_cast<int>(chosen - buttons.begin());
}

void PresetMessageBoxes::inform(QWidget*, const QString& text) {
    shown_.push_back({MessageKind::Information, text});
}

void PresetMessageBoxes::warn(QWidget*, const QString& text) {
    shown_.push_back({MessageKind::Warning, text});
}

void PresetMessageBoxes::reportError(QWidget*, const QString& text) {
    shown_.push_back({MessageKind::Error, text});
}

bool PresetMessageBoxes::askYesNo(QWidget*, const QString& question) {
    shown_.push_back({MessageKind::Question, question});
    if (answers_.empty())
        return false;
    const bool answer = answers_.front();
    answers_.pop_front();
    return answer;
}

int PresetMessageBoxes::choose(QWidget*, const QString& question, const QStringList&, int safeAnswer) {
    shown_.push_back({MessageKind::Question, question});
    if (choices_.empty())
        return safeAnswer;
    const int choice = choices_.front();
    choices_.pop_front();
    return choice;
}

int MessageBoxReporter::showError(Windows1252View text) {
    ++reports_;
    messages_.reportError(parent_, fromWindows1252(text));
    return 0;
}

} // namespace telvarin
