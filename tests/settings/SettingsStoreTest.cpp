#include "foundation/settings/SettingsStore.h"

#include "foundation/settings/MainSettings.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <limits>
#include <memory>

using namespace telvarin;

namespace {

const QString kPolarity = QStringLiteral("PolaritätenHandhabung");
const QString kStartDelay = QStringLiteral("Startverzögerung");

} // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString iniPath() const { return dir_.filePath(QStringLiteral("OrvandWCE.ini")); }

    // Both stores, so that each behaviour is checked on the store of the program and on the one of
    // the tests alike.
    std::unique_ptr<SettingsStore> makeStore(const QString& kind) {
        if (kind == QLatin1String("qsettings"))
            return std::make_unique<QSettingsStore>(iniPath());
        return std::make_unique<MemorySettingsStore>();
    }

    void storeKinds() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("memory") << QStringLiteral("memory");
        QTest::newRow("qsettings") << QStringLiteral("qsettings");
    }

private slots:
    void init() { QFile::remove(iniPath()); }

    void emptyStoreGivesTheDefaults() {
        const MemorySettingsStore store;
        const MainSettings atStart = readMainSettings(store);
        QCOMPARE(atStart.polarityHandling, 1);
        QVERIFY(atStart.askBeforeQuit && atStart.askBeforeQuitByCloseBox && atStart.askBeforeDelete);
        QVERIFY(atStart.jumpToEnd && atStart.keepColumnWidths && atStart.escapeClearsCase &&
                atStart.noGreyInPrint);
        QVERIFY(atStart.fontName.isEmpty());
        QCOMPARE(atStart.fontSize, 1);
        QVERIFY(!TableFont::fromSettings(atStart).has_value());

        // The settings dialog reads the same store with polarity handling 0.
        const EditableSettings inDialog = readEditableSettings(store);
        QCOMPARE(inDialog.main.polarityHandling, 0);
        QCOMPARE(inDialog.startDelay, 5);
        MainSettings sameOtherwise = inDialog.main;
        sameOtherwise.polarityHandling = 1;
        QCOMPARE(sameOtherwise, atStart);
        QCOMPARE(readTextSetting(store, Setting::CurrentDirectory), QString());
        QCOMPARE(readSetting(store, Setting::HistorySortOrder), 1);
        QCOMPARE(readSetting(store, Setting::ResultsRanking), 0);
    }

    void definitionsNameEveryValueOnce() {
        QSet<QString> names;
        for (const SettingDefinition& definition : settingDefinitions()) {
            QVERIFY(!names.contains(definition.name.toString()));
            names.insert(definition.name.toString());
            QCOMPARE(&settingDefinition(definition.setting), &definition);
        }
        QCOMPARE(names.size(), 20);
        QCOMPARE(settingName(Setting::PolarityHandling), kPolarity);
        QCOMPARE(settingName(Setting::StartDelay), kStartDelay);
        QCOMPARE(settingDefinition(Setting::CurrentDirectory).section, QStringView(u"Settings"));
    }

    void valuesRoundTrip_data() { storeKinds(); }
    void valuesRoundTrip() {
        QFETCH(QString, kind);
        {
            auto store = makeStore(kind);
            QVERIFY(store->writeInt(QString(), kPolarity, 2));
            QVERIFY(store->writeInt(QString(), kStartDelay, 0));
            QVERIFY(store->writeInt(QStringLiteral("Dialog\\Eingabe"), QStringLiteral("(check)"), -32640));
            QVERIFY(store->writeInt(QStringLiteral("Dialog\\Eingabe"), QStringLiteral("Left"),
                                    std::numeric_limits<int>::min()));
            QVERIFY(store->writeInt(QStringLiteral("Spalten\\Textsuche"), QStringLiteral("Col0"),
                                    std::numeric_limits<int>::max()));
            QVERIFY(
                store->writeString(QString(), QStringLiteral("FontName"), QStringLiteral("Lucida Größe, 1")));
            QVERIFY(store->writeString(QStringLiteral("Settings"), QStringLiteral("Current Directory"),
                                       QStringLiteral("C:\\Fälle\\")));
            QVERIFY(store->writeString(QString(), QStringLiteral("Leer"), QString()));
        }
        // A new store over the same file sees what the first one wrote.
        const auto store = makeStore(kind);
        if (kind == QLatin1String("memory"))
            return; // nothing survives a memory store; its round trip is checked below
        QCOMPARE(store->readInt(QString(), kPolarity, -1), 2);
        QCOMPARE(store->readInt(QString(), kStartDelay, -1), 0);
        QCOMPARE(store->readInt(QStringLiteral("Dialog/Eingabe"), QStringLiteral("(check)"), 0), -32640);
        QCOMPARE(store->readInt(QStringLiteral("Dialog\\Eingabe"), QStringLiteral("Left"), 0),
                 std::numeric_limits<int>::min());
        QCOMPARE(store->readInt(QStringLiteral("Spalten\\Textsuche"), QStringLiteral("Col0"), 0),
                 std::numeric_limits<int>::max());
        QCOMPARE(store->readString(QString(), QStringLiteral("FontName")), QStringLiteral("Lucida Größe, 1"));
        QCOMPARE(store->readString(QStringLiteral("Settings"), QStringLiteral("Current Directory")),
                 QStringLiteral("C:\\Fälle\\"));
        QCOMPARE(store->readString(QString(), QStringLiteral("Leer"), QStringLiteral("x")), QString());
        // Sections are separate: the same name elsewhere is absent.
        QCOMPARE(store->readInt(QStringLiteral("Dialog\\Textsuche"), QStringLiteral("Left"), 7), 7);
        QCOMPARE(store->readInt(QString(), QStringLiteral("Left"), 7), 7);
    }

    void programStoreKeepsItsValuesBetweenRuns() {
        // The native store of the program, redirected by the test mode away from the user's own.
        QStandardPaths::setTestModeEnabled(true);
        {
            QSettingsStore store;
            QVERIFY(store.writeInt(QStringLiteral("Dialog\\Eingabe"), QStringLiteral("(check)"), 32639));
            QVERIFY(store.writeInt(QString(), kStartDelay, 5));
        }
        {
            QSettingsStore store;
            QCOMPARE(store.readInt(QStringLiteral("Dialog\\Eingabe"), QStringLiteral("(check)"), 0), 32639);
            QCOMPARE(store.readInt(QString(), kStartDelay, -1), 5);
        }
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Kesto"),
                  QStringLiteral("OrvandWCE"))
            .clear();
        QStandardPaths::setTestModeEnabled(false);
    }

    void memoryStoreRoundTrip() {
        MemorySettingsStore store;
        QVERIFY(store.writeInt(QStringLiteral("Dialog\\Eingabe"), kPolarity, -5));
        QVERIFY(store.writeString(QStringLiteral("Spalten\\Textsuche"), kStartDelay, QStringLiteral("ä")));
        QCOMPARE(store.readInt(QStringLiteral("Dialog/Eingabe"), kPolarity, 0), -5);
        QCOMPARE(store.readString(QStringLiteral("Spalten\\Textsuche"), kStartDelay), QStringLiteral("ä"));
        QVERIFY(store.contains(QStringLiteral("Dialog\\Eingabe"), kPolarity));
        QVERIFY(!store.contains(QStringLiteral("Dialog\\Eingabe"), kStartDelay));
    }

    void textWhereAnIntegerIsExpectedReadsAsTheDefault_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("memory, digits") << QStringLiteral("memory") << QStringLiteral("12");
        QTest::newRow("memory, word") << QStringLiteral("memory") << QStringLiteral("zwölf");
        QTest::newRow("qsettings, word") << QStringLiteral("qsettings") << QStringLiteral("zwölf");
        QTest::newRow("qsettings, empty") << QStringLiteral("qsettings") << QString();
        QTest::newRow("qsettings, beyond 32 bits")
            << QStringLiteral("qsettings") << QStringLiteral("4294967296");
        QTest::newRow("qsettings, hexadecimal") << QStringLiteral("qsettings") << QStringLiteral("0x10");
        QTest::newRow("qsettings, padded") << QStringLiteral("qsettings") << QStringLiteral(" 7");
    }
    void textWhereAnIntegerIsExpectedReadsAsTheDefault() {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        auto store = makeStore(kind);
        QVERIFY(store->writeString(QString(), QStringLiteral("FontSize"), text));
        QCOMPARE(store->readInt(QString(), QStringLiteral("FontSize"), 1), 1);
        QCOMPARE(readMainSettings(*store).fontSize, 1);
    }

    void integerStoredAsTextInTheConfigurationFileIsRead() {
        // The configuration file keeps no types: a number written by hand is a number.
        {
            QSettings file(iniPath(), QSettings::IniFormat);
            file.setValue(QStringLiteral("FontSize"), QStringLiteral("-12"));
        }
        const QSettingsStore store(iniPath());
        QCOMPARE(store.readInt(QString(), QStringLiteral("FontSize"), 1), -12);
    }

    void integerWhereTextIsExpectedReadsAsTheDefault() {
        MemorySettingsStore store;
        QVERIFY(store.writeInt(QString(), QStringLiteral("FontName"), 3));
        QCOMPARE(readMainSettings(store).fontName, QString());
    }

    void unwritableStoreReportsFailedWrites() {
        QSettingsStore store(QStringLiteral("/dev/null/kein/Ordner.ini"));
        QVERIFY(!store.writeInt(QString(), kStartDelay, 5));
        QVERIFY(!store.writeString(QString(), QStringLiteral("FontName"), QStringLiteral("Arial")));
        QCOMPARE(store.readInt(QString(), QStringLiteral("Unbekannt"), 4), 4);
    }

    void storedValuesOutsideTheirRange() {
        MemorySettingsStore store;
        store.writeInt(QString(), kPolarity, 7);
        store.writeInt(QString(), kStartDelay, 100000);
        store.writeInt(QString(), QStringLiteral("FragenBeimBeenden"), 5);
        store.writeInt(QString(), QStringLiteral("SprungEnde"), 0);
        store.writeInt(QString(), QStringLiteral("FontSize"), -4);
        const MainSettings atStart = readMainSettings(store);
        QCOMPARE(atStart.polarityHandling, 1); // an unknown mode is the default mode
        QVERIFY(atStart.askBeforeQuit);        // any non-zero flag is on
        QVERIFY(!atStart.jumpToEnd);
        QCOMPARE(atStart.fontSize, 0); // a negative height asks for the default height
        const EditableSettings inDialog = readEditableSettings(store);
        QCOMPARE(inDialog.main.polarityHandling, 0);
        QCOMPARE(inDialog.startDelay, 10);
    }

    void confirmedSettingsAreWrittenInOrderAndReadBack() {
        EditableSettings edited;
        edited.startDelay = 3;
        edited.main.polarityHandling = 2;
        edited.main.askBeforeQuit = false;
        edited.main.askBeforeDelete = false;
        edited.main.keepColumnWidths = false;
        edited.main.noGreyInPrint = false;
        edited.main.fontName = QStringLiteral("DejaVu Sans");
        edited.main.fontSize = 12;

        MemorySettingsStore store;
        QVERIFY(writeEditableSettings(store, edited));
        QCOMPARE(store.valueCount(), 13);
        QCOMPARE(readEditableSettings(store), edited);

        // The start delay and the polarity handling go first.
        MemorySettingsStore breaking;
        breaking.failWritesAfter(2);
        QVERIFY(!writeEditableSettings(breaking, edited));
        QCOMPARE(breaking.valueCount(), 2);
        QVERIFY(breaking.contains(QString(), kStartDelay));
        QVERIFY(breaking.contains(QString(), kPolarity));
    }

    void confirmedSettingsAreTakenOver() {
        MainSettings held;
        EditableSettings confirmed;
        confirmed.main.polarityHandling = 0;
        confirmed.main.escapeClearsCase = false;
        confirmed.main.noGreyInPrint = false;
        confirmed.main.fontName = QStringLiteral("Arial");
        const MainSettings after = applyConfirmedSettings(held, confirmed);
        QCOMPARE(after.polarityHandling, 0);
        QVERIFY(!after.escapeClearsCase);
        QVERIFY(after.noGreyInPrint); // only at the next start
        QCOMPARE(after.fontName, QStringLiteral("Arial"));

        QVERIFY(tableFontChanged(held, confirmed));
        held.fontName = QStringLiteral("arial");
        QVERIFY(tableFontChanged(held, confirmed)); // the comparison is case-sensitive
        held.fontName = QStringLiteral("Arial");
        QVERIFY(!tableFontChanged(held, confirmed));
        confirmed.main.fontSize = 12;
        QVERIFY(tableFontChanged(held, confirmed));
    }

    void tableFont() {
        MemorySettingsStore store;
        store.writeString(QString(), QStringLiteral("FontName"), QStringLiteral("DejaVu Sans"));
        // The size absent asks for a font one pixel high; it is drawn at the legible minimum.
        const std::optional<TableFont> tiny = TableFont::fromSettings(readMainSettings(store));
        QVERIFY(tiny.has_value());
        QCOMPARE(tiny->face(), QStringLiteral("DejaVu Sans"));
        const int legible = QFontInfo(QGuiApplication::font()).pixelSize();
        QVERIFY(legible >= 8);
        QCOMPARE(tiny->font().pixelSize(), legible);
        QCOMPARE(tiny->font().weight(), QFont::Normal);
        QCOMPARE(tiny->font().styleHint(), QFont::SansSerif);
        QVERIFY(!tiny->font().italic() && !tiny->font().underline() && !tiny->font().strikeOut());

        const std::optional<TableFont> twelve = TableFont::create(QStringLiteral("DejaVu Sans"), 12);
        QCOMPARE(twelve->font().pixelSize(), 12);
        const std::optional<TableFont> systemHeight = TableFont::create(QStringLiteral("DejaVu Sans"), 0);
        QCOMPARE(systemHeight->pixelHeight(), legible);
        QCOMPARE(systemHeight->font().pixelSize(), legible);
        const std::optional<TableFont> huge = TableFont::create(QStringLiteral("DejaVu Sans"), 1 << 30);
        QCOMPARE(huge->font().pixelSize(), TableFont::kMaximumPixelHeight);
        QVERIFY(!TableFont::create(QString(), 12).has_value());
    }
};

QTEST_MAIN(SettingsStoreTest)
#include "SettingsStoreTest.moc"
