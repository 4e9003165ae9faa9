// Which repertory the program works with: the order of the rules, a file that cannot be used
// giving way to the next rule with its reason, the info file beside a data file, the checksum, and
// the data files a folder offers.

#include "repertory/RepertoryChoice.h"

#include "data/BuiltinRepertory.h"
#include "repertory/RepertorySource.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace telvarin {
namespace {

namespace fs = std::filesystem;

fs::path freshFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path folder = fs::path(TELVARIN_TEST_OUTPUT_DIR) / "choice-tests" / info->name();
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

void write(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string builtinBytes() {
    const std::span<const std::byte> bytes = builtinRepertoryBytes();
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string testRepertoryBytes() {
    std::ifstream in(TELVARIN_TEST_DATA_DIR "/test-repertory.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const auto bytes = std::get<std::vector<std::byte>>(compileRepertorySource(text.str()));
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

TEST(RepertoryChoiceTest, TheFirstRuleThatAppliesComesFirstAndTheBuiltInLast) {
    const fs::path folder = freshFolder();
    const std::string shipped = (folder / "kent-de.dat").string();
    const std::string own = (folder / "repertorium.dat").string();
    const RepertoryCandidate builtin{RepertoryOrigin::Builtin, {}};
    write(shipped, "x");
    const std::vector<std::string> places{"/nicht/installiert/kent-de.dat", shipped};

    using Candidates = std::vector<RepertoryCandidate>;
    EXPECT_EQ(repertoryCandidates({folder.string(), "", places}),
              (Candidates{{RepertoryOrigin::Shipped, shipped}, builtin}));
    EXPECT_EQ(repertoryCandidates({folder.string(), "eingebaut", places}), Candidates{builtin});
    EXPECT_EQ(
        repertoryCandidates({folder.string(), "/eigen.dat", places}),
        (Candidates{{RepertoryOrigin::Chosen, "/eigen.dat"}, {RepertoryOrigin::Shipped, shipped}, builtin}));
    EXPECT_EQ(repertoryCandidates({folder.string(), shipped, places}),
              (Candidates{{RepertoryOrigin::Chosen, shipped}, builtin}));
    EXPECT_EQ(repertoryCandidates({folder.string(), "", {}}), Candidates{builtin});

    write(own, "x");
    EXPECT_EQ(repertoryCandidates({folder.string(), "eingebaut", places}),
              (Candidates{{RepertoryOrigin::PracticeFolder, own}, builtin}));
}

TEST(RepertoryChoiceTest, AFileThatCannotBeUsedGivesWayToTheNextRuleWithItsReason) {
    const fs::path folder = freshFolder();
    const std::string damaged = (folder / "kaputt.dat").string();
    const std::string good = (folder / "kent-de.dat").string();
    write(damaged, std::string(64, '\x7f'));
    write(good, testRepertoryBytes());
    write(folder / "kent-de.info", "\xEF\xBB\xBFName: Kent, Hom\xC3\xB6opathisches Repertorium\r\n"
                                   "Quelle: OpenRep\r\nLizenz: GPL-3+\r\nanderes\r\n");

    const RepertoryChoice choice =
        chooseRepertory({{RepertoryOrigin::Chosen, (folder / "fehlt.dat").string()},
                         {RepertoryOrigin::Chosen, damaged},
                         {RepertoryOrigin::Shipped, good},
                         {RepertoryOrigin::Builtin, {}}},
                        loadBuiltinRepertory);
    ASSERT_TRUE(choice.chosen);
    EXPECT_EQ(choice.chosen->candidate.path, good);
    EXPECT_EQ(choice.chosen->database.rubricCount(), 19);
    EXPECT_EQ(choice.chosen->info,
              (RepertoryInfo{"Kent, Hom\xF6opathisches Repertorium"_w1252, "OpenRep"_w1252, "GPL-3+"_w1252}));
    const std::string goodBytes = testRepertoryBytes();
    EXPECT_EQ(choice.chosen->checksum, repertoryChecksum(std::as_bytes(std::span(goodBytes))));
    ASSERT_EQ(choice.unusable.size(), 2u);
    EXPECT_NE(choice.unusable[0].reason.bytes().find("fehlt.dat"), std::string::npos);
    EXPECT_NE(choice.unusable[1].reason.bytes().find("Kapitel"), std::string::npos);

    // The built-in repertory is named as made up, and without it nothing is chosen.
    const RepertoryChoice builtin = chooseRepertory({{RepertoryOrigin::Builtin, {}}}, loadBuiltinRepertory);
    ASSERT_TRUE(builtin.chosen);
    EXPECT_EQ(builtin.chosen->info.name, "Beispielrepertorium (eingebaut, erfundene Daten)"_w1252);
    EXPECT_EQ(builtin.chosen->checksum, repertoryChecksum(builtinRepertoryBytes()));
    const RepertoryChoice none = chooseRepertory({{RepertoryOrigin::Builtin, {}}}, [] {
        return RepertoryLoadResult{RepertoryLoadError{Windows1252Text("kaputt")}};
    });
    EXPECT_FALSE(none.chosen);
    EXPECT_EQ(none.unusable.back().reason.bytes(), "kaputt");
}

TEST(RepertoryChoiceTest, ChecksumTellsFilesApartByEveryByteAndTheirLength) {
    const auto sum = [](std::string_view text) { return repertoryChecksum(std::as_bytes(std::span(text))); };
    EXPECT_EQ(sum(""), "af63bd4c8601b7df"); // FNV-1a of one zero byte, the length 0
    EXPECT_EQ(sum("0123456789"), sum("0123456789"));
    EXPECT_NE(sum("0123456789"), sum("0123456788"));
    EXPECT_NE(sum("a"), sum(std::string_view("a\0", 2)));
    EXPECT_NE(sum(builtinBytes()), sum(testRepertoryBytes()));
}

TEST(RepertoryChoiceTest, FoldersOfferTheirDataFilesByName) {
    const fs::path installed = freshFolder() / "installiert";
    const fs::path user = installed.parent_path() / "eigene";
    fs::create_directories(installed);
    fs::create_directories(user);
    write(installed / "kent-de.dat", "x");
    write(installed / "kent-de.info", "Name: Kent\n");
    write(installed / "liesmich.txt", "x");
    write(user / "boericke.dat", "x");
    write(user / "aaa.dat", "x");
    std::error_code noLinks; // Windows lets only administrators make them
    fs::create_symlink(installed / "kent-de.dat", user / "kent-link.dat", noLinks);

    const std::vector<RepertoryFile> files =
        repertoryFilesIn({installed.string(), "/nicht/da", user.string()});
    ASSERT_EQ(files.size(), 3u);
    EXPECT_EQ(files[0], (RepertoryFile{(installed / "kent-de.dat").string(), {"Kent"_w1252, {}, {}}}));
    EXPECT_EQ(files[1].path, (user / "aaa.dat").string());
    EXPECT_EQ(files[2].path, (user / "boericke.dat").string());
    EXPECT_EQ(repertoryDisplayName(files[2].info, files[2].path), windows1252Of(files[2].path));
}

} // namespace
} // namespace telvarin
