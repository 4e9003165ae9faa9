// The operators of the text search (exclusion, phrases, umlauts written as ae, oe, ue) on a small
// German repertory, and the searches without operators giving the rows they always gave.

#include "analysis/RemedyOverview.h"
#include "analysis/SearchPattern.h"
#include "analysis/TextSearch.h"
#include "repertory/RepertoryTexts.h"
#include "tests/ReferenceRepertory.h"
#include "tests/analysis/PolarityRepertory.h"

#include <gtest/gtest.h>

namespace telvarin {
namespace {

//  chapter 0 "KOPF"    section "SCHMERZ": 1 Schmerz, Stirn  2 Schmerz, Schläfe  3 Schmerz, linke
//                      Seite  4 Schmerz, Seite, linke;  section "STIRN": 5 Hitze
//  chapter 1 "MAGEN"   section "ALLGEMEIN": 6 Übelkeit, morgens  7 Uebelkeit, abends  8 Aufstoßen
//                      9 Brechreiz, "wie vergiftet"
//  chapter 2 "GEMÜT"   section "STIMMUNG": 10 Ärger  11 Angst  12 Œdème, Škoda, Žena, Ÿvonne
//                      13 Zorn über Kleinigkeiten
//  chapter 3 "HALS"    section "ALLGEMEIN": 14 Hals-Außenseite, Schwellung  15 Übel, Öde, Ängste
class GermanRepertory {
public:
    GermanRepertory() : words_(build()), db_(load()) {}
    const RepertoryDatabase& db() const { return db_; }

private:
    std::vector<std::uint32_t> build() {
        test::RepertoryBuilder b;
        b.remedies({"acon.", "bell."});
        b.chapter("KOPF");
        b.section("SCHMERZ");
        for (const char* text : {"Schmerz, Stirn",
                                 "Schmerz, Schl\xE4"
                                 "fe",
                                 "Schmerz, linke Seite", "Schmerz, Seite, linke"})
            b.rubric(text, {test::kAcon});
        b.section("STIRN");
        b.rubric("Hitze", {test::kAcon});
        b.chapter("MAGEN");
        b.section("ALLGEMEIN");
        for (const char* text : {"\xDC"
                                 "belkeit, morgens",
                                 "Uebelkeit, abends",
                                 "Aufsto\xDF"
                                 "en",
                                 "Brechreiz, \"wie vergiftet\""})
            b.rubric(text, {test::kAgar});
        b.chapter("GEM\xDCT");
        b.section("STIMMUNG");
        for (const char* text : {"\xC4rger", "Angst",
                                 "\x8C"
                                 "d\xE8me, \x8A"
                                 "koda, \x8E"
                                 "ena, \x9Fvonne",
                                 "Zorn \xFC"
                                 "ber Kleinigkeiten"})
            b.rubric(text, {test::kAcon});
        b.chapter("HALS");
        b.section("ALLGEMEIN");
        b.rubric("Hals-Au\xDF"
                 "enseite, Schwellung",
                 {test::kAcon});
        b.rubric("\xDC"
                 "bel, \xD6"
                 "de, \xC4ngste",
                 {test::kAcon});
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
    Numbers search(std::string_view text, int chapter = -1) const {
        return textSearchMatches(index, text, chapter);
    }
    GermanRepertory repertory;
    TextSearchIndex index{repertory.db()};
};

TEST(SearchWordsOperators, ExclusionsPhrasesAndQuotes) {
    using W = SearchWord;
    EXPECT_EQ(searchWords("kopf -stirn"), (std::vector<W>{{"KOPF", false}, {"STIRN", true}}));
    // A lone "-" and a "-" inside a word are text.
    EXPECT_EQ(searchWords("- Hals-Au\xDF"
                          "enseite"),
              (std::vector<W>{{"-", false}, {"HALS-AUSSENSEITE", false}}));
    EXPECT_EQ(searchWords("\"linke seite\" kopf"), (std::vector<W>{{"LINKE SEITE", false}, {"KOPF", false}}));
    EXPECT_EQ(searchWords("-\"linke seite\""), (std::vector<W>{{"LINKE SEITE", true}}));
    EXPECT_EQ(searchWords("\"-stirn\""), (std::vector<W>{{"-STIRN", false}}));
    // An open quote runs to the end; two quotes inside quotes are one.
    EXPECT_EQ(searchWords("kopf \"linke  seite"), (std::vector<W>{{"KOPF", false}, {"LINKE  SEITE", false}}));
    EXPECT_EQ(searchWords("\"er sagt \"\"nein\"\"\" x"),
              (std::vector<W>{{"ER SAGT \"NEIN\"", false}, {"X", false}}));
    EXPECT_EQ(searchWords("\"\" -\"\""), (std::vector<W>{{"", false}, {"", true}}));

    // A phrase is one of the 20 words, its blanks are not cut.
    std::string nineteen;
    for (int i = 0; i < 19; ++i)
        nineteen += "w ";
    const std::vector<W> phrase = searchWords(nineteen + "\"a b c\"");
    ASSERT_EQ(phrase.size(), 20u);
    EXPECT_EQ(phrase.back(), (W{"A B C", false}));
    // With 20 blanks cut, the rest (an exclusion here) replaces the twentieth word.
    const std::vector<W> cut = searchWords(nineteen + "w20 -x y");
    ASSERT_EQ(cut.size(), 20u);
    EXPECT_EQ(cut.back(), (W{"X Y", true}));
}

TEST(SearchPatternSpellings, AeOeUeAlsoMatchTheirUmlautButPlainVowelsNever) {
    EXPECT_TRUE(SearchPattern("UEBEL").isFoundIn("\xDC"
                                                 "BELKEIT"));
    EXPECT_TRUE(SearchPattern("UEBEL").isFoundIn("UEBELKEIT"));
    EXPECT_FALSE(SearchPattern("UEBEL").isFoundIn("UBELKEIT"));
    EXPECT_FALSE(SearchPattern("A").isFoundIn("\xC4RGER"));
    EXPECT_FALSE(SearchPattern("U").isFoundIn("\xDC"));
    EXPECT_TRUE(SearchPattern("MAEUSE").isFoundIn("DIE M\xC4USE"));
    EXPECT_TRUE(SearchPattern("UE").isFoundIn("FEUER"));
    EXPECT_TRUE(SearchPattern("OEAE").isFoundIn("X\xD6"
                                                "AEY"));
    EXPECT_FALSE(SearchPattern("UE").isFoundIn("U"));
    // Found in a long text past an earlier near miss, at the true start.
    const std::string text = std::string(40, '.') + "BEI UEBLER BEI \xDC" + "BELKEIT, ABENDS";
    EXPECT_EQ(SearchPattern("BEI UEBELKEIT").find(text), 51u);
    EXPECT_EQ(SearchPattern("BEI UEBELKEIT").find(text, 52), std::string_view::npos);
    EXPECT_EQ(SearchPattern("KEIT, A").find(text), text.find("KEIT, A"));
}

TEST_F(GermanSearchTest, ExclusionByTextOrHeadingWithinTheChapterFilter) {
    EXPECT_EQ(search("kopf -stirn"), (Numbers{2, 3, 4})); // 5 stands in the section "STIRN"
    EXPECT_EQ(search("-stirn", 0), (Numbers{2, 3, 4}));
    EXPECT_EQ(search("-stirn", 1), (Numbers{6, 7, 8, 9}));
    EXPECT_EQ(search("schmerz -schl\xE4"
                     "fe -seite"),
              (Numbers{1}));
    EXPECT_EQ(search("-kopf -magen -gem\xFC"
                     "t"),
              (Numbers{14, 15}));
    EXPECT_TRUE(search("stirn -stirn").empty());
    EXPECT_EQ(search("kopf -\"\""), search("kopf")); // an empty exclusion excludes nothing
    // A lone "-" is searched as text.
    EXPECT_EQ(search("-"), (Numbers{14}));
    EXPECT_EQ(search("hals-aussenseite"), (Numbers{14}));
}

TEST_F(GermanSearchTest, PhrasesKeepTheirBlanksAndQuotes) {
    EXPECT_EQ(search("linke seite"), (Numbers{3, 4}));
    EXPECT_EQ(search("\"linke seite\""), (Numbers{3}));
    EXPECT_EQ(search("schmerz -\"linke seite\""), (Numbers{1, 2, 4}));
    EXPECT_EQ(search("\"\"\"wie vergiftet\"\"\""), (Numbers{9}));
    EXPECT_EQ(search("\"vergiftet\"\"\""), (Numbers{9}));
    EXPECT_TRUE(search("\"vergiftet\"\" x\"").empty());
    EXPECT_EQ(search("\"seite, l"), (Numbers{4})); // open to the end
    // Twenty words, one of them a phrase.
    std::string nineteen;
    for (int i = 0; i < 19; ++i)
        nineteen += "schmerz ";
    EXPECT_EQ(search(nineteen + "\"linke seite\""), (Numbers{3}));
    EXPECT_EQ(search(nineteen + "schmerz -stirn"), (Numbers{2, 3, 4}));
}

TEST_F(GermanSearchTest, UmlautSpellingsAndCaseOfEveryLetter) {
    EXPECT_EQ(search("uebelkeit"), (Numbers{6, 7}));
    EXPECT_EQ(search("UEBELKEIT morgens"), (Numbers{6}));
    EXPECT_EQ(search("\xFC"
                     "belkeit"),
              (Numbers{6})); // "übelkeit" finds "Übelkeit"
    EXPECT_EQ(search("aerger"), (Numbers{10}));
    EXPECT_EQ(search("ueber"), (Numbers{13}));
    EXPECT_EQ(search("gemuet angst"), (Numbers{11})); // in the heading
    EXPECT_EQ(search("-uebel", 1), (Numbers{8, 9}));
    // A plain vowel never stands for an umlaut.
    const Numbers withA = search("a");
    EXPECT_EQ(std::count(withA.begin(), withA.end(), 10), 0);
    EXPECT_EQ(search("\xE4"), (Numbers{2, 10, 15}));
    // Phrases with one or two pairs are looked for in each spelling, with more as a pattern.
    EXPECT_EQ(search("\"zorn ueber"), (Numbers{13}));
    EXPECT_EQ(search("\"oede, ae"), (Numbers{15}));
    EXPECT_EQ(search("\"uebel, oede, aengste\""), (Numbers{15}));
    EXPECT_EQ(search("\"uebel, oede, aengstE\" -\"uebel, oede, \xC4\""), (Numbers{}));
    EXPECT_EQ(search("aufstoss"), (Numbers{8}));
    EXPECT_EQ(search("AUFSTO\xDF"
                     "EN"),
              (Numbers{8}));
    // Every letter of the code page in either case.
    EXPECT_EQ(search("\x9C"
                     "D\xC8"
                     "ME"),
              (Numbers{12}));
    EXPECT_EQ(search("\x9A"
                     "koda \x9E"
                     "ena \xFF"
                     "vonne"),
              (Numbers{12}));
    EXPECT_EQ(search("\xDC"
                     "BER \"zorn \xDC"
                     "\""),
              (Numbers{13}));
}

// ---- the searches without operators give the rows they always gave ----

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
        const std::string rubric = searchCapitals(rubricText(db, number));
        const std::string heading = searchCapitals(sectionHeading(db, number - 1));
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
        {"forehead morning agg stooping", -1},
        {"pain - left", -1},
        {"e-", -1},
        {"a, b", -1},
        {"1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21", -1},
        {"a e i o u a e i o u a e i o u a e i o u head pain", -1},
        {"ae oe", -1},
    };
    for (const auto& [text, chapter] : searches)
        EXPECT_EQ(textSearchMatches(index, text, chapter), searchedAsBefore(db, text, chapter))
            << '"' << text << "\" in chapter " << chapter;
}

} // namespace
} // namespace telvarin
