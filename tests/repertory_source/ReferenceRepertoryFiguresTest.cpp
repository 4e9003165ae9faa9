// The generated reference repertory as the program embeds it: the figures every other part of the
// program relies on.

#include "data/BuiltinRepertory.h"
#include "repertory/RemedyEntry.h"
#include "repertory/RepertoryDatabase.h"
#include "repertory/RepertorySource.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <sstream>

namespace telvarin {
namespace {

class ReferenceRepertory : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        RepertoryLoadResult loaded = loadBuiltinRepertory();
        ASSERT_TRUE(std::holds_alternative<RepertoryDatabase>(loaded));
        db_.emplace(std::get<RepertoryDatabase>(std::move(loaded)));
    }
    static void TearDownTestSuite() { db_.reset(); }
    static const RepertoryDatabase& db() { return *db_; }

    static bool isUpperCase(std::string_view name) {
        return std::none_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    }

    // Rubrics whose text holds the word, as a whole word and in any case.
    static int rubricsWithWord(std::string_view word) {
        int found = 0;
        for (int r = 0; r < db().rubricCount(); ++r) {
            std::string text(db().rubricTextField(r).bytes());
            std::transform(text.begin(), text.end(), text.begin(), [](char c) { return std::tolower(c); });
            for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
                const bool startsWord = at == 0 || !std::isalpha(static_cast<unsigned char>(text[at - 1]));
                const std::size_t end = at + word.size();
                const bool endsWord =
                    end == text.size() || !std::isalpha(static_cast<unsigned char>(text[end]));
                if (startsWord && endsWord) {
                    ++found;
                    break;
                }
            }
        }
        return found;
    }

private:
    static inline std::optional<RepertoryDatabase> db_;
};

TEST_F(ReferenceRepertory, HasTheFiveCounts) {
    EXPECT_EQ(db().chapterCount(), 58);
    EXPECT_EQ(db().sectionCount(), 409);
    EXPECT_EQ(db().rubricCount(), 26564);
    EXPECT_EQ(db().remedyEntryCount(), 286980);
    EXPECT_EQ(db().remedyCount(), 933);
}

TEST_F(ReferenceRepertory, HasTheChapterAndSectionBoundaries) {
    EXPECT_EQ(db().chapterName(0).bytes(), "MIND");
    EXPECT_EQ(db().sectionEnd(0), 6);
    EXPECT_EQ(db().sectionName(0).bytes(), "GENERAL");
    EXPECT_EQ(db().rubricEnd(0), 807);
    EXPECT_EQ(db().firstRubricNumberOfChapter(0), 1);
    EXPECT_EQ(db().lastRubricNumberOfChapter(0), 1073);
    EXPECT_EQ(db().chapterName(1).bytes(), "SENSORIUM");
    EXPECT_EQ(db().firstRubricNumberOfChapter(1), 1074);
    EXPECT_EQ(db().lastRubricNumberOfChapter(1), 1183);
    EXPECT_EQ(db().chapterName(6).bytes(), "EARS");
    EXPECT_EQ(db().chapterName(7).bytes(), "NOSE");
    EXPECT_EQ(db().sectionEnd(6), 46);
    EXPECT_EQ(db().lastRubricNumberOfChapter(6), 4939);
    EXPECT_EQ(db().chapterName(57).bytes(), "CONDITIONS OF AGGRAVATION AND AMELIORATION IN GENERAL");
    EXPECT_EQ(db().firstRubricNumberOfChapter(57), 25672);
    EXPECT_EQ(db().lastRubricNumberOfChapter(57), 26564);
}

TEST_F(ReferenceRepertory, NamesSectionsAsARealRepertoryDoes) {
    int generalFirst = 0;
    int emptyCrossReferences = 0;
    std::map<std::string_view, int> names;
    for (int c = 0; c < db().chapterCount(); ++c) {
        const int first = c == 0 ? 0 : db().sectionEnd(c - 1);
        generalFirst += db().sectionName(first).bytes() == "GENERAL";
        EXPECT_TRUE(isUpperCase(db().chapterName(c).bytes())) << db().chapterName(c).bytes();
    }
    for (int s = 0; s < db().sectionCount(); ++s) {
        ++names[db().sectionName(s).bytes()];
        const int begin = s == 0 ? 0 : db().rubricEnd(s - 1);
        emptyCrossReferences +=
            db().sectionName(s).bytes() == "CROSS REFERENCE" && db().rubricEnd(s) == begin;
        EXPECT_TRUE(isUpperCase(db().sectionName(s).bytes())) << db().sectionName(s).bytes();
    }
    EXPECT_GT(generalFirst, 29);
    EXPECT_GE(emptyCrossReferences, 2);
    EXPECT_GT(names["TIME"], 10);
    EXPECT_GT(names["AGGRAVATION"], 10);
    EXPECT_GT(names["CROSS REFERENCE"], 10);
}

