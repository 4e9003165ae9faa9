#include "tools/HistoryCommand.h"

#include "data/BuiltinRepertory.h"
#include "history/HistoryFile.h"
#include "history/HistoryWriter.h"
#include "history/RepertoryRecord.h"
#include "tests/files/SpecialFiles.h"
#include "tests/history/HistoryTestSupport.h"
#include "tools/FileCaseCommand.h"

#include <gtest/gtest.h>
#include <sstream>

namespace telvarin {
namespace {

using telvarin::testing::freshTestFolder;
using telvarin::testing::readBytes;
using telvarin::testing::writeBytes;

struct CommandRun {
    int exitCode;
    std::string out;
    std::string err;
};

CommandRun run(std::vector<std::string> words) {
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = runHistoryCommand(words, builtinRepertoryBytes(), out, err);
    return {exitCode, out.str(), err.str()};
}

TEST(HistoryCommand, PrintsAnOutlineAndWritesTheSameBytesAgain) {
    const auto folder = freshTestFolder();
    const std::string path = (folder / "historie.xml").string();
    CaseHistory history;
    history.cases = {HistoryCase{
        "M\xFCller"_w1252, {Treatment{"07.03.2004 09:05", "a\r\nb \"c\""_w1252, 3, {{12, 0}, {-5, 2}}}}}};
    writeBytes(path, composeHistoryText(history));

    const CommandRun outline = run({"--file", "ignored.dat", path});
    EXPECT_EQ(outline.exitCode, 0) << outline.err;
    EXPECT_EQ(outline.out, "Fallhistorie " + path +
                               ": 1 Fall\n"
                               "Fall \"Müller\" (1 Behandlung)\n"
                               "  Behandlung 07.03.2004 09:05 (a b \"c\") Preferiert 3: 2 Symptome\n"
                               "    12\n"
                               "    -5 BD 2\n");

    const std::string copy = (folder / "kopie.xml").string();
    const CommandRun written = run({path, "--write", copy});
    EXPECT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(readBytes(copy), readBytes(path));
}

TEST(HistoryCommand, FilesAndPrintsWeightsAndThePrescription) {
    const auto folder = freshTestFolder();
    const std::string path = (folder / "historie.xml").string();
    const auto fileCase = [&](std::vector<std::string> words) {
        std::ostringstream out;
        std::ostringstream err;
        const int code = runFileCaseCommand(words, builtinRepertoryBytes(), out, err);
        return std::pair(code, err.str());
    };
    EXPECT_EQ(fileCase({path, "Anna", "--verordnung", " nux-v.  C30 abends  fünf Globuli ", "--", "12*3",
                        "5+8*0", "7"}),
              std::pair(0, std::string()));
    const auto refused = fileCase({path, "Anna", "--", "12*5"});
    EXPECT_EQ(refused.first, 1);
    EXPECT_NE(refused.second.find("Gewicht"), std::string::npos) << refused.second;

    const CommandRun outline = run({path});
    EXPECT_EQ(outline.exitCode, 0) << outline.err;
    EXPECT_NE(outline.out.find(": 3 Symptome\n"
                               "    Verordnung: nux-v. C30 (abends  fünf Globuli)\n"
                               "    12*3\n"
                               "    5*0\n"
                               "    7\n"),
              std::string::npos)
        << outline.out;
}

// The record of the repertory goes where the cases go, never onto cases of another one, and
// --bind sets it when the user says so.
TEST(HistoryCommand, WriteTakesTheRecordAlongAndBindRecordsTheUsersWord) {
    const auto folder = freshTestFolder();
    const std::string a = (folder / "a.xml").string();
    const std::string b = (folder / "b.xml").string();
    CaseHistory history;
    history.cases = {HistoryCase{"Adler"_w1252, {Treatment{"07.03.2004 09:05", ""_w1252, 0, {{12, 0}}}}}};
    writeBytes(a, composeHistoryText(history));
    writeBytes(b, composeHistoryText(history));

    const CommandRun bound = run({a, "--bind", "eingebaut"});
    EXPECT_EQ(bound.exitCode, 0) << bound.err;
    const RepertoryRecord builtin = readRepertoryRecord(a);
    ASSERT_EQ(builtin.state, RecordState::Present);
    EXPECT_EQ(builtin.recorded.name, "Beispielrepertorium (eingebaut, erfundene Daten)"_w1252);
    EXPECT_EQ(run({a, "--bind", (folder / "fehlt.dat").string()}).exitCode, 1);
    EXPECT_EQ(readRepertoryRecord(a).recorded, builtin.recorded);

    const std::string c = (folder / "c.xml").string();
    EXPECT_EQ(run({a, "--write", c}).exitCode, 0);
    EXPECT_EQ(readRepertoryRecord(c).recorded, builtin.recorded);

    // Onto cases bound to another repertory: refused, nothing changed.
    const RecordedRepertory other{"Kent"_w1252, "00112233445566aa", {}};
    ASSERT_TRUE(writeRepertoryRecord(b, other));
    history.cases[0].name = "Biene"_w1252;
    writeBytes(b, composeHistoryText(history));
    const CommandRun refused = run({a, "--write", b});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.err.find("Kent"), std::string::npos) << refused.err;
    EXPECT_EQ(readBytes(b), composeHistoryText(history));
    EXPECT_EQ(readRepertoryRecord(b).recorded, other);
}

TEST(HistoryCommand, ReportsWhyAFileCannotBeRead) {
    const auto folder = freshTestFolder();
    const std::string path = (folder / "kaputt.xml").string();
    writeBytes(path, "<Fallhistorie AnzahlFaelle=\"0\"></Fall>");
    const CommandRun broken = run({path});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(broken.err,
              "Syntax Error in Datei: " + path + "\nZeile: 1 Spalte: 37 Erwartet: IDS_Identifier\n");
    EXPECT_TRUE(broken.out.empty());

    const std::string missing = (folder / "fehlt.xml").string();
    const CommandRun absent = run({missing, "--write", (folder / "nie.xml").string()});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_EQ(absent.err, " Dateifehler : " + missing + " Fehler : -1\n" + missing + ": nicht vorhanden\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "nie.xml"));
    // Root reads any file; on Windows std::filesystem cannot take the right to read away.
#ifndef _WIN32
    if (!telvarin::testing::runningAsRoot()) {
        const std::string locked = (folder / "gesperrt.xml").string();
        writeBytes(locked, composeHistoryText(CaseHistory{}));
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        EXPECT_EQ(run({locked}).err,
                  " Dateifehler : " + locked + " Fehler : -1\n" + locked + ": Zugriff verweigert\n");
    }
#endif

    writeBytes(path, composeHistoryText(CaseHistory{}));
    const CommandRun unwritable = run({path, "--write", (folder / "fehlt" / "x.xml").string()});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_NE(unwritable.err.find("konnte nicht geschrieben werden"), std::string::npos);

    EXPECT_EQ(run({}).exitCode, 2);
    EXPECT_EQ(run({path, "--write"}).exitCode, 2);
    EXPECT_EQ(run({path, "zwei"}).exitCode, 2);
}

} // namespace
} // namespace telvarin
