#pragma once

// "Programmeinstellungen": edits the program's preferences. It is filled from the values read from
// the settings store and hands the edited values back after "&OK"; the opener applies and stores
// them.

#include "foundation/dialogs/DialogBase.h"
#include "foundation/settings/MainSettings.h"

#include <QString>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace telvarin {

class FontPreviewList;
class IconPushButton;
class SpinArrows;

class SettingsDialog : public DialogBase {
    Q_OBJECT

public:
    // settings as readEditableSettings gives them; historyPath is only shown.
    SettingsDialog(const EditableSettings& settings, const QString& historyPath,
                   const DialogServices& services, QWidget* parent = nullptr);
    ~SettingsDialog() override;

    // The edited values once the dialog was confirmed; the values it was opened with until then.
    const EditableSettings& settings() const { return settings_; }

    QLineEdit* delayField() const { return delayField_; }
    SpinArrows* delayArrows() const { return delayArrows_; }
    QCheckBox* askOnQuitBox() const { return askOnQuit_; }
    QCheckBox* askOnCloseBoxBox() const { return askOnCloseBox_; }
    QCheckBox* askOnDeleteBox() const { return askOnDelete_; }
    QCheckBox* keepColumnWidthsBox() const { return keepColumnWidths_; }
    QCheckBox* escapeClearsBox() const { return escapeClears_; }
    QCheckBox* jumpToEndBox() const { return jumpToEnd_; }
    QCheckBox* noGreyPrintBox() const { return noGreyPrint_; }
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
    void fitTextsToFont();
    void transferToControls(const QString& historyPath);
    EditableSettings editedSettings(int startDelay) const;

    EditableSettings settings_;
    QLineEdit* delayField_ = nullptr;
    SpinArrows* delayArrows_ = nullptr;
    QCheckBox* askOnQuit_ = nullptr;
    QCheckBox* askOnCloseBox_ = nullptr;
    QCheckBox* askOnDelete_ = nullptr;
    QCheckBox* keepColumnWidths_ = nullptr;
    QCheckBox* escapeClears_ = nullptr;
    QCheckBox* jumpToEnd_ = nullptr;
    QCheckBox* noGreyPrint_ = nullptr;
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
