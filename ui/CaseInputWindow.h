#pragma once

// The program's main window: the case table, the eight buttons that reach every other window,
// and the orderly end of the program.

#include "analysis/Analysis.h"
#include "analysis/CaseModel.h"
#include "foundation/dialogs/DialogBase.h"
#include "foundation/dialogs/HelpViewer.h"
#include "foundation/settings/MainSettings.h"
#include "repertory/RepertoryDatabase.h"
#include "ui/RepertoryPlaces.h"

#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace telvarin {

class CaseGrid;
struct TableSaveSettings;
class HelpWindow;
class IconPushButton;
class SymptomSearchWindow;
class TextSearchWindow;

// The buttons of the window in their row from left to right.
enum class CaseInputButton {
    Calculate,      // "&Berechnen", the default button
    TreeSearch,     // "S&uchen"
    TextSearch,     // "&Textsuche"
    CaseHistory,    // "&Fallhistorie"
    RemedyOverview, // "&Mittel-Ausw."
    Settings,       // "&Eigenschaften"
    Help,           // "&Hilfe"
    Quit,           // "Been&den"
};
inline constexpr int kCaseInputButtonCount = 8;

// What the results window is given after an analysis.
struct ResultsRequest {
    const RepertoryDatabase& database;
    std::span<const CaseSymptom> rows; // the analysed rows, input row and empty rows left out
    const AnalysisResult& result;
    const Windows1252Text& evaluationName;
    const MainSettings& settings;
    const std::optional<TableFont>& tableFont;
    const QString& historyPath;
    const DialogServices& services;
    QWidget* parent;
};

// How the results window ended: keep the case (written back into the table) or clear it, and the
// evaluation name as edited there.
struct ResultsReply {
    bool keepCase = true;
    Windows1252Text evaluationName;
};

using ResultsOpener = std::function<ResultsReply(const ResultsRequest&)>;

// The help window of the run, made when help is first asked for and closed with the main window.
class OwnHelpWindow : public HelpViewer {
public:
    OwnHelpWindow();
    ~OwnHelpWindow() override;
    void showHelpTopic(int topic, QWidget* parent) override;
    HelpWindow* window() const { return window_.get(); }
    // What the pages say about the repertory in use and the practice folder.
    void describe(const RepertoryDescription& repertory, const QString& historyPath);

private:
    std::unique_ptr<HelpWindow> window_;
    RepertoryDescription repertory_;
    QString historyPath_;
};

class CaseInputWindow : public DialogBase {
    Q_OBJECT

public:
    static QString placementName() { return QStringLiteral("Eingabe"); }
    static QString quitQuestion() { return QStringLiteral("Wollen Sie wirklich beenden?"); }

    // Without a help viewer in the services the window keeps a help window of its own and hands
    // it to every window it opens; its pages name the repertory. Any repertory but the built-in
    // one is named in the title, and the language file, written for the built-in texts, is then
    // left alone.
    CaseInputWindow(RepertoryDatabase database, QString historyPath, const DialogServices& services,
                    QWidget* parent = nullptr, const RepertoryDescription& repertory = {});
    ~CaseInputWindow() override;

    // ---- what the other windows are given ----

    // Enters a symptom into the focused row of the case table and gives the table the focus.
    void addSymptom(RubricNumber number, int bd);
    // A case taken over from the case history: the table set up again, the name taken as the
    // evaluation name, the symptoms added without counter-polarities.
    void takeOverCase(Windows1252View name, std::span<const SymptomRef> symptoms);
    // The settings dialog was confirmed: a new table font when face or size changed, the held
    // settings taken over, all eleven values written to the store.
    void takeOverSettings(const EditableSettings& confirmed);

    const RepertoryDatabase& database() const { return database_; }
    const MainSettings& settings() const { return settings_; }
    // Null while no table font is chosen; the tables then keep their built-in font.
    const TableFont* tableFont() const { return tableFont_ ? &*tableFont_ : nullptr; }
    const CaseModel& caseModel() const { return caseModel_; }
    const AnalysisResult& analysisResult() const { return result_; }
    const QString& historyPath() const { return historyPath_; }
    const DialogServices& dialogServices() const { return services_; }

    CaseGrid* caseGrid() const { return grid_; }
    IconPushButton* button(CaseInputButton which) const { return buttons_[static_cast<std::size_t>(which)]; }
    // Replaces the results window, for tests.
    void setResultsOpener(ResultsOpener opener) { resultsOpener_ = std::move(opener); }

public slots:
    void calculate();
    void openTreeSearch();
    void openTextSearch();
    void openCaseHistory();
    void openRemedyOverview();
    void openSettings();
    void showHelpOfActiveWindow();

protected:
    // "Been&den", Escape and the close box all end here.
    void reject() override;

private:
    void createControls();
    void centreOnDesktop();
    void loadButtonIcons();
    void destroySearchWindows();
    // Add symptom, as the search windows call it.
    std::function<void(RubricNumber, int)> symptomSink();
    // Where the windows with a table propose to save it: the case's name in the history's folder.
    TableSaveSettings tableSaving() const;

    OwnHelpWindow ownHelp_; // declared first: the base holds its address from construction on
    DialogServices services_;
    RepertoryDatabase database_;
    CaseModel caseModel_;
    AnalysisResult result_;
    MainSettings settings_;
    std::optional<TableFont> tableFont_;
    QString historyPath_;
    ResultsOpener resultsOpener_;

    CaseGrid* grid_ = nullptr;
    std::array<IconPushButton*, kCaseInputButtonCount> buttons_{};
    // The modeless search windows, made on first use and kept until the program ends.
    QPointer<SymptomSearchWindow> treeSearch_;
    QPointer<TextSearchWindow> textSearch_;
};

} // namespace telvarin
