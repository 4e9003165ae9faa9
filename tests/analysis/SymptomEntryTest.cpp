#include "analysis/SymptomEntry.h"

#include "tests/analysis/PolarityRepertory.h"

#include <gtest/gtest.h>

namespace telvarin {
namespace {

struct Case {
    const char* text;
    RubricNumber number;
    int bd;
    bool valid;
};

TEST(SymptomEntry, NumbersAndBdValues) {
    const test::PolarityRepertory repertory;
    const Case cases[] = {
        {"7", 7, 0, true},
        {"  -7", -7, 0, true},
        {"+7", 7, 0, true},
        {"7bd3", 7, 3, false},
        {"7 BD 3", 7, 3, false},
        {"7Bd", 7, 1, false},
        {"7bD\tignored", 7, 1, false},
        {"7Bx5", 7, 0, true},
        {"7bd2bd0", 7, 0, true}, // the last "bd" wins
        {"7bd-1", 7, -1, false}, // outside 0..4
        {"7bd9", 7, 9, false},
        {"bd3", 0, 0, false},   // scanning starts at the second character
        {"7\tbd3", 7, 0, true}, // the tab ends the scan
        {"7bdx", 7, 0, true},   // no digits after "d" give 0
        {"", 0, 0, false},
        {"abc", 0, 0, false},
        {"0", 0, 0, false},
        {"10", 10, 0, true},
        {"-10", -10, 0, true},
        {"11", 11, 0, false},
        {"-11", -11, 0, false},
        {"99999999999999999999", 1'000'000'000, 0, false}, // saturates instead of overflowing
        {"-99999999999999999999", -1'000'000'000, 0, false},
    };
    for (const Case& c : cases) {
        const ParsedSymptom parsed = parseSymptomEntry(repertory.db(), c.text);
        EXPECT_EQ(parsed.number, c.number) << c.text;
        EXPECT_EQ(parsed.bd, c.bd) << c.text;
        EXPECT_EQ(parsed.valid, c.valid) << c.text;
    }
}

} // namespace
} // namespace telvarin
