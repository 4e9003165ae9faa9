#include "ui/TablePrinting.h"

#include "foundation/dialogs/MessageBoxes.h"
#include "foundation/grid/PrintChoices.h"
#include "foundation/settings/MainSettings.h"
#include "foundation/text/QtCodePage.h"
#include "history/RepertoryRecord.h"

#include <QInputDialog>
#include <QKeySequence>
#include <QShortcut>

namespace telvarin {

void offerTablePrinting(QWidget* window, std::function<void()> print) {
    auto* shortcut = new QShortcut(QKeySequence::Print, window);
    QObject::connect(shortcut, &QShortcut::activated, window, std::move(print));
}

QString printedRepertoryName(const ProgramRepertories* repertories) {
    return repertories != nullptr ? fromWindows1252(repertories->inUse.name) : QString();
}

int printedRemedyColumns(SettingsStore* store, int rankedColumns, MessageBoxes& messages, QWidget* parent) {
    const int stored = store != nullptr ? readSetting(*store, Setting::PrintedRemedies) : 0;
    const PrintedColumnsChoice choice = printedColumnsChoice(stored, rankedColumns);
    if (!choice.ask)
        return choice.columns;
    const int answer = messages.choose(parent, printedColumnsQuestion(rankedColumns),
                                       printedColumnsAnswers(rankedColumns), 0);
    const int setting = printedColumnsSetting(answer);
    writeSetting(*store, Setting::PrintedRemedies, setting);
    return printedColumnsChoice(setting, rankedColumns).columns;
}

QString printedRemediesMenuText() {
    return QStringLiteral("Gedruckte Mittel…");
}

bool editPrintedRemedies(SettingsStore& store, QWidget* parent) {
    const int stored = readSetting(store, Setting::PrintedRemedies);
    bool confirmed = false;
    const int value =
        QInputDialog::getInt(parent, QStringLiteral("Gedruckte Mittel"),
                             QStringLiteral("Wie viele Mittel der Rangfolge gedruckt werden "
                                            "(0 = alle):"),
                             stored < 0 ? kPrintedColumnsAskedAbove : stored, 0,
                             settingDefinition(Setting::PrintedRemedies).maximum, 1, &confirmed);
    return confirmed && writeSetting(store, Setting::PrintedRemedies, value);
}

} // namespace telvarin
