#include "history/HistoryFile.h"

#include "history/HistoryReader.h"
#include "history/HistoryWriter.h"
#include "tests/history/HistoryTestSupport.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <random>

namespace telvarin {
namespace {

using telvarin::testing::freshTestFolder;
using telvarin::testing::readBytes;
using telvarin::testing::RecordingReporter;
using telvarin::testing::writeBytes;

Treatment treatment(std::string stamp, std::string comment, std::vector<SymptomRef> symptoms,
                    std::int32_t preferred = 0) {
    return Treatment{std::move(stamp), Windows1252Text(std::move(comment)), preferred, std::move(symptoms)};
}

CaseHistory sampleHistory() {
    CaseHistory history;
    history.cases.push_back(HistoryCase{"M\xFCller \"Hans\""_w1252,
                                        {treatment("07.03.2004 09:05", "erste\r\nZeile", {{12, 0}, {-5, 3}}),
                                         treatment("08.03.2004 10:00", "", {}, -2)}});
    history.cases.push_back(HistoryCase{""_w1252, {}});
    return history;
}

const std::string kSampleText = "<Fallhistorie AnzahlFaelle=\"2\">\r\n"
                                "\t<Fall Name=\"M\xFC"
                                "ller .''Hans.''\" AnzahlBehandlungen=\"2\">\r\n"
                                "\t\t<Behandlung Datum=\"07.03.2004 09:05\" Kommentar=\"erste\r\r\nZeile\" "
                                "Preferiert=\"0\" AnzahlSymptome=\"2\">\r\n"
                                "\t\t\t<Symptom Nummer=\"12\"/>\r\n"
                                "\t\t\t<Symptom Nummer=\"-5\" BD=\"3\"/>\r\n"
                                "\t\t</Behandlung>\r\n"
                                "\t\t<Behandlung Datum=\"08.03.2004 10:00\" Kommentar=\"\" Preferiert=\"-2\" "
                                "AnzahlSymptome=\"0\">\r\n"
                                "\t\t</Behandlung>\r\n"
                                "\t</Fall>\r\n"
                                "\t<Fall Name=\"\" AnzahlBehandlungen=\"0\">\r\n"
                                "\t</Fall>\r\n"
                                "</Fallhistorie>\r\n";

std::string syntaxErrorOf(const std::string& text) {
    try {
        readHistoryText(text);
    } catch (const TokenizerError& error) {
        return error.message();
    }
    return "no error";
}

TEST(HistoryWriter, WritesTheLayoutByteForByte) {
    EXPECT_EQ(composeHistoryText(sampleHistory()), kSampleText);
    EXPECT_EQ(composeHistoryText(CaseHistory{}), "<Fallhistorie AnzahlFaelle=\"0\">\r\n</Fallhistorie>\r\n");
}

TEST(HistoryReader, ReadsWhatTheWriterWrote) {
    EXPECT_EQ(readHistoryText(kSampleText), sampleHistory().cases);
    EXPECT_TRUE(readHistoryText(composeHistoryText(CaseHistory{})).empty());
}

TEST(HistoryWriter, WeightsAndPrescriptionsStandOnlyWhereTheyHoldSomething) {
    CaseHistory history;
    Treatment prescribed = treatment("09.03.2004 11:00", "", {{12, 0, 3}, {-5, 2, 0}, {7, 0, 1}});
    prescribed.prescription = {"nux-v."_w1252, "C30"_w1252, "abends \"2\" Globuli\r\nbis Montag"_w1252};
    Treatment bare = treatment("10.03.2004 11:00", "", {{8, 0, 1}});
    bare.prescription = {""_w1252, "LM6"_w1252, ""_w1252};
    history.cases.push_back(HistoryCase{"Anna"_w1252, {prescribed, bare}});
    const std::string text = composeHistoryText(history);
    EXPECT_NE(text.find("Preferiert=\"0\" AnzahlSymptome=\"3\" Mittel=\"nux-v.\" Potenz=\"C30\" "
                        "Notiz=\"abends .''2.'' Globuli\r\r\nbis Montag\">\r\n"
                        "\t\t\t<Symptom Nummer=\"12\" Gewicht=\"3\"/>\r\n"
                        "\t\t\t<Symptom Nummer=\"-5\" BD=\"2\" Gewicht=\"0\"/>\r\n"
                        "\t\t\t<Symptom Nummer=\"7\"/>\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("AnzahlSymptome=\"1\" Mittel=\"\" Potenz=\"LM6\" Notiz=\"\">"), std::string::npos);
    EXPECT_EQ(readHistoryText(text), history.cases);
    CaseHistory reread;
    reread.cases = readHistoryText(text);
    EXPECT_EQ(composeHistoryText(reread), text);
    // Read in any letter case; the weight needs its name, the prescription all three.
    EXPECT_EQ(readHistoryText("<fallhistorie anzahlfaelle=\"1\"><fall name=\"A\" anzahlbehandlungen=\"1\">"
                              "<behandlung datum=\"\" kommentar=\"\" preferiert=\"0\" anzahlsymptome=\"1\" "
                              "MITTEL=\"sep.\" potenz=\"\" notiz=\"\"><symptom nummer=\"3\" gewicht=\"2\"/>"
                              "</behandlung></fall></fallhistorie>")[0]
                  .treatments[0],
              (Treatment{"", ""_w1252, 0, {{3, 0, 2}}, {"sep."_w1252, ""_w1252, ""_w1252}}));
    EXPECT_NE(syntaxErrorOf("<Fallhistorie AnzahlFaelle=\"1\"><Fall Name=\"A\" AnzahlBehandlungen=\"1\">"
                            "<Behandlung Datum=\"\" Kommentar=\"\" Preferiert=\"0\" AnzahlSymptome=\"0\" "
                            "Mittel=\"sep.\"></Behandlung></Fall></Fallhistorie>"),
              "no error");
    EXPECT_NE(
        syntaxErrorOf("<Fallhistorie AnzahlFaelle=\"1\"><Fall Name=\"A\" AnzahlBehandlungen=\"1\">"
                      "<Behandlung Datum=\"\" Kommentar=\"\" Preferiert=\"0\" AnzahlSymptome=\"1\">"
                      "<Symptom Nummer=\"3\" Gewicht=\"2\" BD=\"1\"/></Behandlung></Fall></Fallhistorie>"),
        "no error");
}

TEST(HistoryReader, TextsSurviveAWriteAndARead) {
    const std::vector<std::string> texts = {"\"'",
                                            "'\"",
                                            "a.'b",
                                            ".''",
                                            "..'",
                                            "Sch\xE4"
                                            "fer \xD6l \xDF",
                                            "<Fall>=\"x\"",
                                            "a & b",
                                            "\r\n",
                                            "eins\r\nzwei",
                                            "",
                                            " f\xFChrende Leerzeichen ",
                                            "\t\x01\x7F\xFF",
                                            "--> .'' <!--"};
    CaseHistory history;
    for (const std::string& name : texts) {
        HistoryCase c{Windows1252Text(name), {}};
        for (const std::string& comment : texts)
            c.treatments.push_back(treatment(name.size() < 3 ? "01.02.2003 04:05" : name, comment, {{1, 2}}));
        history.cases.push_back(c);
    }
    EXPECT_EQ(readHistoryText(composeHistoryText(history)), history.cases);
}

TEST(HistoryReader, RandomTextsSurviveAWriteAndARead) {
    // Any bytes but lone line-break characters: the file keeps only CR LF pairs (text mode) and
    // the last CR of a run.
    const std::string alphabet = std::string("ab.'\"<>=/ \t\xE4\xDF&") + '\0';
    std::mt19937 random(4);
    CaseHistory history;
    for (int c = 0; c < 200; ++c) {
        auto text = [&] {
            std::string t;
            const int length = static_cast<int>(random() % 12);
            for (int i = 0; i < length; ++i)
                t += random() % 10 == 0 ? std::string("\r\n")
                                        : std::string(1, alphabet[random() % alphabet.size()]);
            return t;
        };
        history.cases.push_back(HistoryCase{Windows1252Text(text()), {treatment(text(), text(), {{-7, 1}})}});
    }
    EXPECT_EQ(readHistoryText(composeHistoryText(history)), history.cases);
}

TEST(HistoryReader, AcceptsFreeWhitespaceLetterCaseAndBdZero) {
    const std::string text =
        "  < fallhistorie\r\nanzahlfaelle = \"1\" >"
        "<FALL NAME=\"x\"ANZAHLBEHANDLUNGEN=\" 1\">"
        "<behandlung datum=\"d\" kommentar=\"\" preferiert=\"+7abc\" anzahlsymptome=\"2\">"
        "<Symptom Nummer=\"12\" bd=\"0\" / >"
        "<Symptom Nummer=\"-26564\"/>"
        "</Behandlung></Fall>< / Fallhistorie > \r\n";
    const std::vector<HistoryCase> cases = readHistoryText(text);
    ASSERT_EQ(cases.size(), 1u);
    EXPECT_EQ(cases[0].name, "x"_w1252);
    ASSERT_EQ(cases[0].treatments.size(), 1u);
    EXPECT_EQ(cases[0].treatments[0].preferred, 7);
    EXPECT_EQ(cases[0].treatments[0].symptoms, (std::vector<SymptomRef>{{12, 0}, {-26564, 0}}));
}

TEST(HistoryReader, RejectsWhatTheWriterNeverWrites) {
    const std::string start = "<Fallhistorie AnzahlFaelle=\"1\">\r\n";
    const std::string treatmentStart = "<Fall Name=\"x\" AnzahlBehandlungen=\"1\"><Behandlung Datum=\"d\" "
                                       "Kommentar=\"\" Preferiert=\"0\" AnzahlSymptome=";
    // More symptoms counted than written: the end tag is where it breaks.
    EXPECT_EQ(
        syntaxErrorOf(start + treatmentStart + "\"2\">\r\n<Symptom Nummer=\"1\"/>\r\n</Behandlung>\r\n"),
        "Syntax Error in Datei: \nZeile: 4 Spalte: 3 Erwartet: IDS_Identifier\n");
    EXPECT_NE(syntaxErrorOf("<?xml version=\"1.0\"?>" + start), "no error");
    EXPECT_NE(syntaxErrorOf("\xEF\xBB\xBF" + start + "</Fallhistorie>"), "no error");
    EXPECT_NE(syntaxErrorOf("<Fallhistorie AnzahlFaelle=\"0\" Extra=\"1\"></Fallhistorie>"), "no error");
    EXPECT_NE(syntaxErrorOf(start + "<Fall AnzahlBehandlungen=\"0\"></Fall></Fallhistorie>"), "no error");
    EXPECT_NE(syntaxErrorOf(start + "<Fall Name=\"x\" AnzahlBehandlungen=\"0\"></Fall>"), "no error");
    EXPECT_NE(syntaxErrorOf(start + "<!-- x --></Fallhistorie>"), "no error");
    EXPECT_NE(syntaxErrorOf(start + treatmentStart + "\"1\"><Symptom Nummer=\"1\" XY=\"2\"/>"), "no error");
    EXPECT_NE(syntaxErrorOf(""), "no error");
    // Two histories joined into one file: the second must not be dropped by the next filing.
    EXPECT_EQ(syntaxErrorOf(kSampleText + kSampleText),
              "Syntax Error in Datei: \nZeile: 14 Spalte: 2 Erwartet: Dateiende\n");
    EXPECT_EQ(readHistoryText(kSampleText + " \t\r\n").size(), 2u);
}

TEST(HistoryReader, AFileCutOffAnywhereBeforeItsLastCaseSaysItEndsEarly) {
    const std::string whole =
        "<Fallhistorie AnzahlFaelle=\"1\">\r\n\t<Fall Name=\"A\" AnzahlBehandlungen=\"1\">\r\n"
        "\t\t<Behandlung Datum=\"07.12.2026 12:02\" Kommentar=\"k\" Preferiert=\"0\" "
        "AnzahlSymptome=\"1\">\r\n\t\t\t<Symptom Nummer=\"12\"/>\r\n\t\t</Behandlung>\r\n"
        "\t</Fall>\r\n</Fallhistorie>\r\n";
    for (std::size_t cut = 1; cut < whole.find("</Fall>"); ++cut)
        EXPECT_NE(syntaxErrorOf(whole.substr(0, cut)).find("Die Datei endet vorzeitig"), std::string::npos)
            << whole.substr(0, cut);
}

TEST(HistoryReader, RejectsCountsAndNumbersBeyondWhatTheInputCanHold) {
    const std::string rest = "\"><Fall Name=\"\" AnzahlBehandlungen=\"0\"></Fall></Fallhistorie>";
    for (const std::string count : {"-1", "99999999999999999999"})
        EXPECT_TRUE(
            syntaxErrorOf("<Fallhistorie AnzahlFaelle=\"" + count + rest).starts_with("Ung\xFCltige Anzahl"))
            << count;
    for (const std::string count : {"2147483647", "3"})
        EXPECT_TRUE(syntaxErrorOf("<Fallhistorie AnzahlFaelle=\"" + count + rest)
                        .starts_with("Die Datei endet vorzeitig"))
            << count;
    // A truncated file says so; a value of megabytes is quoted with 60 characters only.
    EXPECT_TRUE(
        syntaxErrorOf("<Fallhistorie AnzahlFaelle=\"0\"><").ends_with("\nDie Datei endet vorzeitig.\n"));
    const std::string huge =
        syntaxErrorOf("<Fallhistorie AnzahlFaelle=\"-" + std::string(1 << 22, '7') + rest);
    EXPECT_TRUE(huge.ends_with("AnzahlFaelle=\"-" + std::string(59, '7') + "\x85\"\n")) << huge.size();
    const std::string symptom = "<Fallhistorie AnzahlFaelle=\"1\"><Fall Name=\"\" AnzahlBehandlungen=\"1\">"
                                "<Behandlung Datum=\"\" Kommentar=\"\" Preferiert=\"0\" AnzahlSymptome=\"1\">"
                                "<Symptom Nummer=\"";
    EXPECT_TRUE(syntaxErrorOf(symptom + "4294967308\"/>").starts_with("Ung\xFCltige Zahl in Datei: "));
    EXPECT_TRUE(syntaxErrorOf(symptom + "-2147483649\"/>").starts_with("Ung\xFCltige Zahl"));
    EXPECT_NE(syntaxErrorOf("<Fallhistorie AnzahlFaelle=\"1\"><Fall Name=\"\" AnzahlBehandlungen=\"-3\">"),
              "no error");
    // Exactly as many as the bytes allow is still read.
    std::string smallest = "<Fallhistorie AnzahlFaelle=\"1\"><Fall Name=\"\"AnzahlBehandlungen=\"\"></Fall>";
    EXPECT_EQ(readHistoryText(smallest + "</Fallhistorie>").size(), 1u);
}

class HistoryFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = freshTestFolder();
        path = (folder / "historie.xml").string();
    }
    std::filesystem::path folder;
    std::string path;
};

