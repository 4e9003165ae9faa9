#include "ui/CaseInputWindow.h"

#include "foundation/dialogs/IconPushButton.h"
#include "foundation/dialogs/WaitCursor.h"
#include "foundation/settings/SettingsStore.h"
#include "foundation/settings/WindowPersistence.h"
#include "foundation/text/QtCodePage.h"
#include "repertory/LanguageFile.h"
#include "ui/CaseGrid.h"
#include "ui/HelpWindow.h"
#include "ui/HistoryWindow.h"
#include "ui/IconSet.h"
#include "ui/RemedyOverviewWindow.h"
#include "ui/ResultsWindow.h"
#include "ui/SettingsDialog.h"
#include "ui/SymptomSearchWindow.h"
#include "ui/TableSaving.h"
#include "ui/TextSearchWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace telvarin {

namespace {

// The window in dialog units: the case table across the top, 4 units from the sides, and 10 units
// below it the row of eight buttons. They are 50 x 35 units, wider than the other windows' 42, for
// the longer captions "&Fallhistorie" and "&Eigenschaften".
constexpr QSize kTemplateSize(427, 198);
constexpr QRect kTableRect(4, 3, 419, 146);
constexpr int kButtonTop = 159;
constexpr int kButtonLeft = 4;
constexpr int kButtonStep = 50;
constexpr QSize kButtonSize(50, 35);

struct ButtonDefinition {
    CaseInputButton role;
    const char16_t* caption;
    ButtonIcon icon;
};

constexpr std::array<ButtonDefinition, kCaseInputButtonCount> kButtons{{
    {CaseInputButton::Calculate, u"&Berechnen", ButtonIcon::Calculate},
    {CaseInputButton::TreeSearch, u"S&uchen", ButtonIcon::TreeSearch},
    {CaseInputButton::TextSearch, u"&Textsuche", ButtonIcon::TextSearch},
    {CaseInputButton::CaseHistory, u"&Fallhistorie", ButtonIcon::CaseHistory},
    {CaseInputButton::RemedyOverview, u"&Mittel-Ausw.", ButtonIcon::RemedyOverview},
    {CaseInputButton::Settings, u"&Eigenschaften", ButtonIcon::Settings},
    {CaseInputButton::Help, u"&Hilfe", ButtonIcon::Help},
    {CaseInputButton::Quit, u"Been&den", ButtonIcon::Quit},
}};

DialogServices withHelp(DialogServices services, HelpViewer* ownHelp) {
    if (services.help == nullptr)
        services.help = ownHelp;
    return services;
}

// The wait cursor while the analysis counts; taken back at the latest when the analysis is left.
class WaitCursorProgress : public AnalysisProgress {
public:
    ~WaitCursorProgress() override { finish(); }
    void analysisStarted() override {
        if (!active_)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        active_ = true;
    }
    void rankingFinished() override { finish(); }
    void finish() {
        if (active_)
            QGuiApplication::restoreOverrideCursor();
        active_ = false;
    }

private:
    bool active_ = false;
};

// The results window, modal; its outcome decides whether the case is kept.
ResultsReply openResultsWindow(const ResultsRequest& request) {
    ResultsWindow window(request.database, request.rows, request.result, request.evaluationName,
                         request.settings, request.tableFont, toFilePath(request.historyPath),
                         request.services, request.parent);
    window.exec();
    return ResultsReply{window.outcome() == ResultsOutcome::keepCase, window.evaluationName()};
}

} // namespace

OwnHelpWindow::OwnHelpWindow() = default;
OwnHelpWindow::~OwnHelpWindow() = default;

void OwnHelpWindow::showHelpTopic(int topic, QWidget* parent) {
    if (!window_) {
        window_ = std::make_unique<HelpWindow>();
        window_->describe(repertory_, historyPath_);
    }
    window_->showHelpTopic(topic, parent);
}

void OwnHelpWindow::describe(const RepertoryDescription& repertory, const QString& historyPath) {
    repertory_ = repertory;
    historyPath_ = historyPath;
    if (window_)
        window_->describe(repertory_, historyPath_);
}

