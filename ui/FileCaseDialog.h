#pragma once

// "Fall ablegen": asks for the name of the case and a comment before the current case is filed
// as a new treatment in the case history.

#include "foundation/dialogs/DialogBase.h"
#include "history/CaseHistory.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace telvarin {

class IconPushButton;

// What the dialog hands back, Windows-1252; line breaks of the comment and the note as CR LF.
struct FileCaseAnswer {
    Windows1252Text name;
    Windows1252Text comment;
    Prescription prescription{};
    friend bool operator==(const FileCaseAnswer&, const FileCaseAnswer&) = default;
};

// The remedies the prescription offers, Windows-1252: the ranking's abbreviations in the order
// the results window shows them, and the one of its selected column, which the field starts with.
struct PrescriptionChoices {
    std::vector<Windows1252Text> remedies;
    Windows1252Text presetRemedy;
};

// Asks for the answer with the name field preset; nothing when the user went back.
using FileCaseAsker = std::function<std::optional<FileCaseAnswer>(Windows1252View presetName)>;

// The names for the list, in German alphabetical order (umlauts with their base letters). A history file that
// is missing or cannot be read gives no names.
std::vector<Windows1252Text> sortedCaseNames(std::vector<Windows1252Text> names);
std::vector<Windows1252Text> filedCaseNames(const std::string& historyPath);

class FileCaseDialog : public DialogBase {
    Q_OBJECT

public:
    // caseNames in any order.
    FileCaseDialog(const std::vector<Windows1252Text>& caseNames, Windows1252View presetName,
                   const DialogServices& services, QWidget* parent = nullptr);
    ~FileCaseDialog() override;

    FileCaseAnswer answer() const;
    // Fills the remedy list and presets the remedy field.
    void offerRemedies(const PrescriptionChoices& choices);

    QComboBox* nameBox() const { return nameBox_; }
    QPlainTextEdit* commentField() const { return commentField_; }
    QComboBox* remedyBox() const { return remedyBox_; }
    QLineEdit* potencyField() const { return potencyField_; }
    QLineEdit* noteField() const { return noteField_; }
    IconPushButton* okButton() const { return okButton_; }
    IconPushButton* helpButton() const { return helpButton_; }
    IconPushButton* backButton() const { return backButton_; }

    // "&OK": refused, with a message and the dialog left open, while the name or the comment holds
    // a character the history cannot store; otherwise the placement is kept (only here).
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* nameBox_ = nullptr;
    QPlainTextEdit* commentField_ = nullptr;
    QComboBox* remedyBox_ = nullptr;
    QLineEdit* potencyField_ = nullptr;
    QLineEdit* noteField_ = nullptr;
    IconPushButton* okButton_ = nullptr;
    IconPushButton* helpButton_ = nullptr;
    IconPushButton* backButton_ = nullptr;
};

// The dialog as the results window asks it: the names of the filed cases loaded from the history
// file, the preset name, the remedies to prescribe from, exec.
FileCaseAsker screenFileCaseAsker(const std::string& historyPath, const DialogServices& services,
                                  QWidget* parent, PrescriptionChoices choices = {});

} // namespace telvarin
