#include "TinyRepertory.h"
#include "foundation/files/Utf8Paths.h"
#include "foundation/text/CodePage.h"
#include "repertory/RepertoryDatabase.h"
#include "tests/files/SpecialFiles.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

namespace telvarin {
namespace {

using test::TinyRepertory;

std::string refusal(const std::vector<std::byte>& bytes) {
    const RepertoryLoadResult result = RepertoryDatabase::fromBytes(bytes);
    const auto* error = std::get_if<RepertoryLoadError>(&result);
    return error ? error->message.bytes() : std::string();
}

std::string refusal(const std::function<void(TinyRepertory&)>& damage) {
    TinyRepertory r = TinyRepertory::sample();
    damage(r);
    return refusal(r.bytes());
}

TEST(RepertoryLoader, AcceptsAWellFormedFileAndReportsItsCounts) {
    const std::vector<std::byte> bytes = TinyRepertory::sample().bytes();
    const RepertoryLoadResult result = RepertoryDatabase::fromBytes(bytes);
    ASSERT_TRUE(std::holds_alternative<RepertoryDatabase>(result));
    const auto& db = std::get<RepertoryDatabase>(result);
    EXPECT_EQ(db.chapterCount(), 3);
    EXPECT_EQ(db.sectionCount(), 6);
    EXPECT_EQ(db.rubricCount(), 5);
    EXPECT_EQ(db.largestRubricNumber(), 5);
    EXPECT_EQ(db.remedyEntryCount(), 17);
    EXPECT_EQ(db.remedyCount(), 5);
    EXPECT_EQ(db.remedyName(4).bytes(), "averylongname.");
    EXPECT_EQ(db.rubricTextField(3).bytes(), "Pain, forehead");
}

TEST(RepertoryLoader, RefusesFilesWhoseSizeDisagreesWithTheCounts) {
    std::vector<std::byte> bytes = TinyRepertory::sample().bytes();
    EXPECT_NE(refusal({bytes.begin(), bytes.begin() + 10}).find("Kopf"), std::string::npos);
    EXPECT_NE(refusal({bytes.begin(), bytes.end() - 1}), "");
    EXPECT_NE(refusal({bytes.begin(), bytes.begin() + 2000}).find("zu kurz"), std::string::npos);
    bytes.push_back(std::byte{'x'});
    EXPECT_NE(refusal(bytes).find("nach dem letzten"), std::string::npos);
}

// The optional table of full names follows the abbreviations; a file without it reads as before.
TEST(RepertoryLoader, ReadsTheOptionalFullNamesAndRefusesADamagedTable) {
    const std::vector<std::byte> plain = TinyRepertory::sample().bytes();
    const auto withTail = [&plain](std::string_view tail) {
        std::vector<std::byte> bytes = plain;
        for (const char c : tail)
            bytes.push_back(static_cast<std::byte>(c));
        return bytes;
    };
    const std::vector<std::byte> named = withTail(std::string_view("NAMEAconitum\0\0Belladonna\0\0\0", 27));
    const RepertoryLoadResult result = RepertoryDatabase::fromBytes(named);
    ASSERT_TRUE(std::holds_alternative<RepertoryDatabase>(result)) << refusal(named);
    const auto& db = std::get<RepertoryDatabase>(result);
    EXPECT_TRUE(db.hasFullNames());
    EXPECT_EQ(db.remedyFullName(0).bytes(), "Aconitum");
    EXPECT_EQ(db.remedyFullName(1).bytes(), "");
    EXPECT_EQ(db.remedyFullName(2).bytes(), "Belladonna");
    EXPECT_EQ(std::get<RepertoryDatabase>(RepertoryDatabase::fromBytes(plain)).remedyFullName(0).bytes(), "");

    // A name without its terminator, a table short of names, an unknown tag, a table twice.
    EXPECT_NE(refusal(withTail(std::string_view("NAMEAconitum", 12))).find("Mittel 0: voller Name"),
              std::string::npos);
    EXPECT_NE(refusal(withTail(std::string_view("NAMEA\0B\0", 8))).find("Mittel 2: voller Name"),
              std::string::npos);
    EXPECT_NE(refusal(withTail("NOPE")).find("keine bekannte Zusatztabelle"), std::string::npos);
    std::vector<std::byte> twice = named;
    twice.insert(twice.end(), named.end() - 27, named.end());
    EXPECT_NE(refusal(twice).find("Repertoriumsdatei besch\xE4"
                                  "digt"),
              std::string::npos);
}

// The optional tree of the rubrics: a parent stands before its child and in its chapter.
TEST(RepertoryLoader, ReadsTheOptionalRubricTreeAndRefusesADamagedOne) {
    const auto withParents = [](std::vector<std::int32_t> parents, std::size_t cut = 0) {
        std::vector<std::byte> bytes = TinyRepertory::sample().bytes();
        for (const char c : std::string_view("TREE"))
            bytes.push_back(static_cast<std::byte>(c));
        const auto* raw = reinterpret_cast<const std::byte*>(parents.data());
        bytes.insert(bytes.end(), raw, raw + parents.size() * sizeof(std::int32_t) - cut);
        return bytes;
    };
    const std::vector<std::byte> tree = withParents({0, 1, 1, 0, 0});
    const RepertoryLoadResult result = RepertoryDatabase::fromBytes(tree);
    ASSERT_TRUE(std::holds_alternative<RepertoryDatabase>(result)) << refusal(tree);
    const auto& db = std::get<RepertoryDatabase>(result);
    EXPECT_TRUE(db.hasRubricTree());
    EXPECT_EQ(db.parentRubric(3), 1);
    EXPECT_EQ(db.parentRubric(4), 0);
    EXPECT_EQ(std::get<RepertoryDatabase>(RepertoryDatabase::fromBytes(TinyRepertory::sample().bytes()))
                  .parentRubric(3),
              0);
    EXPECT_NE(refusal(withParents({0, 1, 3, 0, 0})).find("Rubrik 3: Elternrubrik 3 steht nicht vor ihr"),
              std::string::npos);
    EXPECT_NE(
        refusal(withParents({0, 1, 1, 1, 0})).find("Rubrik 4: Elternrubrik 1 liegt in einem anderen Kapitel"),
        std::string::npos);
    EXPECT_NE(refusal(withParents({0, 1, 1, 0, 0}, 2)).find("zu kurz"), std::string::npos);
}

TEST(RepertoryLoader, RefusesAbsurdOrWrongCountsWithoutReadingOutOfRange) {
    for (const std::int32_t bad : {0, -1, 2'000'000'000}) {
        EXPECT_NE(refusal([bad](TinyRepertory& r) {
                      r.counts = RepertoryFileCounts{3, 6, bad, 17, 5};
                  }).find("Rubriken"),
                  std::string::npos);
        EXPECT_NE(refusal([bad](TinyRepertory& r) {
                      r.counts = RepertoryFileCounts{bad, 6, 5, 17, 5};
                  }).find("Kapitel"),
                  std::string::npos);
    }
    EXPECT_NE(refusal([](TinyRepertory& r) {
                  r.counts = RepertoryFileCounts{3, 6, 5, 17, 4000};
              }).find("Mittel"),
              std::string::npos);
    // One entry more than the rubrics use: the file is then too short by one word.
    EXPECT_NE(refusal([](TinyRepertory& r) { r.counts = RepertoryFileCounts{3, 6, 5, 18, 5}; }), "");
}

TEST(RepertoryLoader, RefusesABrokenEntryChainNamingTheRubric) {
    const std::string message = refusal([](TinyRepertory& r) { r.rubrics[2].firstEntry += 1; });
    EXPECT_NE(message.find("Rubrik 3"), std::string::npos) << message;
    EXPECT_NE(message.find("Kette"), std::string::npos);
    EXPECT_NE(refusal([](TinyRepertory& r) { r.rubrics[4].entryCount = 5; }), "");
    EXPECT_NE(refusal([](TinyRepertory& r) { r.rubrics[4].entryCount = -1; }), "");
}

TEST(RepertoryLoader, RefusesRemedyIndicesAndReferencesOutOfRange) {
    EXPECT_NE(refusal([](TinyRepertory& r) { r.entries[7] = 5; }).find("Eintrag 7"), std::string::npos);
    EXPECT_NE(refusal([](TinyRepertory& r) { r.entries[0] |= 0x10000; }).find("Eintrag 0"),
              std::string::npos);
    EXPECT_NE(refusal([](TinyRepertory& r) { r.rubrics[0].counterPolarity = 6; }).find("Gegenpolarit"),
              std::string::npos);
    EXPECT_NE(refusal([](TinyRepertory& r) { r.rubrics[0].counterPolarity = -2; }), "");
    EXPECT_NE(refusal([](TinyRepertory& r) { r.rubrics[0].counterPolarityBd = 1; }), "");
    EXPECT_NE(refusal([](TinyRepertory& r) { r.rubrics[3].counterPolarityBd = 5; }), "");
}

TEST(RepertoryLoader, RefusesTextsWithoutTerminatorOrWithBytesAfterIt) {
    EXPECT_NE(refusal([](TinyRepertory& r) {
                  std::memset(r.rubrics[1].text, 'a', kRubricTextSize);
              }).find("Rubrik 2"),
              std::string::npos);
    EXPECT_NE(
        refusal([](TinyRepertory& r) { r.chapters[1].name[kChapterNameSize - 1] = 'x'; }).find("Kapitel 1"),
        std::string::npos);
    EXPECT_NE(refusal([](TinyRepertory& r) {
                  std::memset(r.sections[5].name, 'S', kSectionNameSize);
              }).find("Abschnitt 5"),
              std::string::npos);
    // The last abbreviation runs into the end of the file.
    std::vector<std::byte> bytes = TinyRepertory::sample().bytes();
    bytes.back() = std::byte{'x'};
    EXPECT_NE(refusal(bytes).find("Mittel 4"), std::string::npos);
}

TEST(RepertoryLoader, RefusesSectionAndChapterEndsThatAreNotCumulative) {
    EXPECT_NE(refusal([](TinyRepertory& r) { r.sections[2].rubricEnd = 1; }).find("Abschnitt 2"),
              std::string::npos);
    EXPECT_NE(refusal([](TinyRepertory& r) { r.sections[5].rubricEnd = 4; }), "");
    EXPECT_NE(refusal([](TinyRepertory& r) { r.chapters[2].sectionEnd = 5; }).find("letzten Kapitels"),
              std::string::npos);
    EXPECT_NE(refusal([](TinyRepertory& r) { r.chapters[0].sectionEnd = 7; }), "");
}

TEST(RepertoryLoader, RefusesDuplicateAndEmptyAbbreviations) {
    EXPECT_NE(refusal([](TinyRepertory& r) { r.remedies[3] = "agar."; }).find("doppelt"), std::string::npos);
    EXPECT_NE(refusal([](TinyRepertory& r) { r.remedies[2] = ""; }).find("leeres"), std::string::npos);
}

TEST(RepertoryLoader, ReadsAFileIntoMemoryItOwns) {
    const std::string path = std::string(TELVARIN_TEST_OUTPUT_DIR) + "/tiny.dat";
    {
        const std::vector<std::byte> bytes = TinyRepertory::sample().bytes();
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    const RepertoryLoadResult result = RepertoryDatabase::fromFile(path);
    ASSERT_TRUE(std::holds_alternative<RepertoryDatabase>(result));
    EXPECT_EQ(std::get<RepertoryDatabase>(result).remedyName(0).bytes(), "acon.");
    const RepertoryLoadResult missing = RepertoryDatabase::fromFile(path + ".missing");
    ASSERT_TRUE(std::holds_alternative<RepertoryLoadError>(missing));
}

TEST(RepertoryLoader, RefusesADirectoryAndAnOversizedFileWithoutAllocatingThem) {
    const std::string directory = TELVARIN_TEST_OUTPUT_DIR;
    EXPECT_TRUE(std::holds_alternative<RepertoryLoadError>(RepertoryDatabase::fromFile(directory)));
    const std::filesystem::path huge = directory + "/huge.dat";
    { std::ofstream(huge, std::ios::binary); }
    std::filesystem::resize_file(huge, (std::uintmax_t{1} << 30) + 1); // sparse: takes no disk space
    const RepertoryLoadResult result = RepertoryDatabase::fromFile(huge.string());
    std::filesystem::remove(huge);
    ASSERT_TRUE(std::holds_alternative<RepertoryLoadError>(result));
    EXPECT_NE(std::get<RepertoryLoadError>(result).message.bytes().find("zu gro\xDF"), std::string::npos);
}

TEST(RepertoryLoader, RefusesAFileLargerThanItsHeadAllowsBeforeReadingIt) {
    const std::filesystem::path path = std::string(TELVARIN_TEST_OUTPUT_DIR) + "/sparse.dat";
    {
        const std::vector<std::byte> bytes = TinyRepertory::sample().bytes();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::filesystem::resize_file(path, std::uintmax_t{1} << 30); // 1 GiB, sparse: no disk space
    const RepertoryLoadResult result = RepertoryDatabase::fromFile(path.string());
    std::filesystem::remove(path);
    ASSERT_TRUE(std::holds_alternative<RepertoryLoadError>(result));
    EXPECT_NE(std::get<RepertoryLoadError>(result).message.bytes().find("1073741824 Bytes gr\xF6\xDF"
                                                                        "er, als ihre Anzahlen"),
              std::string::npos)
        << std::get<RepertoryLoadError>(result).message.bytes();
    // The same check guards the bytes themselves.
    std::vector<std::byte> padded = TinyRepertory::sample().bytes();
    padded.resize(padded.size() + 5000);
    EXPECT_NE(refusal(padded).find("als ihre Anzahlen erlauben"), std::string::npos);
}

// The path is UTF-8, the message Windows-1252: the name is converted, not spliced in as bytes.
TEST(RepertoryLoader, NamesAFileInTheCodePageOfItsMessages) {
    const std::string folder = std::string(TELVARIN_TEST_OUTPUT_DIR) + "/Fälle";
    std::filesystem::create_directories(pathFromUtf8(folder));
    const RepertoryLoadResult missing = RepertoryDatabase::fromFile(folder + "/fehlt.dat");
    const RepertoryLoadResult folderGiven = RepertoryDatabase::fromFile(folder);
    EXPECT_EQ(std::get<RepertoryLoadError>(missing).message.bytes(),
              "Repertoriumsdatei " + utf8ToWindows1252(folder) + "/fehlt.dat ist nicht vorhanden");
    EXPECT_NE(std::get<RepertoryLoadError>(folderGiven).message.bytes().find("/F\xE4lle ist ein Verzeichnis"),
              std::string::npos);
}

TEST(RepertoryLoader, NamesWhyAFileCannotBeOpened) {
#ifdef _WIN32
    GTEST_SKIP() << "file modes do not take a file's access away on Windows";
#endif
    if (testing::runningAsRoot())
        GTEST_SKIP() << "root reads any file";
    const std::filesystem::path path = std::string(TELVARIN_TEST_OUTPUT_DIR) + "/locked.dat";
    { std::ofstream(path, std::ios::binary) << "x"; }
    std::filesystem::permissions(path, std::filesystem::perms::none);
    const RepertoryLoadResult result = RepertoryDatabase::fromFile(path.string());
    std::filesystem::remove(path);
    ASSERT_TRUE(std::holds_alternative<RepertoryLoadError>(result));
    EXPECT_NE(std::get<RepertoryLoadError>(result).message.bytes().find("kann nicht ge\xF6"
                                                                        "ffnet werden: Zugriff verweigert"),
              std::string::npos)
        << std::get<RepertoryLoadError>(result).message.bytes();
}

} // namespace
} // namespace telvarin