TEST_F(HistoryFileTest, MissingOrEmptyFileIsTheEmptyHistory) {
    RecordingReporter reporter;
    CaseHistory missing = loadHistory(path, &reporter);
    EXPECT_FALSE(missing.loaded);
    EXPECT_FALSE(missing.unreadable);
    EXPECT_EQ(missing.path, path);
    writeBytes(path, "");
    CaseHistory empty = loadHistory(path, &reporter);
    EXPECT_FALSE(empty.loaded);
    EXPECT_FALSE(empty.unreadable);
    EXPECT_TRUE(reporter.shown.empty());
}

TEST_F(HistoryFileTest, SavesAndLoadsTheWholeHistory) {
    CaseHistory history = sampleHistory();
    history.path = path;
    ASSERT_TRUE(saveHistory(history).saved());
    EXPECT_EQ(readBytes(path), kSampleText);
    CaseHistory loaded = loadHistory(path, nullptr);
    EXPECT_TRUE(loaded.loaded);
    EXPECT_FALSE(loaded.unreadable);
    EXPECT_EQ(loaded.cases, history.cases);

    CaseHistory empty;
    empty.path = path;
    ASSERT_TRUE(saveHistory(empty).saved());
    EXPECT_TRUE(loadHistory(path, nullptr).loaded);
    EXPECT_EQ(telvarin::testing::filesIn(folder), std::vector<std::string>{"historie.xml"});
}

