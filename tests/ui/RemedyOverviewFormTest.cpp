// The rules behind the remedy overview's controls: the size fields, the order in which the fields
// are taken over, the chapter and remedy lists, and reading a row's rubric back.

#include "ui/RemedyOverviewForm.h"

#include "foundation/text/CodePage.h"
#include "tests/ui/ResultsReference.h"

#include <gtest/gtest.h>

using namespace telvarin;
using telvarin::results_test::reference;

namespace {

const QString kIntegerMessage = QStringLiteral("Please enter an integer.");
const QString kRangeMessage = QStringLiteral("Please enter an integer between 0 and 99.");

OverviewFields filledFields() {
    OverviewFields fields;
    fields.remedyText = QStringLiteral("Sep");
    fields.grades = {true, false, true, false, true};
    fields.bdOnly = true;
    fields.sizeFilter = true;
    fields.minSizeText = QStringLiteral("5");
    fields.maxSizeText = QStringLiteral("40");
    fields.listOthers = true;
    return fields;
}

RemedyQuery previousQuery() {
    RemedyQuery query;
    query.remedyText = "acon."_w1252;
    query.chapterIndex = 7;
    query.minSize = 2;
    query.maxSize = 30;
    query.listOthers = false;
    return query;
}

} // namespace

TEST(SizeField, AcceptsWholeNumbersFromZeroToNinetyNine) {
    for (const auto& [text, value] : {std::pair{"0", 0}, {"99", 99}, {" 12 ", 12}, {"+5", 5}, {"007", 7}}) {
        const SizeFieldValue read = readSizeField(QString::fromLatin1(text));
        ASSERT_TRUE(read.value.has_value()) << text;
        EXPECT_EQ(*read.value, value) << text;
        EXPECT_TRUE(read.message.isEmpty()) << text;
    }
}

TEST(SizeField, AsksForAnIntegerOrForOneWithinTheRange) {
    for (const char* text : {"", "  ", "abc", "1.5", "12a", "-", "+", "1 2", "99999999999"}) {
        const SizeFieldValue read = readSizeField(QString::fromLatin1(text));
        EXPECT_FALSE(read.value.has_value()) << text;
        EXPECT_EQ(read.message, kIntegerMessage) << text;
    }
    for (const char* text : {"100", "-1", "150", "-0099999"}) {
        const SizeFieldValue read = readSizeField(QString::fromLatin1(text));
        EXPECT_FALSE(read.value.has_value()) << text;
        EXPECT_EQ(read.message, kRangeMessage) << text;
    }
}

TEST(SizeField, ArrowsStepWithinTheRange) {
    EXPECT_EQ(steppedSizeField("5", 1), "6");
    EXPECT_EQ(steppedSizeField(" 5 ", -1), "4");
    EXPECT_EQ(steppedSizeField("99", 1), "99");
    EXPECT_EQ(steppedSizeField("0", -1), "0");
    EXPECT_EQ(steppedSizeField("150", -1), "99");
    EXPECT_EQ(steppedSizeField("-7", 1), "0");
    EXPECT_EQ(steppedSizeField("abc", 1), "0");
    EXPECT_EQ(steppedSizeField("", -1), "99");
}

TEST(OverviewCommit, TakesEveryFieldOverAndKeepsTheChapter) {
    const OverviewCommit commit = commitOverviewFields(previousQuery(), filledFields());
    ASSERT_TRUE(commit.succeeded());
    EXPECT_TRUE(commit.message.isEmpty());
    const RemedyQuery& query = commit.query;
    EXPECT_EQ(query.remedyText, "Sep"_w1252);
    EXPECT_EQ(query.chapterIndex, 7);
    EXPECT_EQ(query.gradeWanted, (GradeSelection{true, false, true, false, true}));
    EXPECT_TRUE(query.bdOnly);
    EXPECT_TRUE(query.sizeFilter);
    EXPECT_EQ(query.minSize, 5);
    EXPECT_EQ(query.maxSize, 40);
    EXPECT_TRUE(query.listOthers);

    OverviewFields umlaut = filledFields();
    umlaut.remedyText = QStringLiteral("müll.");
    EXPECT_EQ(commitOverviewFields(previousQuery(), umlaut).query.remedyText, "m\xFC"_w1252
                                                                              "ll."_w1252);
}

