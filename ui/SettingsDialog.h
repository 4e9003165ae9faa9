#pragma once

// "Programmeinstellungen": edits the program's preferences. It is filled from the values read from
// the settings store and hands the edited values back after "&OK"; the opener applies and stores
// them.

#include "foundation/dialogs/DialogBase.h"
#include "foundation/settings/MainSettings.h"
#include "repertory/RepertoryChoice.h"

#include <QString>
#include <functional>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace telvarin {

class FontPreviewList;
class IconPushButton;
class SpinArrows;

// What the dialog offers for the next start beside the values it edits.
struct NextStartChoices {
    NextStartSettings stored;               // as the store holds them
    QString practiceFolder;                 // the one of this run
    std::vector<RepertoryFile> repertories; // the data files found in the repertory folders
    std::vector<std::string> shippedFiles;  // where the shipped repertory may lie
};

enum class PathQuestion { PracticeFolder, RepertoryFile };

class SettingsDialog : public DialogBase {
    Q_OBJECT

public:
    // Asks for a folder or a data file starting at start; empty when cancelled. Tests give answers.
    using PathAsker = std::function<QString(PathQuestion question, const QString& start)>;

    // settings as readEditableSettings gives them; historyPath is only shown.
    SettingsDialog(const EditableSettings& settings, const QString& historyPath,
                   const DialogServices& services, QWidget* parent = nullptr,
                   const NextStartChoices& nextStart = {});
    ~SettingsDialog() override;

    // The edited values once the dialog was confirmed; the values it was opened with until then.
    const EditableSettings& settings() const { return settings_; }
    // The same for the repertory and the practice folder, which take effect at the next start.
    const NextStartSettings& nextStartSettings() const { return nextStart_; }

    void setPathAsker(PathAsker asker) { pathAsker_ = std::move(asker); }
    QLineEdit* practiceFolderField() const { return practiceFolderField_; }
    QPushButton* changeFolderButton() const { return changeFolderButton_; }
    QLineEdit* practiceServerField() const { return practiceServerField_; }
    QPushButton* changeServerButton() const { return changeServerButton_; }
    QComboBox* repertoryBox() const { return repertoryBox_; }
    QLabel* nextStartNote() const { return nextStartNote_; }

    QLineEdit* delayField() const { return delayField_; }
    SpinArrows* delayArrows() const { return delayArrows_; }
    QCheckBox* askOnQuitBox() const { return askOnQuit_; }
    QCheckBox* askOnCloseBoxBox() const { return askOnCloseBox_; }
    QCheckBox* askOnDeleteBox() const { return askOnDelete_; }
    QCheckBox* keepColumnWidthsBox() const { return keepColumnWidths_; }
    QCheckBox* escapeClearsBox() const { return escapeClears_; }
    QCheckBox* jumpToEndBox() const { return jumpToEnd_; }
    QCheckBox* noGreyPrintBox() const { return noGreyPrint_; }
    QCheckBox* remediesByGradeBox() const { return remediesByGrade_; }
    QCheckBox* treeAlphabeticalBox() const { return treeAlphabetical_; }
    QLineEdit* historyPathField() const { return historyPathField_; }
    FontPreviewList* fontList() const { return fontList_; }
    QComboBox* sizeBox() const { return sizeBox_; }
    QGroupBox* polarityGroup() const { return polarityGroup_; }
    QButtonGroup* polarityButtons() const { return polarityButtons_; }
    IconPushButton* okButton() const { return okButton_; }
    IconPushButton* helpButton() const { return helpButton_; }
    IconPushButton* backButton() const { return backButton_; }

    // "&OK": keeps the placement, then takes the values over unless the start delay is refused.
    void accept() override;

private:
    void createControls();
    void createNextStartControls();
    void fitTextsToFont();
    void transferToControls(const QString& historyPath);
    EditableSettings editedSettings(int startDelay) const;
    NextStartSettings editedNextStart() const;
    void changePracticeFolder();
    void changePracticeServer();
    void showPracticeServer();
    void repertoryChosen(int index);
    void showNextStartNote();

    EditableSettings settings_;
    NextStartChoices choices_;
    NextStartSettings nextStart_;
    PathAsker pathAsker_;
    int shownRepertory_ = -1;
    QString shownSize_;
    QLineEdit* practiceFolderField_ = nullptr;
    QLabel* practiceFolderLabel_ = nullptr;
    QPushButton* changeFolderButton_ = nullptr;
    QLineEdit* practiceServerField_ = nullptr;
    QLabel* practiceServerLabel_ = nullptr;
    QPushButton* changeServerButton_ = nullptr;
    QComboBox* repertoryBox_ = nullptr;
    QLabel* repertoryLabel_ = nullptr;
    QLabel* nextStartNote_ = nullptr;
    QLineEdit* delayField_ = nullptr;
    SpinArrows* delayArrows_ = nullptr;
    QCheckBox* askOnQuit_ = nullptr;
    QCheckBox* askOnCloseBox_ = nullptr;
    QCheckBox* askOnDelete_ = nullptr;
    QCheckBox* keepColumnWidths_ = nullptr;
    QCheckBox* escapeClears_ = nullptr;
    QCheckBox* jumpToEnd_ = nullptr;
    QCheckBox* noGreyPrint_ = nullptr;
    QCheckBox* remediesByGrade_ = nullptr;
    QCheckBox* treeAlphabetical_ = nullptr;
    QLineEdit* historyPathField_ = nullptr;
    QLabel* historyPathLabel_ = nullptr;
    FontPreviewList* fontList_ = nullptr;
    QComboBox* sizeBox_ = nullptr;
    QGroupBox* polarityGroup_ = nullptr;
    QGroupBox* questionsGroup_ = nullptr;
    QButtonGroup* polarityButtons_ = nullptr;
    IconPushButton* okButton_ = nullptr;
    IconPushButton* helpButton_ = nullptr;
    IconPushButton* backButton_ = nullptr;
};

} // namespace telvarin