CaseInputWindow::CaseInputWindow(RepertoryDatabase database, QString historyPath,
                                 const DialogServices& services, QWidget* parent,
                                 const RepertoryDescription& repertory)
    : DialogBase(placementName(), kTemplateSize, withHelp(services, &ownHelp_), parent),
      services_(withHelp(services, &ownHelp_)), database_(std::move(database)), caseModel_(database_),
      result_(database_), historyPath_(std::move(historyPath)), resultsOpener_(openResultsWindow) {
    // 1. The controls at their template places, then the resizable layout.
    createControls();
    setUpLayout();
    setHelpTopic(kHelpTopicCaseInput);
    // 2. Icon and place.
    setDialogIcon(programIcon());
    centreOnDesktop();
    // 3 and 4. The result rows and the repertory exist with the window's members.
    // 5. The language file of the start directory, before any rubric text is shown.
    if (repertory.builtin)
        applyLanguageFile(database_);
    ownHelp_.describe(repertory, historyPath_);
    // 6. The held settings and the table font.
    if (settingsStore() != nullptr)
        settings_ = readMainSettings(*settingsStore());
    tableFont_ = TableFont::fromSettings(settings_);
    // 7. The table.
    grid_->applySettings(settings_);
    grid_->setLargestRubricNumber(database_.rubricCount());
    grid_->setUpTable(tableFont());
    // 8. The layout: the table grows both ways, the buttons follow the lower edge.
    addAnchor(grid_, kAnchorStretches, kAnchorStretches);
    for (IconPushButton* button : buttons_)
        addAnchor(button, kAnchorStays, kAnchorFollowsFarSide);
    // 9. Placement and column widths as the user left them.
    restorePlacement();
    if (settingsStore() != nullptr)
        restoreColumnWidthsIfKept(settings_, *settingsStore(), columnWidthsSection(placementName()), *grid_);
    grid_->stretchColumns();
    // 10 and 11. The title and the button pictures; the caller shows the window.
    setWindowTitle(repertory.builtin ? programTitle()
                                     : programTitle() + QStringLiteral(" - ") + repertory.name);
    loadButtonIcons();
    grid_->setFocus(Qt::OtherFocusReason);
}

CaseInputWindow::~CaseInputWindow() {
    destroySearchWindows();
    // The table listens to the case, which goes before the window's children do.
    delete grid_;
    grid_ = nullptr;
}

void CaseInputWindow::createControls() {
    grid_ = new CaseGrid(caseModel_, this);
    placeControl(grid_, kTableRect);
    const std::array<void (CaseInputWindow::*)(), kCaseInputButtonCount> actions{
        &CaseInputWindow::calculate,
        &CaseInputWindow::openTreeSearch,
        &CaseInputWindow::openTextSearch,
        &CaseInputWindow::openCaseHistory,
        &CaseInputWindow::openRemedyOverview,
        &CaseInputWindow::openSettings,
        &CaseInputWindow::showHelpOfActiveWindow,
        &CaseInputWindow::reject};
    for (std::size_t index = 0; index < kButtons.size(); ++index) {
        const ButtonDefinition& definition = kButtons[index];
        const QRect place(kButtonLeft + static_cast<int>(index) * kButtonStep, kButtonTop,
                          kButtonSize.width(), kButtonSize.height());
        // The pictures come last in the initialisation.
        IconPushButton* button =
            addIconPushButton(place, QString::fromUtf16(definition.caption), QIcon(), QIcon());
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, actions[index]);
        buttons_[index] = button;
    }
    button(CaseInputButton::Calculate)->setDefault(true);
    setTabOrder(grid_, buttons_.front());
}

void CaseInputWindow::centreOnDesktop() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void CaseInputWindow::loadButtonIcons() {
    for (std::size_t index = 0; index < kButtons.size(); ++index) {
        const IconPair pictures = iconPair(kButtons[index].icon);
        buttons_[index]->setIcons(QIcon(pictures.hover), QIcon(pictures.normal));
    }
}

void CaseInputWindow::addSymptom(RubricNumber number, int bd) {
    caseModel_.addSymptom(number, bd);
}

void CaseInputWindow::takeOverCase(Windows1252View name, std::span<const SymptomRef> symptoms) {
    grid_->setUpTable(tableFont());
    caseModel_.takeOverCase(name, symptoms);
    grid_->focusTable();
}

void CaseInputWindow::takeOverSettings(const EditableSettings& confirmed) {
    if (tableFontChanged(settings_, confirmed)) {
        tableFont_ = TableFont::fromSettings(confirmed.main);
        // An emptied face name gives the table its built-in font back.
        const std::optional<TableFont> shown =
            tableFont_ ? tableFont_ : TableFont::create(font().family(), confirmed.main.fontSize);
        if (shown)
            grid_->changeTableFont(*shown);
        // The search windows are kept open; every other window takes the font when it opens.
        if (textSearch_)
            textSearch_->changeTableFont(tableFont());
        if (treeSearch_)
            treeSearch_->changeTableFont(tableFont());
    }
    settings_ = applyConfirmedSettings(settings_, confirmed);
    grid_->applySettings(settings_);
    if (treeSearch_)
        treeSearch_->applySettings(settings_);
    if (settingsStore() != nullptr)
        writeEditableSettings(*settingsStore(), confirmed);
    grid_->focusTable();
}

