#include "foundation/settings/MainSettings.h"

#include "foundation/settings/SettingsStore.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <algorithm>
#include <array>

namespace telvarin {

namespace {

constexpr QStringView kProgramKey = u"";

// clang-format off
constexpr std::array kDefinitions{
    SettingDefinition{Setting::PolarityHandling, kProgramKey, u"PolaritätenHandhabung", SettingKind::Choice,
                      1, 0, 0, 2,
                      u"How counter-polarities are listed: 0 immediately, 1 at the end, 2 not at all"},
    SettingDefinition{Setting::AskBeforeQuit, kProgramKey, u"FragenBeimBeenden", SettingKind::Flag,
                      1, 1, 0, 1, u"Ask before quitting with \"Been&den\""},
    SettingDefinition{Setting::AskBeforeQuitByCloseBox, kProgramKey, u"FragenBeimBeendenX", SettingKind::Flag,
                      1, 1, 0, 1, u"Ask before quitting through the close box (kept and edited only)"},
    SettingDefinition{Setting::AskBeforeDelete, kProgramKey, u"FragenBeimLoeschen", SettingKind::Flag,
                      1, 1, 0, 1, u"Ask before deleting filed cases"},
    SettingDefinition{Setting::JumpToEnd, kProgramKey, u"SprungEnde", SettingKind::Flag,
                      1, 1, 0, 1, u"A change in the middle of the case list jumps to its end"},
    SettingDefinition{Setting::KeepColumnWidths, kProgramKey, u"Spaltenbreite", SettingKind::Flag,
                      1, 1, 0, 1, u"Save and restore the column widths of all tables"},
    SettingDefinition{Setting::EscapeClearsCase, kProgramKey, u"EscapeLoescht", SettingKind::Flag,
                      1, 1, 0, 1, u"Escape in the results window clears the current case"},
    SettingDefinition{Setting::NoGreyInPrint, kProgramKey, u"KeinGrauBeimDruck", SettingKind::Flag,
                      1, 1, 0, 1, u"Results are printed without grey background (takes effect at the next start)"},
    SettingDefinition{Setting::FontName, kProgramKey, u"FontName", SettingKind::Text,
                      0, 0, 0, 0, u"Face of the table font; empty keeps the built-in font of the tables"},
    SettingDefinition{Setting::FontSize, kProgramKey, u"FontSize", SettingKind::Integer,
                      1, 1, 0, TableFont::kMaximumPixelHeight,
                      u"Character height of the table font in pixels, 0 the system's default height"},
    SettingDefinition{Setting::StartDelay, kProgramKey, u"Startverzögerung", SettingKind::Integer,
                      5, 5, 0, 10, u"Seconds the splash window stays; written as 5 by the first start"},
    SettingDefinition{Setting::HistorySortOrder, kProgramKey, u"Sortierung", SettingKind::Flag,
                      1, 1, 0, 1, u"Order of the cases in the case history tree, toggled by \"&Sortieren\""},
    SettingDefinition{Setting::ResultsRanking, kProgramKey, u"Rangfolge", SettingKind::Choice,
                      0, 0, 0, 1,
                      u"Ranking of the results window: 0 hits and grade sums, 1 the polarity method "
                      u"(contraindicated remedies last, then by polarity difference)"},
    SettingDefinition{Setting::CurrentDirectory, u"Settings", u"Current Directory", SettingKind::Text,
                      0, 0, 0, 0, u"Folder last used by the case history import and export"},
    SettingDefinition{Setting::Repertory, kProgramKey, u"Repertorium", SettingKind::Text,
                      0, 0, 0, 0,
                      u"The repertory chosen in the settings dialog: \"eingebaut\" or the path of a data file; "
                      u"empty uses the shipped one (takes effect at the next start)"},
    SettingDefinition{Setting::PracticeFolder, kProgramKey, u"Praxisordner", SettingKind::Text,
                      0, 0, 0, 0,
                      u"Folder of the case history, its backups and an own repertorium.dat, unless the start "
                      u"folder holds one of them (takes effect at the next start)"},
    SettingDefinition{Setting::PrintedRemedies, kProgramKey, u"Druckmittel", SettingKind::Integer,
                      -1, -1, -1, 9999,
                      u"How many remedies of the ranking are printed, 0 all; absent: the first print of "
                      u"more than 30 asks and stores the answer"},
    SettingDefinition{Setting::RemedyListsByGrade, kProgramKey, u"MittellisteNachGrad", SettingKind::Flag,
                      0, 0, 0, 1, u"Remedy lists in tips by grade, then name; 0 as the repertory stores them"},
    SettingDefinition{Setting::PracticeServer, kProgramKey, u"Praxisserver", SettingKind::Text,
                      0, 0, 0, 0,
                      u"Address of the case history on a practice server, postgresql://user@host/database, "
                      u"never with a password (that is kept in the desktop's keyring); empty keeps the history "
                      u"in the practice folder"},
    SettingDefinition{Setting::SymptomTreeAlphabetical, kProgramKey, u"SymptombaumAlphabetisch", SettingKind::Flag,
                      0, 0, 0, 1,
                      u"Each level of the symptom tree in German alphabetical order; 0 in the repertory's order"},
};
// clang-format on

QString sectionOf(const SettingDefinition& definition) {
    return definition.section.toString();
}

bool writeEach(SettingsStore& store, std::initializer_list<std::pair<Setting, int>> values) {
    bool allWritten = true;
    for (const auto& [setting, value] : values)
        allWritten = writeSetting(store, setting, value) && allWritten;
    return allWritten;
}

} // namespace

std::span<const SettingDefinition> settingDefinitions() {
    return kDefinitions;
}

const SettingDefinition& settingDefinition(Setting setting) {
    const auto found = std::find_if(kDefinitions.begin(), kDefinitions.end(),
                                    [setting](const SettingDefinition& d) { return d.setting == setting; });
    Q_ASSERT(found != kDefinitions.end());
    return *found;
}

QString settingName(Setting setting) {
    return settingDefinition(setting).name.toString();
}

int settingInRange(const SettingDefinition& definition, int storedValue, int defaultValue) {
    switch (definition.kind) {
    case SettingKind::Flag:
        return storedValue != 0 ? 1 : 0;
    case SettingKind::Choice:
        return storedValue >= definition.minimum && storedValue <= definition.maximum ? storedValue
                                                                                      : defaultValue;
    case SettingKind::Integer:
        return std::clamp(storedValue, definition.minimum, definition.maximum);
    case SettingKind::Text:
        break;
    }
    return defaultValue;
}

int readSetting(const SettingsStore& store, Setting setting) {
    const SettingDefinition& definition = settingDefinition(setting);
    const int stored =
        store.readInt(sectionOf(definition), definition.name.toString(), definition.defaultValue);
    return settingInRange(definition, stored, definition.defaultValue);
}

int readSettingForDialog(const SettingsStore& store, Setting setting) {
    const SettingDefinition& definition = settingDefinition(setting);
    const int stored =
        store.readInt(sectionOf(definition), definition.name.toString(), definition.settingsDialogDefault);
    return settingInRange(definition, stored, definition.settingsDialogDefault);
}

bool writeSetting(SettingsStore& store, Setting setting, int value) {
    const SettingDefinition& definition = settingDefinition(setting);
    return store.writeInt(sectionOf(definition), definition.name.toString(), value);
}

QString readTextSetting(const SettingsStore& store, Setting setting) {
    const SettingDefinition& definition = settingDefinition(setting);
    return store.readString(sectionOf(definition), definition.name.toString(), QString());
}

bool writeTextSetting(SettingsStore& store, Setting setting, const QString& value) {
    const SettingDefinition& definition = settingDefinition(setting);
    return store.writeString(sectionOf(definition), definition.name.toString(), value);
}

namespace {

template <typename ReadInt>
MainSettings readMainSettingsWith(const SettingsStore& store, ReadInt readInt) {
    MainSettings settings;
    settings.polarityHandling = readInt(Setting::PolarityHandling);
    settings.askBeforeQuit = readInt(Setting::AskBeforeQuit) != 0;
    settings.askBeforeQuitByCloseBox = readInt(Setting::AskBeforeQuitByCloseBox) != 0;
    settings.askBeforeDelete = readInt(Setting::AskBeforeDelete) != 0;
    settings.jumpToEnd = readInt(Setting::JumpToEnd) != 0;
    settings.keepColumnWidths = readInt(Setting::KeepColumnWidths) != 0;
    settings.escapeClearsCase = readInt(Setting::EscapeClearsCase) != 0;
    settings.noGreyInPrint = readInt(Setting::NoGreyInPrint) != 0;
    settings.fontName = readTextSetting(store, Setting::FontName);
    settings.fontSize = readInt(Setting::FontSize);
    settings.remedyListsByGrade = readInt(Setting::RemedyListsByGrade) != 0;
    settings.symptomTreeAlphabetical = readInt(Setting::SymptomTreeAlphabetical) != 0;
    return settings;
}

} // namespace

MainSettings readMainSettings(const SettingsStore& store) {
    return readMainSettingsWith(store, [&store](Setting setting) { return readSetting(store, setting); });
}

EditableSettings readEditableSettings(const SettingsStore& store) {
    EditableSettings settings;
    settings.main = readMainSettingsWith(
        store, [&store](Setting setting) { return readSettingForDialog(store, setting); });
    settings.startDelay = readSettingForDialog(store, Setting::StartDelay);
    return settings;
}

bool writeEditableSettings(SettingsStore& store, const EditableSettings& settings) {
    const MainSettings& main = settings.main;
    bool allWritten = writeEach(store, {
                                           {Setting::StartDelay, settings.startDelay},
                                           {Setting::PolarityHandling, main.polarityHandling},
                                           {Setting::AskBeforeQuit, main.askBeforeQuit},
                                           {Setting::AskBeforeQuitByCloseBox, main.askBeforeQuitByCloseBox},
                                           {Setting::AskBeforeDelete, main.askBeforeDelete},
                                           {Setting::JumpToEnd, main.jumpToEnd},
                                           {Setting::KeepColumnWidths, main.keepColumnWidths},
                                           {Setting::EscapeClearsCase, main.escapeClearsCase},
                                       });
    allWritten = writeTextSetting(store, Setting::FontName, main.fontName) && allWritten;
    allWritten = writeEach(store,
                           {
                               {Setting::FontSize, main.fontSize},
                               {Setting::NoGreyInPrint, main.noGreyInPrint},
                               {Setting::RemedyListsByGrade, main.remedyListsByGrade},
                               {Setting::SymptomTreeAlphabetical, main.symptomTreeAlphabetical},
                           }) &&
                 allWritten;
    return allWritten;
}

NextStartSettings readNextStartSettings(const SettingsStore& store) {
    return {readTextSetting(store, Setting::Repertory), readTextSetting(store, Setting::PracticeFolder),
            readTextSetting(store, Setting::PracticeServer)};
}

bool writeNextStartSettings(SettingsStore& store, const NextStartSettings& before,
                            const NextStartSettings& after) {
    bool allWritten = true;
    if (after.repertory != before.repertory)
        allWritten = writeTextSetting(store, Setting::Repertory, after.repertory) && allWritten;
    if (after.practiceFolder != before.practiceFolder)
        allWritten = writeTextSetting(store, Setting::PracticeFolder, after.practiceFolder) && allWritten;
    if (after.practiceServer != before.practiceServer)
        allWritten = writeTextSetting(store, Setting::PracticeServer, after.practiceServer) && allWritten;
    return allWritten;
}

MainSettings applyConfirmedSettings(const MainSettings& held, const EditableSettings& confirmed) {
    MainSettings result = confirmed.main;
    result.noGreyInPrint = held.noGreyInPrint;
    return result;
}

bool tableFontChanged(const MainSettings& held, const EditableSettings& confirmed) {
    return held.fontName != confirmed.main.fontName || held.fontSize != confirmed.main.fontSize;
}

std::optional<TableFont> TableFont::fromSettings(const MainSettings& settings) {
    if (!settings.fontName.isEmpty())
        return create(settings.fontName, settings.fontSize);
    if (drawnPixelHeight(settings.fontSize) <= legibleMinimumPixelHeight())
        return std::nullopt;
    return create(QGuiApplication::font().family(), settings.fontSize);
}

std::optional<TableFont> TableFont::create(const QString& face, int pixelHeight) {
    if (face.isEmpty())
        return std::nullopt;
    const int height = drawnPixelHeight(pixelHeight);
    QFont font(face);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    font.setPixelSize(height);
    return TableFont(font, height);
}

int TableFont::legibleMinimumPixelHeight() {
    return std::max(QFontInfo(QGuiApplication::font()).pixelSize(), 1);
}

int TableFont::drawnPixelHeight(int requested) {
    return std::clamp(requested, legibleMinimumPixelHeight(), kMaximumPixelHeight);
}

} // namespace telvarin
