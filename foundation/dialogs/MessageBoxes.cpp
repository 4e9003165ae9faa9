#include "foundation/dialogs/MessageBoxes.h"

#include "foundation/text/QtCodePage.h"

#include <QMessageBox>
#include <QPushButton>

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

int MessageBoxReporter::showError(const std::string& text) {
    ++reports_;
    messages_.reportError(parent_, fromWindows1252(text));
    return 0;
}

} // namespace telvarin
