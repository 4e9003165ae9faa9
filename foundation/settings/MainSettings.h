#pragma once

// Every preference the program keeps, with its place in the settings store, its default and its
// meaning, and the in-memory copy the case input window holds for the whole run.

#include <QFont>
#include <QString>
#include <QStringView>
#include <optional>
#include <span>

namespace telvarin {

class SettingsStore;

// How a stored value is taken: a choice outside its range falls back to the default, an integer is
// brought into its range, any non-zero flag counts as 1.
enum class SettingKind { Choice, Integer, Flag, Text };

enum class Setting {
    PolarityHandling,
    AskBeforeQuit,
    AskBeforeQuitByCloseBox,
    AskBeforeDelete,
    JumpToEnd,
    KeepColumnWidths,
    EscapeClearsCase,
    NoGreyInPrint,
    FontName,
    FontSize,
    StartDelay,
    HistorySortOrder,
    ResultsRanking,
    CurrentDirectory,
    Repertory,
    PracticeFolder,
    PrintedRemedies,
    RemedyListsByGrade,
    PracticeServer,
    SymptomTreeAlphabetical,
};

struct SettingDefinition {
    Setting setting;
    QStringView section; // "" is the program's own key
    QStringView name;
    SettingKind kind;
    int defaultValue;          // integers and flags; text settings default to the empty string
    int settingsDialogDefault; // the settings dialog reads some values with other defaults
    int minimum;               // the range of a choice or integer
    int maximum;
    QStringView meaning;
};

// The one table of all settings, in the order of the settings table of the program's key.
std::span<const SettingDefinition> settingDefinitions();
const SettingDefinition& settingDefinition(Setting setting);
QString settingName(Setting setting);

// A choice, integer or flag setting as the store holds it, with the default of the table when it
// is absent, and taken into its range as its kind says.
int readSetting(const SettingsStore& store, Setting setting);
// The same with the defaults of the settings dialog.
int readSettingForDialog(const SettingsStore& store, Setting setting);
int settingInRange(const SettingDefinition& definition, int storedValue, int defaultValue);
bool writeSetting(SettingsStore& store, Setting setting, int value);
QString readTextSetting(const SettingsStore& store, Setting setting);
bool writeTextSetting(SettingsStore& store, Setting setting, const QString& value);

// The settings of the program's key that the case input window holds for the whole run.
struct MainSettings {
    int polarityHandling = 1; // 0 counter-polarities immediately, 1 at the end, 2 not at all
    bool askBeforeQuit = true;
    bool askBeforeQuitByCloseBox = true; // kept and edited, not consulted when quitting
    bool askBeforeDelete = true;
    bool jumpToEnd = true;
    bool keepColumnWidths = true; // "Spaltenbreite": save and restore the column widths of all tables
    bool escapeClearsCase = true;
    bool noGreyInPrint = true;
    QString fontName;                     // empty: the tables keep their built-in font
    int fontSize = 1;                     // character height of the table font in pixels
    bool remedyListsByGrade = false;      // tips list remedies by grade, then name; else as stored
    bool symptomTreeAlphabetical = false; // each level of the symptom tree in German order

    bool operator==(const MainSettings&) const = default;
};

// What the settings dialog edits: the held settings plus the start delay, which only the splash
// window uses.
struct EditableSettings {
    MainSettings main;
    int startDelay = 5;

    bool operator==(const EditableSettings&) const = default;
};

// What the settings dialog changes for the next start only: the repertory ("Repertorium": empty,
// "eingebaut" or a data file's path) and the practice folder ("Praxisordner").
struct NextStartSettings {
    QString repertory;
    QString practiceFolder;
    QString practiceServer; // its address without password; empty: the history in the practice folder

    bool operator==(const NextStartSettings&) const = default;
};

NextStartSettings readNextStartSettings(const SettingsStore& store);
// Writes the values that differ from before; true when all of those were written.
bool writeNextStartSettings(SettingsStore& store, const NextStartSettings& before,
                            const NextStartSettings& after);

// Read at the start of the case input window, polarity handling defaulting to 1.
MainSettings readMainSettings(const SettingsStore& store);

// Read each time the settings dialog opens, straight from the store; polarity handling defaults
// to 0 here.
EditableSettings readEditableSettings(const SettingsStore& store);

// Writes the thirteen values of a confirmed settings dialog in their fixed order; true when all of
// them were written. A failed write does not stop the others.
bool writeEditableSettings(SettingsStore& store, const EditableSettings& settings);

// The held settings after the settings dialog was confirmed. "KeinGrauBeimDruck" keeps its value
// until the next start; everything else is taken over.
MainSettings applyConfirmedSettings(const MainSettings& held, const EditableSettings& confirmed);

// Whether a confirmed dialog asks for a new table font (exact, case-sensitive comparison).
bool tableFontChanged(const MainSettings& held, const EditableSettings& confirmed);

// The font of every table and tree: the chosen face at a character height in pixels, normal
// weight, upright, proportional sans-serif as the fallback family.
class TableFont {
public:
    // Nothing while neither a face nor a size above the built-in font's is chosen: the tables
    // then keep their built-in font. A size without a face gives the built-in face at that size.
    static std::optional<TableFont> fromSettings(const MainSettings& settings);
    static std::optional<TableFont> create(const QString& face, int pixelHeight);

    const QFont& font() const { return font_; }
    QString face() const { return font_.family(); }
    // The height drawn: the one asked for, but never below the window font's, so that a size of 0
    // (a non-numeric entry) or 1 (the size absent) still gives a legible table.
    int pixelHeight() const { return pixelHeight_; }
    static int legibleMinimumPixelHeight();
    static int drawnPixelHeight(int requested);

    // Heights beyond this are taken as this: no screen shows a larger character in a table row.
    static constexpr int kMaximumPixelHeight = 500;

private:
    TableFont(QFont font, int pixelHeight) : font_(std::move(font)), pixelHeight_(pixelHeight) {}

    QFont font_;
    int pixelHeight_;
};

} // namespace telvarin
