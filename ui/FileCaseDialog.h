#pragma once

// "Fall ablegen": asks for the name of the case and a comment before the current case is filed
// as a new treatment in the case history.

#include "foundation/dialogs/DialogBase.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QPlainTextEdit;

namespace telvarin {

class IconPushButton;

// What the dialog hands back, Windows-1252; line breaks of the comment as CR LF.
struct FileCaseAnswer {
    std::string name;
    std::string comment;
    friend bool operator==(const FileCaseAnswer&, const FileCaseAnswer&) = default;
};

// Asks for the answer with the name field preset; nothing when the user went back.
using FileCaseAsker = std::function<std::optional<FileCaseAnswer>(const std::string& presetName)>;

// The names for the list, in German alphabetical order (umlauts with their base letters). A history file that
// is missing or cannot be read gives no names.
std::vector<std::string> sortedCaseNames(std::vector<std::string> names);
std::vector<std::string> filedCaseNames(const std::string& historyPath);

// The comment as the history keeps it: every line break as CR LF.
std::string commentWithCrLf(std::string_view text);

class FileCaseDialog : public DialogBase {
    Q_OBJECT

public:
    // caseNames in any order, Windows-1252 like presetName.
    FileCaseDialog(const std::vector<std::string>& caseNames, const std::string& presetName,
                   const DialogServices& services, QWidget* parent = nullptr);
    ~FileCaseDialog() override;

    FileCaseAnswer answer() const;

    QComboBox* nameBox() const { return nameBox_; }
    QPlainTextEdit* commentField() const { return commentField_; }
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
    IconPushButton* okButton_ = nullptr;
    IconPushButton* helpButton_ = nullptr;
    IconPushButton* backButton_ = nullptr;
};

// The dialog as the results window asks it: the names of the filed cases loaded from the history
// file, the preset name, exec.
FileCaseAsker screenFileCaseAsker(const std::string& historyPath, const DialogServices& services,
                                  QWidget* parent);

} // namespace telvarin
