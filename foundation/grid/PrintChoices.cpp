#include "foundation/grid/PrintChoices.h"

#include <algorithm>
#include <numeric>

namespace telvarin {

PrintedColumnsChoice printedColumnsChoice(int storedLimit, int rankedColumns) {
    const int available = std::max(0, rankedColumns);
    if (storedLimit < 0)
        return {available > kPrintedColumnsAskedAbove, available};
    return {false, storedLimit == 0 ? available : std::min(storedLimit, available)};
}

QString printedColumnsQuestion(int rankedColumns) {
    return QStringLiteral("Die Auswertung hat %1 Mittel. Wie viele davon sollen gedruckt werden?\n\n"
                          "Die Antwort gilt auch für die nächsten Drucke; ändern lässt sie sich im "
                          "Kontextmenü der Tabelle unter „Gedruckte Mittel…“.")
        .arg(rankedColumns);
}

QStringList printedColumnsAnswers(int rankedColumns) {
    return {QStringLiteral("Nur die ersten %1 Mittel drucken").arg(kPrintedColumnsAskedAbove),
            QStringLiteral("Alle %1 Mittel drucken").arg(rankedColumns)};
}

int printedColumnsSetting(int answer) {
    return answer == 0 ? kPrintedColumnsAskedAbove : 0;
}

bool printsInLandscape(const std::vector<int>& columnWidths, const std::vector<int>& rowHeights) {
    const auto shown = [](long long sum, int size) { return sum + std::max(0, size); };
    return std::accumulate(columnWidths.begin(), columnWidths.end(), 0LL, shown) >
           std::accumulate(rowHeights.begin(), rowHeights.end(), 0LL, shown);
}

QString printedPageTitle(const QString& subject, const QDate& date, const QString& repertory) {
    QStringList parts;
    for (const QString& part :
         {subject.trimmed(), date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString(),
          repertory.trimmed()}) {
        if (!part.isEmpty())
            parts.push_back(part);
    }
    return parts.join(QStringLiteral(" – "));
}

} // namespace telvarin
