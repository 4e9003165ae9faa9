#include "foundation/grid/GridCellStore.h"
#include "foundation/grid/GridSortKeys.h"
#include "foundation/grid/PrintChoices.h"
#include "foundation/grid/PrintLayout.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>

namespace telvarin {
namespace {

TEST(GridSortText, NumbersBecomePaddedTextsAndOtherTextsStay) {
    EXPECT_EQ(numericSortText("12"), "0000012");
    EXPECT_EQ(numericSortText("-3"), "-0999997");
    EXPECT_EQ(numericSortText("0"), "0");
    EXPECT_EQ(numericSortText("abc"), "abc");
    EXPECT_EQ(numericSortText("100"), "0000100");
    EXPECT_EQ(numericSortText(""), "");
    EXPECT_EQ(numericSortText(" 7 BD 2"), "0000007"); // anything after the digits is ignored
}

TEST(GridSortText, AbsurdNumbersAreClampedWithoutOverflow) {
    EXPECT_EQ(leadingInteger(u"99999999999999999999"), INT_MAX);
    EXPECT_EQ(leadingInteger(u"-99999999999999999999"), INT_MIN);
    EXPECT_EQ(leadingInteger(u"+5x"), 5);
    EXPECT_EQ(leadingInteger(u"x5"), 0);
    EXPECT_EQ(numericSortText("-2147483648"), "--2146483648");
}

std::vector<ColumnSortKeys> keysOf(const std::vector<QString>& keyRow, const std::vector<QString>& other,
                                   const std::vector<QString>& headings) {
    std::vector<ColumnSortKeys> keys;
    for (std::size_t i = 0; i < keyRow.size(); ++i)
        keys.push_back({sortKeyBytes(numericSortText(keyRow[i])), other.empty() ? "" : sortKeyBytes(other[i]),
                        sortKeyBytes(headings[i])});
    return keys;
}

TEST(GridColumnOrder, DescendingByteOrderOfSortTextsAndItsReverse) {
    const auto keys = keysOf({"12", "-3", "0", "abc", "100"}, {}, {"a", "b", "c", "d", "e"});
    EXPECT_EQ(columnOrderByKeys(keys, false, false), (std::vector<int>{3, 4, 0, 2, 1}));
    EXPECT_EQ(columnOrderByKeys(keys, false, true), (std::vector<int>{1, 2, 0, 4, 3}));
}

TEST(GridColumnOrder, TiesGoToTheOtherRowThenToTheHeadingInTheOppositeDirection) {
    // Equal key row: the other row decides in the same direction, then row 0 reversed.
    const auto keys = keysOf({"2", "2", "2", "5"}, {"0000001", "0000009", "0000001", "0000000"},
                             {"zinc.", "bell.", "acon.", "sulph."});
    EXPECT_EQ(columnOrderByKeys(keys, true, false), (std::vector<int>{3, 1, 2, 0}));
    // Without the other row only the heading breaks the tie.
    EXPECT_EQ(columnOrderByKeys(keys, false, false), (std::vector<int>{3, 2, 1, 0}));
}

TEST(GridRowOrder, ByteOrderOfTheCodePageOrTheOwnersComparison) {
    const std::vector<QString> texts{u"z"_qs, u"ä"_qs, u"B"_qs, u"a"_qs};
    // Windows-1252: "B" 0x42 < "a" 0x61 < "z" 0x7A < "ä" 0xE4.
    EXPECT_EQ(rowOrderByTexts(texts, true, {}), (std::vector<int>{2, 3, 0, 1}));
    EXPECT_EQ(rowOrderByTexts(texts, false, {}), (std::vector<int>{1, 0, 3, 2}));
    const GridTextLess byLength = [](const QString& a, const QString& b) { return a.size() < b.size(); };
    EXPECT_EQ(rowOrderByTexts({u"ccc"_qs, u"a"_qs, u"bb"_qs}, true, byLength), (std::vector<int>{1, 2, 0}));
}

TEST(GridColumnSearch, BufferStartsAfreshAfterMoreThanThreeSeconds) {
    ColumnSearchBuffer buffer;
    EXPECT_TRUE(buffer.type(u'a', 1000)); // the first character ever counts as late
    EXPECT_FALSE(buffer.type(u'r', 1500));
    EXPECT_EQ(buffer.text(), "ar");
    EXPECT_TRUE(buffer.type(u'b', 5500));
    EXPECT_EQ(buffer.text(), "b");
    EXPECT_FALSE(buffer.type(u'e', 5500 + 3400));
    EXPECT_EQ(buffer.text(), "be");
}

TEST(GridColumnSearch, HeadingsAreComparedNormalised) {
    EXPECT_EQ(normalizedSearchText("ant-t. x"), "ANTTX");
    const std::vector<QString> headings{"", "acon.", "ant-c.", "ant-t.", "arn."};
    auto heading = [&](int c) { return headings[static_cast<std::size_t>(c)]; };
    EXPECT_EQ(findColumnByHeading(heading, 5, 0, "antt"), 3);
    EXPECT_EQ(findColumnByHeading(heading, 5, 0, "ANT"), 2);
    EXPECT_EQ(findColumnByHeading(heading, 5, 3, "ant"), 3);
    EXPECT_EQ(findColumnByHeading(heading, 5, 4, "acon"), -1);
    EXPECT_EQ(findColumnByHeading(heading, 5, 0, "q"), -1);
}

TEST(GridPaste, LinesAtLineFeedsCellsAtTabsAndCommasTrimmed) {
    const auto lines = splitPastedText(" 12 , 7\tabc\r\n\n 3\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (std::vector<QString>{"12", "7", "abc"}));
    EXPECT_EQ(lines[1], (std::vector<QString>{""}));
    EXPECT_EQ(lines[2], (std::vector<QString>{"3"}));
    EXPECT_EQ(splitPastedText("").size(), 1u);
}

TEST(GridCellStore, ColumnsMoveWithTheirCellsWidthsAndExtras) {
    GridCellStore store;
    store.setRowCount(2, 20);
    store.setColumnCount(4, 50);
    for (int c = 0; c < 4; ++c) {
        store.cell(0, c).text = QString::number(c);
        store.cell(1, c).text = QString::number(c * 10);
        store.setColumnWidth(c, 100 + c);
    }
    store.extraForWriting(1, 3).tip = "tip of 3";
    const std::vector<int> order{3, 1, 2};
    store.permuteColumns(1, order);
    EXPECT_EQ(store.cell(0, 0).text, "0");
    EXPECT_EQ(store.cell(0, 1).text, "3");
    EXPECT_EQ(store.cell(1, 1).text, "30");
    EXPECT_EQ(store.columnWidth(1), 103);
    EXPECT_EQ(store.columnWidth(3), 102);
    ASSERT_NE(store.extra(1, 1), nullptr);
    EXPECT_EQ(store.extra(1, 1)->tip, "tip of 3");

    // Shrinking drops the cells beyond and keeps the rest with their extras.
    store.extraForWriting(0, 3).tip = "dropped";
    store.setColumnCount(2, 50);
    store.setColumnCount(4, 50);
    EXPECT_EQ(store.cell(1, 1).text, "30");
    EXPECT_EQ(store.extra(1, 1)->tip, "tip of 3");
    EXPECT_EQ(store.extra(0, 3), nullptr);
    EXPECT_TRUE(store.cell(0, 3).text.isEmpty());
}

TEST(GridCellStore, RowsMoveWithTheirHeights) {
    GridCellStore store;
    store.setColumnCount(1, 50);
    store.setRowCount(4, 20);
    for (int r = 0; r < 4; ++r) {
        store.cell(r, 0).text = QString::number(r);
        store.setRowHeight(r, 20 + r);
    }
    const std::vector<int> order{3, 2, 1};
    store.permuteRows(1, order);
    EXPECT_EQ(store.cell(1, 0).text, "3");
    EXPECT_EQ(store.rowHeight(1), 23);
    EXPECT_EQ(store.cell(3, 0).text, "1");

    const std::vector<int> cycle{2, 3, 1}; // rows 3, 1, 2 now stand at 1..3
    store.permuteRows(1, cycle);
    EXPECT_EQ(store.cell(1, 0).text, "2");
    EXPECT_EQ(store.cell(2, 0).text, "1");
    EXPECT_EQ(store.cell(3, 0).text, "3");
    EXPECT_EQ(store.rowHeight(3), 23);
    EXPECT_EQ(store.cell(0, 0).text, "0");
}

TEST(GridPrintColumns, ATableThatFitsReadablyIsScaledToThePageWidth) {
    const PrintColumnPlan plan = planPrintColumns({{100, 0, 300}, 1, 8000, 10.0, 140, {}});
    EXPECT_DOUBLE_EQ(plan.scale, 20.0);
    EXPECT_EQ(plan.widths, (std::vector<int>{100, 0, 300}));
    EXPECT_EQ(plan.bands, (std::vector<std::vector<int>>{{0, 2}}));
}

TEST(GridPrintColumns, WideTextColumnsAreNarrowedBeforePagesGoAcross) {
    // 1,200 screen pixels at a readable scale of 10 leave 800 on a page of 8,000 device pixels.
    const PrintColumnPlan plan = planPrintColumns({{80, 50, 700, 200, 170}, 0, 8000, 10.0, 140, {}});
    EXPECT_DOUBLE_EQ(plan.scale, 10.0);
    ASSERT_EQ(plan.bands.size(), 1u);
    int total = 0;
    for (const int width : plan.widths)
        total += width;
    EXPECT_LE(total, 800);
    EXPECT_EQ(plan.widths[0], 80);
    EXPECT_EQ(plan.widths[1], 50);
    EXPECT_GE(plan.widths[4], 140);
}

TEST(GridPrintColumns, ColumnsWiderThanTheirTextsGiveUpTheirRoomFirst) {
    // Widened to fill a window: the number and grade columns hold short texts.
    PrintColumnsRequest request{{200, 200, 500, 300}, 0, 8000, 10.0, 140, {40, 60, 600, 250}};
    PrintColumnPlan plan = planPrintColumns(request);
    EXPECT_EQ(plan.widths, (std::vector<int>{40, 60, 461, 238}));
    EXPECT_DOUBLE_EQ(plan.scale, 10.0);
    // Without that room the table fits readably: scaled to the page width.
    request.contentWidths = {40, 60, 300, 200};
    plan = planPrintColumns(request);
    EXPECT_EQ(plan.widths, (std::vector<int>{40, 60, 300, 200}));
    EXPECT_DOUBLE_EQ(plan.scale, 8000.0 / 600);
    EXPECT_EQ(plan.bands, (std::vector<std::vector<int>>{{0, 1, 2, 3}}));
}

TEST(GridPrintColumns, ManyColumnsContinueAcrossWithTheLeadingOnesRepeated) {
    std::vector<int> widths{450, 300};
    widths.insert(widths.end(), 403, 40);
    const PrintColumnPlan plan = planPrintColumns({widths, 2, 8000, 10.0, 140, {}});
    EXPECT_DOUBLE_EQ(plan.scale, 10.0);
    EXPECT_GT(plan.bands.size(), 20u);
    EXPECT_LE(plan.widths[0] + plan.widths[1], 400); // at most half of each page
    std::vector<int> seen(widths.size(), 0);
    for (const std::vector<int>& band : plan.bands) {
        ASSERT_GE(band.size(), 3u);
        EXPECT_EQ(band[0], 0);
        EXPECT_EQ(band[1], 1);
        int total = 0;
        for (const int col : band) {
            total += plan.widths[static_cast<std::size_t>(col)];
            ++seen[static_cast<std::size_t>(col)];
        }
        EXPECT_LE(total, 800);
    }
    // Every remedy column on exactly one page across, in order.
    EXPECT_TRUE(std::all_of(seen.begin() + 2, seen.end(), [](int n) { return n == 1; }));
    EXPECT_EQ(plan.bands.back().back(), 404);
}

TEST(GridPrintPages, RowsFillEachPageAndATallRowGetsItsOwn) {
    EXPECT_EQ(planPrintPages({10, 0, 10, 10, 25, 5}, 20.0),
              (std::vector<std::vector<int>>{{0, 2}, {3}, {4}, {5}}));
    EXPECT_EQ(planPrintPages({}, 20.0), (std::vector<std::vector<int>>{{}}));
    EXPECT_NEAR(readablePrintScale(12.0, 1200.0), 8.0 / 72.0 * 1200.0 / 12.0, 1e-9);
}

TEST(GridPrintChoices, ALongRankingAsksUntilDruckmittelIsStored) {
    EXPECT_TRUE(printedColumnsChoice(kPrintedColumnsUnset, 446).ask);
    EXPECT_EQ(printedColumnsChoice(kPrintedColumnsUnset, 30).columns, 30);
    EXPECT_FALSE(printedColumnsChoice(kPrintedColumnsUnset, 30).ask);
    EXPECT_EQ(printedColumnsChoice(0, 446).columns, 446);
    EXPECT_EQ(printedColumnsChoice(printedColumnsSetting(0), 446).columns, 30);
    EXPECT_EQ(printedColumnsChoice(printedColumnsSetting(1), 446).columns, 446);
    EXPECT_EQ(printedColumnsChoice(50, 12).columns, 12);
    EXPECT_FALSE(printedColumnsChoice(50, 446).ask);
    EXPECT_EQ(printedColumnsAnswers(446),
              QStringList({"Nur die ersten 30 Mittel drucken", "Alle 446 Mittel drucken"}));
}

TEST(GridPrintChoices, LandscapeForAWideTableAndAHeaderOfWhatIsThere) {
    EXPECT_TRUE(printsInLandscape({300, 100, 30, 30}, {20, 20, 20}));
    EXPECT_FALSE(printsInLandscape({300, 0}, {200, 200}));
    EXPECT_EQ(printedPageTitle(QStringLiteral(" Müller "), QDate(2024, 3, 5), QStringLiteral("Kent")),
              QStringLiteral("Müller – 05.03.2024 – Kent"));
    EXPECT_EQ(printedPageTitle(QString(), QDate(2024, 3, 5), QString()), QStringLiteral("05.03.2024"));
}

} // namespace
} // namespace telvarin
