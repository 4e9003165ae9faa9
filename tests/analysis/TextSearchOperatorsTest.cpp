// The operators of the text search (exclusion, phrases, umlauts written as ae, oe, ue) on a small
// German repertory, and the searches without operators giving the rows they always gave.

#include "analysis/RemedyOverview.h"
#include "analysis/SearchPattern.h"
#include "analysis/TextSearch.h"
#include "foundation/text/CodePage.h"
#include "repertory/RepertoryTexts.h"
#include "tests/ReferenceRepertory.h"
#include "tests/analysis/PolarityRepertory.h"

#include <gtest/gtest.h>

namespace telvarin {
namespace {

// The texts below are written in UTF-8; the core's are Windows-1252.
std::string cp(std::string_view utf8) {
    return utf8ToWindows1252(utf8);
}

class GermanRepertory {
public:
    GermanRepertory() : words_(build()), db_(load()) {}
    const RepertoryDatabase& db() const { return db_; }

private:
    std::vector<std::uint32_t> build() {
        using Section = std::pair<const char*, std::vector<const char*>>;
        const std::vector<std::pair<const char*, std::vector<Section>>> chapters = {
            {"KOPF",
             {{"SCHMERZ",
               {"Schmerz, Stirn", "Schmerz, Schläfe", "Schmerz, linke Seite", "Schmerz, Seite, linke"}},
              {"STIRN", {"Hitze"}}}},
            {"MAGEN",
             {{"ALLGEMEIN",
               {"Übelkeit, morgens", "Uebelkeit, abends", "Aufstoßen", "Brechreiz, \"wie vergiftet\""}}}},
            {"GEMÜT",
             {{"STIMMUNG", {"Ärger", "Angst", "Œdème, Škoda, Žena, Ÿvonne", "Zorn über Kleinigkeiten"}}}},
            {"HALS", {{"ALLGEMEIN", {"Hals-Außenseite, Schwellung", "Übel, Öde, Ängste"}}}},
        };
        test::RepertoryBuilder b;
        b.remedies({"acon."});
        for (const auto& [chapter, sections] : chapters) {
            b.chapter(cp(chapter).c_str());
            for (const auto& [section, rubrics] : sections) {
                b.section(section);
                for (const char* rubric : rubrics)
                    b.rubric(cp(rubric).c_str(), {test::kAcon});
            }
        }
        auto words = b.words();
        size_ = b.size();
        return words;
    }
    RepertoryDatabase load() const {
        const auto* bytes = reinterpret_cast<const std::byte*>(words_.data());
        return std::get<RepertoryDatabase>(RepertoryDatabase::fromBytes({bytes, size_}));
    }