void CaseInputWindow::calculate() {
    WaitCursorProgress progress;
    if (!runAnalysis(database_, caseModel_, result_, &progress))
        return; // nothing but the input row: nothing to analyse
    progress.finish();
    const ResultsReply reply =
        resultsOpener_(ResultsRequest{database_, caseModel_.rows(), result_, caseModel_.evaluationName(),
                                      settings_, tableFont_, historyPath_, services_, this});
    if (reply.keepCase) {
        caseModel_.keepCase(reply.evaluationName);
    } else {
        // Kept aside: Ctrl+Z in the table brings it back until the next entry.
        caseModel_.clearAnalysedCase();
        grid_->setUpTable(tableFont());
    }
    grid_->focusTable();
}

TableSaveSettings CaseInputWindow::tableSaving() const {
    return TableSaveSettings{
        tableExportFolder(historyPath_), [this] { return caseModel_.evaluationName(); }, {}};
}

void CaseInputWindow::openTreeSearch() {
    if (!treeSearch_) {
        const WaitCursor busy;
        treeSearch_ = new SymptomSearchWindow(database_, tableFont(), services_, symptomSink(), this);
        treeSearch_->applySettings(settings_);
        treeSearch_->setCrossReferenceHandler([this](const QString& words) {
            openTextSearch();
            textSearch_->searchFor(words);
        });
    }
    treeSearch_->showWindow(tableFont());
}

void CaseInputWindow::openTextSearch() {
    if (!textSearch_) {
        const WaitCursor busy;
        textSearch_ = new TextSearchWindow(database_, tableFont(), services_, settings_, symptomSink(), this);
        textSearch_->setTableSaving(tableSaving());
    }
    textSearch_->showWindow();
}

void CaseInputWindow::openCaseHistory() {
    HistoryWindow history(historyPath_, database_, settings_, tableFont(), services_, this);
    if (history.exec() == 1)
        takeOverCase(history.takeOverResult().name, history.takeOverResult().symptoms);
    grid_->focusTable();
}

void CaseInputWindow::openRemedyOverview() {
    RemedyOverviewWindow overview(database_, settings_, tableFont(), services_, this);
    overview.setTableSaving(tableSaving());
    if (overview.exec() == 1 && overview.chosenSymptom())
        addSymptom(overview.chosenSymptom()->number, overview.chosenSymptom()->bd);
    grid_->focusTable();
}

void CaseInputWindow::openSettings() {
    // The dialog starts from the store, not from the values held here.
    MemorySettingsStore noStore;
    const SettingsStore& store = settingsStore() != nullptr ? *settingsStore() : noStore;
    // A history on a practice server has no folder; the practice folder is the stored one.
    const QString practiceFolder = isServerLocation(toFilePath(historyPath_))
                                       ? readTextSetting(store, Setting::PracticeFolder)
                                       : QFileInfo(historyPath_).absolutePath();
    const NextStartChoices choices{readNextStartSettings(store), practiceFolder,
                                   repertoryFilesIn(repertoryFolders()), shippedRepertoryFiles()};
    SettingsDialog dialog(readEditableSettings(store), historyPath_, services_, this, choices);
    if (dialog.exec() == 1) {
        takeOverSettings(dialog.settings());
        if (settingsStore() != nullptr)
            writeNextStartSettings(*settingsStore(), choices.stored, dialog.nextStartSettings());
    }
    grid_->focusTable();
}

void CaseInputWindow::showHelpOfActiveWindow() {
    auto* active = qobject_cast<DialogBase*>(QApplication::activeWindow());
    if (active != nullptr && active != this && active->helpTopic() > 0)
        active->showHelp(active->helpTopic());
    else
        showHelp(kHelpTopicCaseInput);
}

void CaseInputWindow::reject() {
    if (settings_.askBeforeQuit && !messageBoxes().askYesNo(this, quitQuestion()))
        return;
    savePlacement();
    if (settingsStore() != nullptr)
        saveColumnWidthsIfKept(settings_, *settingsStore(), columnWidthsSection(placementName()), *grid_);
    destroySearchWindows();
    DialogBase::reject();
}

std::function<void(RubricNumber, int)> CaseInputWindow::symptomSink() {
    return [this](RubricNumber number, int bd) { addSymptom(number, bd); };
}

void CaseInputWindow::destroySearchWindows() {
    delete treeSearch_.data();
    delete textSearch_.data();
}

} // namespace telvarin
