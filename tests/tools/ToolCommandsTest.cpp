// Exit codes and messages of telvarin-repertory's commands on the input a user gets wrong.
#include "data/BuiltinRepertory.h"
#include "tools/RepertoryCli.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace telvarin {
namespace {

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

CliRun run(std::vector<std::string> words) {
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = runRepertoryCli(words, builtinRepertoryBytes(), out, err);
    return {exitCode, out.str(), err.str()};
}

std::string outputPath(const std::string& name) {
    return std::string(TELVARIN_TEST_OUTPUT_DIR) + "/" + name;
}

TEST(ToolCommands, ShowRefusesRubricsThatDoNotExist) {
    for (const char* number : {"0", "999999", "-999999", "26565"}) {
        const CliRun result = run({"show", "--", number});
        EXPECT_EQ(result.exitCode, 1) << number;
        EXPECT_EQ(result.out, "") << number;
        EXPECT_NE(result.err.find("gibt es nicht"), std::string::npos) << number;
    }
    EXPECT_EQ(run({"show", "--", "-26564"}).exitCode, 0);
    EXPECT_EQ(run({"show", "12x"}).exitCode, 2);
}

// The built-in repertory has neither full names nor a tree: empty names, the chapter above the rubric.
TEST(ToolCommands, RemediesAndTreeWithoutTheOptionalTables) {
    const CliRun remedies = run({"remedies"});
    EXPECT_EQ(remedies.exitCode, 0);
    EXPECT_EQ(remedies.out.substr(0, remedies.out.find('\n') + 1), "acon.\t\n");
    EXPECT_EQ(run({"tree", "12"}).out, "\tMIND\n12\tAnger, evening, in bed, with nausea\n");
    EXPECT_EQ(run({"tree", "0"}).exitCode, 1);
    EXPECT_EQ(run({"remedies", "x"}).exitCode, 2);
}

TEST(ToolCommands, AnalyseNamesWhatBecameEmptyAndStillRanksTheRest) {
    const CliRun mixed = run({"analyse", "12", "999999", "5+abc+8", "x"});
    EXPECT_EQ(mixed.exitCode, 0);
    EXPECT_NE(mixed.out.find("\t"), std::string::npos); // the remedies of rubrics 12 and 5 + 8
    EXPECT_NE(mixed.err.find("\"999999\" ist keine Rubrik und wird zur leeren Zeile"), std::string::npos);
    EXPECT_NE(mixed.err.find("\"5+abc+8\": Teil \"abc\""), std::string::npos);
    EXPECT_NE(mixed.err.find("\"x\""), std::string::npos);
    EXPECT_EQ(mixed.err.find("\"12\""), std::string::npos);

    const CliRun empty = run({"analyse", "0", "abc"});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.out, "");
    EXPECT_NE(empty.err.find("Keine Rubrik zu analysieren"), std::string::npos);
}