    std::size_t size_ = 0;
    std::vector<std::uint32_t> words_;
    RepertoryDatabase db_;
};

using Numbers = std::vector<RubricNumber>;

class GermanSearchTest : public ::testing::Test {
protected:
    Numbers search(std::string_view utf8, int chapter = -1) const {
        return textSearchMatches(index, Windows1252View(cp(utf8)), chapter);
    }
    GermanRepertory repertory;
    TextSearchIndex index{repertory.db()};
};

TEST(SearchWordsOperators, ExclusionsPhrasesAndQuotes) {
    using W = std::vector<SearchWord>;
    EXPECT_EQ(searchWords("kopf -stirn"), (W{{"KOPF", false}, {"STIRN", true}}));
    EXPECT_EQ(searchWords(cp("- Hals-Außenseite")), (W{{"-", false}, {"HALS-AUSSENSEITE", false}}));
    EXPECT_EQ(searchWords("-\"linke seite\" \"-stirn\""), (W{{"LINKE SEITE", true}, {"-STIRN", false}}));
    // An open quote runs to the end; two quotes inside quotes are one.
    EXPECT_EQ(searchWords("kopf \"linke  seite"), (W{{"KOPF", false}, {"LINKE  SEITE", false}}));
    EXPECT_EQ(searchWords("\"er sagt \"\"nein\"\"\" x"), (W{{"ER SAGT \"NEIN\"", false}, {"X", false}}));
    EXPECT_EQ(searchWords("\"\" -\"\""), (W{{"", false}, {"", true}}));
    // A phrase is one of the 20 words; with 20 blanks cut the rest replaces the twentieth word.
    std::string nineteen;
    for (int i = 0; i < 19; ++i)
        nineteen += "w ";
    EXPECT_EQ(searchWords(nineteen + "\"a b c\"").back(), (SearchWord{"A B C", false}));
    EXPECT_EQ(searchWords(nineteen + "w20 -x y").size(), 20u);
    EXPECT_EQ(searchWords(nineteen + "w20 -x y").back(), (SearchWord{"X Y", true}));
}

TEST(SearchPatternSpellings, AeOeUeAlsoMatchTheirUmlautButPlainVowelsNever) {
    EXPECT_TRUE(SearchPattern("UEBEL").isFoundIn(cp("ÜBELKEIT")));
    EXPECT_TRUE(SearchPattern("UEBEL").isFoundIn("UEBELKEIT"));
    EXPECT_FALSE(SearchPattern("UEBEL").isFoundIn("UBELKEIT"));
    EXPECT_FALSE(SearchPattern("A").isFoundIn(cp("ÄRGER")));
    EXPECT_TRUE(SearchPattern("MAEUSE").isFoundIn(cp("DIE MÄUSE")));
    EXPECT_TRUE(SearchPattern("OEAE").isFoundIn(cp("XÖAEY")));
    EXPECT_FALSE(SearchPattern("UE").isFoundIn("U"));
    // Found in a long text past an earlier near miss, at its true start.
    const std::string text = std::string(40, '.') + cp("BEI UEBLER BEI ÜBELKEIT, ABENDS");
    EXPECT_EQ(SearchPattern("BEI UEBELKEIT").find(text), 51u);
    EXPECT_EQ(SearchPattern("BEI UEBELKEIT").find(text, 52), std::string_view::npos);
}

TEST_F(GermanSearchTest, ExclusionByTextOrHeadingWithinTheChapterFilter) {
    EXPECT_EQ(search("kopf -stirn"), (Numbers{2, 3, 4})); // 5 stands in the section "STIRN"
    EXPECT_EQ(search("-stirn", 0), (Numbers{2, 3, 4}));
    EXPECT_EQ(search("-stirn", 1), (Numbers{6, 7, 8, 9}));
    EXPECT_EQ(search("schmerz -schläfe -seite"), (Numbers{1}));
    EXPECT_EQ(search("kopf -\"\""), search("kopf")); // an empty exclusion excludes nothing
    EXPECT_EQ(search("-"), (Numbers{14}));           // a lone "-" is text
    EXPECT_EQ(search("hals-aussenseite"), (Numbers{14}));
}

TEST_F(GermanSearchTest, PhrasesKeepTheirBlanksAndQuotes) {
    EXPECT_EQ(search("linke seite"), (Numbers{3, 4}));
    EXPECT_EQ(search("\"linke seite\""), (Numbers{3}));
    EXPECT_EQ(search("schmerz -\"linke seite\""), (Numbers{1, 2, 4}));
    EXPECT_EQ(search("\"\"\"wie vergiftet\"\"\""), (Numbers{9}));
    EXPECT_EQ(search("\"seite, l"), (Numbers{4})); // open to the end
    std::string nineteen;
    for (int i = 0; i < 19; ++i)
        nineteen += "schmerz ";
    EXPECT_EQ(search(nineteen + "\"linke seite\""), (Numbers{3}));
    EXPECT_EQ(search(nineteen + "schmerz -stirn"), (Numbers{2, 3, 4}));
}

TEST_F(GermanSearchTest, UmlautSpellingsAndCaseOfEveryLetter) {
    EXPECT_EQ(search("uebelkeit"), (Numbers{6, 7}));
    EXPECT_EQ(search("übelkeit"), (Numbers{6}));
    EXPECT_EQ(search("aerger"), (Numbers{10}));
    EXPECT_EQ(search("gemuet angst"), (Numbers{11})); // in the heading
    EXPECT_EQ(search("-uebel", 1), (Numbers{8, 9}));
    EXPECT_EQ(search("ä"), (Numbers{2, 10, 15})); // "a" finds none of them
    EXPECT_EQ(search("aufstoss"), (Numbers{8}));
    EXPECT_EQ(search("AUFSTOßEN"), (Numbers{8}));
    EXPECT_EQ(search("œdÈme škoda žena ÿvonne"), (Numbers{12}));
    // Phrases with one or two pairs are looked for in each spelling, with more as a pattern.
    EXPECT_EQ(search("\"zorn ueber"), (Numbers{13}));
    EXPECT_EQ(search("\"oede, ae"), (Numbers{15}));
    EXPECT_EQ(search("\"uebel, oede, aengste\""), (Numbers{15}));
    const Numbers withA = search("a");
    EXPECT_EQ(std::count(withA.begin(), withA.end(), 10) + std::count(withA.begin(), withA.end(), 2), 0);
}

// The rule as it always was: cut at the first 20 blanks, the rest replacing the twentieth word;
// a rubric matches when every word stands in its text or its section heading.
Numbers searchedAsBefore(const RepertoryDatabase& db, std::string_view text, int chapter) {
    std::vector<std::string> words;
    std::size_t start = 0;
    int cut = 0;
    for (std::size_t blank; cut < 20 && (blank = text.find(' ', start)) != std::string_view::npos; ++cut) {
        words.push_back(searchCapitals(text.substr(start, blank - start)));
        start = blank + 1;
    }
    if (cut == 20)
        words.back() = searchCapitals(text.substr(start));
    else
        words.push_back(searchCapitals(text.substr(start)));
    const RubricRange range = chapterRubricRange(db, chapter);
    Numbers numbers;
    for (RubricNumber number = range.first; number <= range.last; ++number) {
        const std::string rubric = searchCapitals(rubricText(db, number).bytes());
        const std::string heading = searchCapitals(sectionHeading(db, number - 1).bytes());
        bool all = true;
        for (const std::string& word : words)
            all = all && (rubric.find(word) != std::string::npos || heading.find(word) != std::string::npos);
        if (all)
            numbers.push_back(number);
    }
    return numbers;
}

TEST(TextSearchAsBefore, TheExamplesAndOtherSearchesWithoutOperators) {
    const RepertoryDatabase& db = test::referenceRepertory();
    const TextSearchIndex index(db);
    const std::vector<std::pair<std::string, int>> searches = {
        {"yawning after amel", -1},
        {"yawning after amel", 57},
        {"head pain", -1},
        {"PAIN HEAD", -1},
        {"[4]", -1},
        {"", 2},
        {"  ", 3},
        {"pai", -1},
        {"agg.", -1},
        {"stitching", 10},
        {"pain - left", -1},
        {"e-", -1},
        {"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21", -1},
        {"a e i o u a e i o u a e i o u a e i o u head pain", -1},
        {"ae oe", -1},
    };
    for (const auto& [text, chapter] : searches)
        EXPECT_EQ(textSearchMatches(index, Windows1252View(text), chapter),
                  searchedAsBefore(db, text, chapter))
            << '"' << text << "\" in chapter " << chapter;
}

} // namespace
} // namespace telvarin