TEST_F(HistoryFileTest, DamagedFileIsReportedOnceAndNothingOfItHandedOn) {
    // The first case is whole; the second breaks off.
    writeBytes(path, kSampleText.substr(0, kSampleText.find("\t<Fall Name=\"\"")) + "\t<Fall Nam");
    RecordingReporter reporter;
    CaseHistory history = loadHistory(path, &reporter);
    EXPECT_FALSE(history.loaded);
    EXPECT_TRUE(history.unreadable);
    EXPECT_TRUE(history.cases.empty());
    ASSERT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(reporter.shown[0].rfind("Fehler:\nSyntax Error in Datei: " + path +
                                          "\nZeile: 11 Spalte: 17 Erwartet: IDS_Identifier\n",
                                      0),
              0u)
        << reporter.shown[0];

    writeBytes(path, "<Fallhistorie AnzahlFaelle=\"-1\">");
    reporter.shown.clear();
    EXPECT_TRUE(loadHistory(path, &reporter).unreadable);
    ASSERT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(reporter.shown[0].rfind("Fehler:\nUng\xFCltige Anzahl in Datei: " + path, 0), 0u);
}

TEST_F(HistoryFileTest, NothingIsSavedOverAnUnreadableHistory) {
    const std::string damaged = "<Fallhistorie AnzahlFaelle=\"1\">kaputt";
    writeBytes(path, damaged);
    CaseHistory history = loadHistory(path, nullptr);
    ASSERT_TRUE(history.unreadable);
    history.cases.push_back(HistoryCase{"neu"_w1252, {}});

    const HistorySaveResult saved = saveHistory(history);
    EXPECT_EQ(saved.status, HistorySaveStatus::Refused);
    EXPECT_NE(saved.message.find(path), std::string::npos);
    EXPECT_NE(saved.message.find("nicht gelesen"), std::string::npos);
    EXPECT_EQ(saveHistoryAs(history, (folder / "." / "historie.xml").string()).status,
              HistorySaveStatus::Refused);
    EXPECT_EQ(readBytes(path), damaged);

    // Exporting elsewhere is still allowed and leaves path alone.
    const std::string exported = (folder / "export.xml").string();
    EXPECT_TRUE(saveHistoryAs(history, exported).saved());
    EXPECT_EQ(history.path, path);
    EXPECT_EQ(loadHistory(exported, nullptr).cases, history.cases);
}