TEST_F(ReferenceRepertory, HasTheNamedRubrics) {
    EXPECT_EQ(db().rubricTextField(0).bytes(), "In general");
    EXPECT_EQ(db().remedyList(0).size(), 121u);
    EXPECT_EQ(db().rubricTextField(26563).bytes(), "Yawning, after, amel.");

    std::vector<int> sepGrades;
    for (RemedyEntry entry : db().remedyList(62)) {
        if (db().remedyName(remedyOf(entry)).bytes() == "sep.")
            sepGrades.push_back(gradeOf(entry));
    }
    EXPECT_EQ(sepGrades, (std::vector<int>{1, 3})) << "rubric 63 lists sep. twice, grade 1 first";
}

TEST_F(ReferenceRepertory, KeepsTextsPlainDistinctAndWithinTheirLengths) {
    std::size_t longest = 0;
    for (int s = 0; s < db().sectionCount(); ++s) {
        std::set<std::string_view> seen;
        for (int r = s == 0 ? 0 : db().rubricEnd(s - 1); r < db().rubricEnd(s); ++r) {
            const std::string_view text = db().rubricTextField(r).bytes();
            longest = std::max(longest, text.size());
            EXPECT_TRUE(seen.insert(text).second) << "repeated in its section: " << text;
            EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; }))
                << text;
        }
    }
    EXPECT_EQ(longest, 161u);
}

TEST_F(ReferenceRepertory, GivesTextSearchesRealisticResultSizes) {
    EXPECT_GT(rubricsWithWord("pain"), 2000);
    EXPECT_GT(rubricsWithWord("night"), 2000);
    EXPECT_GT(rubricsWithWord("agg"), 2000);
    const int rare = rubricsWithWord("glass");
    EXPECT_GE(rare, 1);
    EXPECT_LE(rare, 20);
}

TEST_F(ReferenceRepertory, ListsRemediesWithinTheSuppliedRules) {
    const std::vector<std::pair<int, std::string_view>> named = {
        {0, "acon."},     {1, "agar."},    {2, "ag-c."},  {3, "alu."},    {928, "mag-pho."},
        {929, "clac-c."}, {930, "ara-d."}, {931, "bly."}, {932, "lem-m."}};
    for (const auto& [index, name] : named)
        EXPECT_EQ(db().remedyName(index).bytes(), name);

    std::set<std::string_view> names;
    for (int m = 0; m < db().remedyCount(); ++m) {
        const std::string_view name = db().remedyName(m).bytes();
        names.insert(name);
        EXPECT_LE(name.size(), 12u) << name;
        EXPECT_TRUE(name.ends_with('.')) << name;
        EXPECT_TRUE(std::none_of(name.begin(), name.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
            << name;
    }
    EXPECT_EQ(names.size(), 933u);
    EXPECT_TRUE(names.contains("sep.") && names.contains("ant-t."));

    std::vector<bool> listed(933, false);
    std::map<std::size_t, int> sizes;
    int outOfOrder = 0;
    for (int r = 0; r < db().rubricCount(); ++r) {
        const RubricRecord& rubric = db().rubric(r);
        EXPECT_EQ(rubric.counterPolarity, 0);
        EXPECT_EQ(rubric.counterPolarityBd, 0);
        const std::span<const RemedyEntry> entries = db().remedyList(r);
        ++sizes[entries.size()];
        for (std::size_t k = 0; k < entries.size(); ++k) {
            const RemedyEntry entry = entries[k];
            listed[static_cast<std::size_t>(remedyOf(entry))] = true;
            // At most one grade mark, no BD mark, grades 1 to 4.
            ASSERT_EQ(entry & ~(kRemedyIndexMask | kGrade2Mark | kGrade3Mark | kGrade4Mark), 0u);
            ASSERT_LE(std::popcount(entry & kGradeMarks), 1);
            if (k > 0 &&
                db().remedyName(remedyOf(entry)).bytes() < db().remedyName(remedyOf(entries[k - 1])).bytes())
                ++outOfOrder;
        }
    }
    EXPECT_TRUE(std::all_of(listed.begin(), listed.end(), [](bool used) { return used; }));
    EXPECT_EQ(sizes.begin()->first, 1u);
    EXPECT_EQ(sizes.rbegin()->first, 160u);
    EXPECT_GT(sizes[5], 0);
    EXPECT_GT(sizes[6], 0);
    EXPECT_GT(sizes[1], sizes[20]) << "small rubrics outnumber large ones";
    EXPECT_GT(outOfOrder, 0);
    EXPECT_LT(outOfOrder, db().rubricCount() / 10) << "mostly alphabetical";
}

#ifdef TELVARIN_REFERENCE_SOURCE
// The embedded file is exactly what the compiler makes of the generated source.
TEST(ReferenceRepertorySource, CompilesToTheEmbeddedBytes) {
    std::ifstream file(TELVARIN_REFERENCE_SOURCE, std::ios::binary);
    if (!file)
        GTEST_SKIP() << "built with a repertory file of its own";
    std::ostringstream text;
    text << file.rdbuf();
    const RepertoryCompileResult result = compileRepertorySource(text.str());
    ASSERT_TRUE(std::holds_alternative<std::vector<std::byte>>(result));
    const auto& bytes = std::get<std::vector<std::byte>>(result);
    const std::span<const std::byte> embedded = builtinRepertoryBytes();
    ASSERT_EQ(bytes.size(), embedded.size());
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), embedded.begin()));
}
#endif

} // namespace
} // namespace telvarin