TEST(OverviewCommit, StopsAtTheFirstSizeFieldThatIsNoNumberInRange) {
    OverviewFields badMinimum = filledFields();
    badMinimum.minSizeText = QStringLiteral("abc");
    const OverviewCommit atMinimum = commitOverviewFields(previousQuery(), badMinimum);
    EXPECT_EQ(atMinimum.failedField, OverviewField::MinimumSize);
    EXPECT_EQ(atMinimum.message, kIntegerMessage);
    // The fields before it are taken, the size fields and the ones after keep their values.
    EXPECT_EQ(atMinimum.query.remedyText, "Sep"_w1252);
    EXPECT_TRUE(atMinimum.query.sizeFilter);
    EXPECT_EQ(atMinimum.query.minSize, 2);
    EXPECT_EQ(atMinimum.query.maxSize, 30);
    EXPECT_FALSE(atMinimum.query.listOthers);

    OverviewFields badMaximum = filledFields();
    badMaximum.maxSizeText = QStringLiteral("150");
    const OverviewCommit atMaximum = commitOverviewFields(previousQuery(), badMaximum);
    EXPECT_EQ(atMaximum.failedField, OverviewField::MaximumSize);
    EXPECT_EQ(atMaximum.message, kRangeMessage);
    EXPECT_EQ(atMaximum.query.minSize, 5);
    EXPECT_EQ(atMaximum.query.maxSize, 30);
    EXPECT_FALSE(atMaximum.query.listOthers);

    // Both wrong: the minimum is named, as it is read first.
    badMinimum.maxSizeText = QStringLiteral("150");
    EXPECT_EQ(commitOverviewFields(previousQuery(), badMinimum).failedField, OverviewField::MinimumSize);
}

TEST(OverviewLists, ChapterChoicesStartWithTheWholeRepertory) {
    const RepertoryDatabase& db = reference();
    const std::vector<ChapterChoice> choices = chapterChoices(db);
    ASSERT_EQ(choices.size(), 59u);
    EXPECT_EQ(choices[0].name, "");
    EXPECT_EQ(choices[0].chapterIndex, -1);
    EXPECT_EQ(choices[1].name, "MIND");
    for (int chapter = 0; chapter < 58; ++chapter) {
        EXPECT_EQ(choices[static_cast<std::size_t>(chapter) + 1].chapterIndex, chapter);
        EXPECT_EQ(choices[static_cast<std::size_t>(chapter) + 1].name, db.chapterName(chapter).bytes());
    }
}

TEST(OverviewLists, RemedyNamesAreSortedWithoutRegardToCase) {
    const RepertoryDatabase& db = reference();
    const std::vector<std::string> names = sortedRemedyNames(db);
    ASSERT_EQ(names.size(), 933u);
    for (std::size_t i = 1; i < names.size(); ++i)
        EXPECT_LE(toUpperWindows1252(names[i - 1]), toUpperWindows1252(names[i])) << names[i];
    std::vector<std::string> stored;
    for (int remedy = 0; remedy < db.remedyCount(); ++remedy)
        stored.emplace_back(db.remedyName(remedy).bytes());
    EXPECT_TRUE(std::is_permutation(names.begin(), names.end(), stored.begin(), stored.end()));
}

TEST(OverviewTakeOver, ReadsTheRubricBackFromTheNumberCell) {
    const RepertoryDatabase& db = reference();
    EXPECT_EQ(symptomOfNumberCell(db, "807 "), (SymptomRef{807, 0}));
    EXPECT_EQ(symptomOfNumberCell(db, "1 "), (SymptomRef{1, 0}));
    EXPECT_EQ(symptomOfNumberCell(db, "26564 "), (SymptomRef{26564, 0}));
    for (const char* text : {"", " ", "0 ", "26565 ", "-5 ", "Nummer", "acon."})
        EXPECT_FALSE(symptomOfNumberCell(db, text).has_value()) << text;
}
