#include "ui/SettingsDialogRules.h"

#include "foundation/settings/MainSettings.h"
#include "foundation/text/QtCodePage.h"
#include "history/PracticeFolder.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace telvarin {

QStringList fontSizeChoices() {
    return {QStringLiteral("6"),  QStringLiteral("8"),  QStringLiteral("10"), QStringLiteral("12"),
            QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"), QStringLiteral("20")};
}

QString notAnIntegerMessage() {
    return QStringLiteral("Please enter an integer.");
}

QString integerOutOfRangeMessage(int minimum, int maximum) {
    return QStringLiteral("Please enter an integer between %1 and %2.").arg(minimum).arg(maximum);
}

StartDelayCheck checkStartDelay(const QString& text) {
    bool isInteger = false;
    const int delay = text.trimmed().toInt(&isInteger, 10);
    if (!isInteger)
        return {std::nullopt, notAnIntegerMessage()};
    if (delay < kMinimumStartDelay || delay > kMaximumStartDelay)
        return {std::nullopt, integerOutOfRangeMessage(kMinimumStartDelay, kMaximumStartDelay)};
    return {delay, QString()};
}

int fontSizeFromText(const QString& text) {
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
        ++pos;
    int size = 0;
    for (; pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9'; ++pos) {
        size = size * 10 + (text[pos].unicode() - u'0');
        // Stop growing once past any usable height, so that no number of digits can overflow.
        if (size > TableFont::kMaximumPixelHeight)
            return TableFont::kMaximumPixelHeight;
    }
    return size;
}

int faceIndexForName(const QStringList& faces, const QString& name) {
    if (faces.isEmpty())
        return -1;
    const auto found = std::find_if(faces.begin(), faces.end(), [&name](const QString& face) {
        return face.startsWith(name, Qt::CaseInsensitive);
    });
    return found == faces.end() ? 0 : static_cast<int>(found - faces.begin());
}

int steppedStartDelay(const QString& text, int steps) {
    bool isInteger = false;
    const int current = text.trimmed().toInt(&isInteger, 10);
    const int from = isInteger ? std::clamp(current, kMinimumStartDelay, kMaximumStartDelay) : 0;
    return std::clamp(from + steps, kMinimumStartDelay, kMaximumStartDelay);
}

namespace {

std::string fileName(const QString& path) {
    return toFilePath(path);
}

QString pathOf(const std::string& file) {
    return QDir::toNativeSeparators(fromFilePath(file));
}

bool samePath(const QString& a, const QString& b) {
    return QDir::cleanPath(QDir::fromNativeSeparators(a)) == QDir::cleanPath(QDir::fromNativeSeparators(b));
}

QString entryLabel(const RepertoryInfo& info, const QString& path) {
    return info.name.empty() ? QFileInfo(path).fileName() : fromWindows1252(info.name);
}

} // namespace

QString builtinRepertoryLabel() {
    return fromWindows1252(kBuiltinRepertoryName);
}

QString ownRepertoryFileLabel() {
    return QStringLiteral("Eigene Datei…");
}

QList<RepertoryEntry> repertoryEntries(const std::vector<RepertoryFile>& found, const QString& stored) {
    QList<RepertoryEntry> entries;
    for (const RepertoryFile& file : found)
        entries.append({entryLabel(file.info, pathOf(file.path)), pathOf(file.path)});
    const bool storedIsFile = !stored.isEmpty() && stored != QLatin1String(kBuiltinRepertoryChoice.data(),
                                                                           kBuiltinRepertoryChoice.size());
    const bool storedListed = std::any_of(entries.begin(), entries.end(), [&stored](const RepertoryEntry& e) {
        return samePath(e.value, stored);
    });
    if (storedIsFile && !storedListed)
        entries.prepend(
            {entryLabel(repertoryInfoOf(fileName(stored)), stored), QDir::toNativeSeparators(stored)});
    entries.append({builtinRepertoryLabel(),
                    QString::fromLatin1(kBuiltinRepertoryChoice.data(), kBuiltinRepertoryChoice.size())});
    return entries;
}

int repertoryEntryIndex(const QList<RepertoryEntry>& entries, const QString& stored,
                        const std::vector<std::string>& shippedFiles) {
    const auto indexOf = [&entries](const QString& value) {
        for (qsizetype i = 0; i < entries.size(); ++i) {
            if (entries[i].value == value || samePath(entries[i].value, value))
                return static_cast<int>(i);
        }
        return -1;
    };
    if (!stored.isEmpty())
        return indexOf(stored);
    for (const std::string& shipped : shippedFiles) {
        if (const int index = indexOf(pathOf(shipped)); index >= 0)
            return index;
    }
    return indexOf(QString::fromLatin1(kBuiltinRepertoryChoice.data(), kBuiltinRepertoryChoice.size()));
}

QString repertoryFileRefusal(const QString& path) {
    const RepertoryLoadResult loaded = RepertoryDatabase::fromFile(fileName(path));
    if (const auto* error = std::get_if<RepertoryLoadError>(&loaded))
        return QStringLiteral("Die Repertoriumsdatei %1 kann nicht verwendet werden:\n\n%2")
            .arg(QDir::toNativeSeparators(path), fromWindows1252(error->message));
    return {};
}

QString practiceFolderRefusal(const QString& folder, const QString& homeFolder) {
    if (isSameFolder(fileName(folder), fileName(homeFolder)))
        return QStringLiteral("Der persönliche Ordner %1 selbst nimmt keine Patientendaten auf. Bitte "
                              "wählen Sie einen Ordner darin.")
            .arg(QDir::toNativeSeparators(homeFolder));
    const PracticeFolderFacts facts = practiceFolderFacts(fileName(folder));
    const PracticeFolderProblem problem = practiceFolderProblem(facts);
    if (problem == PracticeFolderProblem::None)
        return {};
    return fromWindows1252(practiceFolderProblemMessage(fileName(folder), problem, facts));
}

} // namespace telvarin
