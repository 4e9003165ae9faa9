#include "foundation/text/GermanOrder.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace telvarin {
namespace {

std::vector<std::string> sortedGerman(std::vector<std::string> texts) {
    std::sort(texts.begin(), texts.end(), germanLess);
    return texts;
}

TEST(GermanOrder, UmlautsAndSharpSStandWithTheirBaseLetters) {
    EXPECT_EQ(sortedGerman({"Zander", "\xD6zt\xFCrk", "Becker", "\xC4rmel"}),
              (std::vector<std::string>{"\xC4rmel", "Becker", "\xD6zt\xFCrk", "Zander"}));
    EXPECT_EQ(sortedGerman({"\xDC"
                            "belkeit",
                            "Ubel", "Ufer",
                            "Stra\xDF"
                            "e",
                            "Strasse", "Strand"}),
              (std::vector<std::string>{"Strand", "Strasse",
                                        "Stra\xDF"
                                        "e",
                                        "Ubel",
                                        "\xDC"
                                        "belkeit",
                                        "Ufer"}));
    EXPECT_EQ(germanBaseLetters("Gem\xFCt \xE9t\xE9 \xC6"), "GEMUT ETE AE");
}

TEST(GermanOrder, CaseDecidesOnlyBetweenOtherwiseEqualTexts) {
    EXPECT_LT(compareGerman("apfel", "Birne"), 0);
    EXPECT_LT(compareGerman("Arm", "\xC4rmel"), 0);
    EXPECT_EQ(compareGermanIgnoringCase("m\xFCller", "M\xDCLLER"), 0);
    EXPECT_NE(compareGerman("m\xFCller", "M\xDCLLER"), 0);
    EXPECT_LT(compareGerman("Kopf", "Kopfschmerz"), 0);
    EXPECT_EQ(compareGerman("", ""), 0);
}

} // namespace
} // namespace telvarin
