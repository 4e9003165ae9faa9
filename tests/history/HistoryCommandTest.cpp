#include "tools/HistoryCommand.h"

#include "history/HistoryWriter.h"
#include "tests/files/SpecialFiles.h"
#include "tests/history/HistoryTestSupport.h"

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
    const int exitCode = runHistoryCommand(words, out, err);
    return {exitCode, out.str(), err.str()};
}

TEST(HistoryCommand, PrintsAnOutlineAndWritesTheSameBytesAgain) {
    const auto folder = freshTestFolder();
    const std::string path = (folder / "historie.xml").string();
    CaseHistory history;
    history.cases = {
        HistoryCase{"M\xFCller", {Treatment{"07.03.2004 09:05", "a\r\nb \"c\"", 3, {{12, 0}, {-5, 2}}}}}};
    writeBytes(path, composeHistoryText(history));

    const CommandRun outline = run({"--file", "ignored.dat", path});
    EXPECT_EQ(outline.exitCode, 0) << outline.err;
    EXPECT_EQ(outline.out, "Fallhistorie " + path +
                               ": 1 Fall\n"
                               "Fall \"M\xC3\xBCller\" (1 Behandlung)\n"
                               "  Behandlung 07.03.2004 09:05 (a b \"c\") Preferiert 3: 2 Symptome\n"
                               "    12\n"
                               "    -5 BD 2\n");

    const std::string copy = (folder / "kopie.xml").string();
    const CommandRun written = run({path, "--write", copy});
    EXPECT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(readBytes(copy), readBytes(path));
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