TEST_F(HistoryFileTest, InterruptedSaveLeavesTheOldFile) {
    CaseHistory history = sampleHistory();
    history.path = path;
    ASSERT_TRUE(saveHistory(history).saved());
    history.cases.push_back(HistoryCase{"dazu"_w1252, {}});

    FileSystemCalls halfWrite = FileSystemCalls::system();
    bool wroteHalf = false;
    halfWrite.write = [&](int fd, const char* data, std::size_t size) -> long {
        if (wroteHalf) {
            errno = ENOSPC;
            return -1;
        }
        wroteHalf = true;
        return FileSystemCalls::system().write(fd, data, size / 2);
    };
    FileSystemCalls failingSync = FileSystemCalls::system();
    failingSync.sync = [](int) { return -1; };
    FileSystemCalls failingRename = FileSystemCalls::system();
    failingRename.rename = [](const char*, const char*) { return -1; };

    for (const FileSystemCalls* calls : {&halfWrite, &failingSync, &failingRename}) {
        const HistorySaveResult saved = saveHistory(history, *calls);
        EXPECT_EQ(saved.status, HistorySaveStatus::WriteFailed);
        EXPECT_NE(saved.message.find(path), std::string::npos);
        EXPECT_EQ(readBytes(path), kSampleText);
        EXPECT_EQ(telvarin::testing::filesIn(folder), std::vector<std::string>{"historie.xml"});
    }
    EXPECT_TRUE(wroteHalf);
    // A full disk is named as the reason.
    EXPECT_NE(saveHistory(history, halfWrite).message.find("Auf dem Datentr\xE4ger ist nicht genug Platz."),
              std::string::npos);

    // A write-protected file is not replaced behind its protection.
    FileSystemCalls writeProtected = FileSystemCalls::system();
    writeProtected.openForWriting = [](const char*) {
        errno = EACCES;
        return -1;
    };
    EXPECT_EQ(saveHistory(history, writeProtected).status, HistorySaveStatus::WriteFailed);
    EXPECT_EQ(readBytes(path), kSampleText);

    // Short writes that make progress are carried on.
    FileSystemCalls trickle = FileSystemCalls::system();
    trickle.write = [](int fd, const char* data, std::size_t size) {
        return FileSystemCalls::system().write(fd, data, std::min<std::size_t>(size, 7));
    };
    ASSERT_TRUE(saveHistory(history, trickle).saved());
    EXPECT_EQ(loadHistory(path, nullptr).cases, history.cases);
}

TEST_F(HistoryFileTest, SavingThroughALinkReplacesTheFileItPointsTo) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows lets only administrators make symbolic links";
#endif
    std::filesystem::create_directories(folder / "ablage");
    const auto target = folder / "ablage" / "historie.xml";
    writeBytes(target, composeHistoryText(CaseHistory{}));
    std::filesystem::create_symlink(std::filesystem::path("ablage") / "historie.xml", path);
    CaseHistory history = sampleHistory();
    history.path = path;
    ASSERT_TRUE(saveHistory(history).saved());
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(readBytes(target), kSampleText);
}

TEST_F(HistoryFileTest, SaveIntoAMissingFolderFails) {
    CaseHistory history;
    history.path = (folder / "fehlt" / "historie.xml").string();
    EXPECT_EQ(saveHistory(history).status, HistorySaveStatus::WriteFailed);
}

} // namespace
} // namespace telvarin