TEST(ToolCommands, FileCaseNamesEveryBadEntryAndFilesNothing) {
    const std::string history = outputPath("refused-historie.xml");
    std::filesystem::remove(history);
    const auto refusal = [&](std::vector<std::string> tail) {
        std::vector<std::string> words{"file-case", history};
        words.insert(words.end(), tail.begin(), tail.end());
        const CliRun result = run(words);
        EXPECT_EQ(result.exitCode, 1) << result.err;
        EXPECT_FALSE(std::filesystem::exists(history)) << result.err;
        return result.err;
    };
    EXPECT_NE(refusal({"B", "--", "999999"})
                  .find("\"999999\" ist keine Rubrik; die Rubriken reichen von 1 bis 26564"),
              std::string::npos);
    const std::string mixed = refusal({"C", "--", "12", "abc", "5+x+0", "-26565"});
    EXPECT_NE(mixed.find("Eintrag \"abc\" ist keine Rubrik"), std::string::npos) << mixed;
    EXPECT_NE(mixed.find("Eintrag \"5+x+0\": \"x\", \"0\" sind keine Rubriken"), std::string::npos) << mixed;
    EXPECT_NE(mixed.find("Eintrag \"-26565\""), std::string::npos) << mixed;
    EXPECT_EQ(mixed.find("\"12\""), std::string::npos) << mixed;
    EXPECT_NE(mixed.find("Nichts abgelegt"), std::string::npos) << mixed;
    // What the case table would read only in part.
    const std::string partly =
        refusal({"E", "--", "12,13", "12 13", "12abc", "1e3", "12.13", "5+8x", "7 bd 2"});
    for (const char* part :
         {"\"12,13\": ab \",13\" nicht lesbar", "\"12 13\": ab \"13\"", "\"12abc\": ab \"abc\"",
          "\"1e3\": ab \"e3\"", "\"12.13\": ab \".13\"", "\"5+8x\": ab \"x\""})
        EXPECT_NE(partly.find(part), std::string::npos) << part << '\n' << partly;
    EXPECT_EQ(partly.find("7 bd 2"), std::string::npos) << partly;
    EXPECT_NE(refusal({"", "--", "12"}).find("Der Name ist leer"), std::string::npos);
    EXPECT_NE(refusal({" \t", "--", "12"}).find("Der Name ist leer"), std::string::npos);
    EXPECT_NE(refusal({"D"}).find("Der Fall hat kein Symptom"), std::string::npos);
    // A line break would read back as another name, and make a new case at every filing.
    EXPECT_NE(refusal({"Anna\nB", "--", "12"}).find("Der Name enthält ein Steuerzeichen (U+000A"),
              std::string::npos);
    EXPECT_NE(refusal({"Anna", "--comment", "a\x07", "--", "12"}).find("Der Kommentar enthält"),
              std::string::npos);
    // A soft hyphen is invisible: "Mül\u00ADler" would be a second case that looks like "Müller".
    EXPECT_NE(refusal({"M\xC3\xBCl\xC2\xADler", "--", "12"})
                  .find("Der Name enthält ein unsichtbares Formatzeichen (U+00AD"),
              std::string::npos);

    const CliRun filed =
        run({"file-case", history, "Anna", "--comment", "zwei\nZeilen", "--", "12", "-26564", "5+8"});
    EXPECT_EQ(filed.exitCode, 0) << filed.err;
    EXPECT_TRUE(std::filesystem::exists(history));
    // A name typed with a combining mark is the case the dialog files it into.
    for (const char* name : {"Müller", "Mu\xCC\x88ller"})
        EXPECT_EQ(run({"file-case", history, name, "--", "12"}).exitCode, 0) << name;
    EXPECT_NE(run({"history", history}).out.find("Fall \"Müller\" (2 Behandlungen)"), std::string::npos);
    std::filesystem::remove(history);
}

TEST(ToolCommands, RefusesDirectoriesAndDevicesAsFilesAndFileWhereItHasNoUse) {
    const std::string directory = TELVARIN_TEST_OUTPUT_DIR;
    const CliRun check = run({"check", "--file", directory});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_NE(check.err.find("ein Verzeichnis"), std::string::npos);
#ifdef _WIN32
    const char* device = "NUL";
#else
    const char* device = "/dev/zero";
#endif
    EXPECT_NE(run({"build", device, outputPath("zero.dat")}).err.find("Gerätedatei"), std::string::npos);
    const CliRun exportToDirectory = run({"export", directory});
    EXPECT_EQ(exportToDirectory.exitCode, 1);
    EXPECT_NE(exportToDirectory.err.find("ein Verzeichnis"), std::string::npos);

    EXPECT_EQ(run({"build", "--file", "x.dat", "a.txt", "b.dat"}).exitCode, 2);
    EXPECT_EQ(run({"history", "--file", "x.dat", "historie.xml"}).exitCode, 2);
    EXPECT_EQ(run({"export", "--file", "x.dat", "b.dat"}).exitCode, 2);
    EXPECT_EQ(run({"search", "--file", outputPath("missing.dat"), "head"}).exitCode, 1);
}

TEST(ToolCommands, MessagesAboutABinaryFileShowNoRawBytes) {
    const std::string path = outputPath("binary.txt");
    {
        std::ofstream file(path, std::ios::binary);
        file << "\x01\x7F\xFF\xC3\x28\x1B[31m\n";
    }
    const CliRun result = run({"build", path, outputPath("binary.dat")});
    std::filesystem::remove(path);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("\\x"), std::string::npos) << result.err;
    for (const char raw : {'\x01', '\x7F', '\xFF', '\x1B'})
        EXPECT_EQ(result.err.find(raw), std::string::npos) << int(raw) << " in " << result.err;
}

} // namespace
} // namespace telvarin
