// The German Kent as it ships: its figures, its quirks, and rubric numbers that a case history
// may hold. Once released, these numbers never change.

#include "foundation/text/CodePage.h"
#include "repertory/RepertoryImport.h"
#include "tests/repertory/ImportTestSupport.h"

#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <utility>

namespace telvarin {
namespace {

TEST(KentRepertory, ShippedFilesGiveThePinnedFiguresNumbersAndTexts) {
    const RepertoryImportResult result =
        importOpenRepRepertory(TELVARIN_KENT_DE_FOLDER, {}, TELVARIN_KENT_DE_POLARITIES);
    const RepertoryDatabase db = test::importedDatabase(result);
    EXPECT_EQ(db.chapterCount(), 37);
    EXPECT_EQ(db.sectionCount(), 7622);
    EXPECT_EQ(db.rubricCount(), 68738);
    // 624,010 graded entries stand in the remedy list file; 9 of them in the 4 lists of ids that
    // are no node of the tree.
    EXPECT_EQ(db.remedyEntryCount(), 624001);
    EXPECT_EQ(db.remedyCount(), 624);
    // Every remedy keeps its full name from the remedy file.
    for (int remedy = 0; remedy < db.remedyCount(); ++remedy)
        EXPECT_FALSE(db.remedyFullName(remedy).bytes().empty()) << db.remedyName(remedy).bytes();
    EXPECT_EQ(db.remedyName(0).bytes(), "abies-c.");
    EXPECT_EQ(db.remedyFullName(0).bytes(), "Abies Canadensis");
    // The symptom tree file's own tree: "Übelkeit, nachmittags" under "Übelkeit" under the
    // chapter's own rubric.
    EXPECT_EQ(db.parentRubric(24605), 24601);
    EXPECT_EQ(db.parentRubric(24601), 23569);
    EXPECT_EQ(db.parentRubric(23569), 0);

    const ImportReport& report = test::importReport(result);
    EXPECT_EQ(report.cutRubricTexts, 9);
    EXPECT_EQ(report.cutNames, 1);
    EXPECT_EQ(report.tidiedBlanks, 10);
    EXPECT_EQ(report.droppedEmptyParts, 1);
    EXPECT_EQ(report.droppedEmptyItems, 0);
    EXPECT_EQ(report.mergedPaths, 0);
    EXPECT_EQ(report.mergedEntries, 0);
    EXPECT_EQ(report.bracketGrades, 0);
    EXPECT_EQ(report.repeatedPaths, 606);
    // 4 repeated symptom ids, 4 orphan remedy lists, "Nieten", the book order, the empty label,
    // and the 7 groups of "besser" and "schlechter" whose texts stand twice.
    EXPECT_EQ(report.notes.size(), 18u);
    EXPECT_EQ(report.counterPolaritiesByRule, 885);
    EXPECT_EQ(report.counterPolaritiesLeftOut, 7);
    // Every line of our table named two rubrics without counter-polarity, or the import failed.
    EXPECT_EQ(report.counterPolaritiesByTable, 646);
    EXPECT_EQ(report.counterPolaritiesRepeated, 0);
    int paired = 0;
    for (int i = 0; i < db.rubricCount(); ++i) {
        const RubricRecord& rubric = db.rubric(i);
        if (rubric.counterPolarity == 0)
            continue;
        ++paired;
        EXPECT_EQ(rubric.counterPolarityBd, 0);
        EXPECT_EQ(db.rubric(rubric.counterPolarity - 1).counterPolarity, i + 1) << i;
    }
    EXPECT_EQ(paired, 2 * (885 + 646));

    // The first rubric of every chapter in the order of Kent's book, and rubrics in between.
    const std::pair<int, const char*> pinned[] = {
        {1, "Gemüt"},
        {2, "kurz angebunden"},
        {93, "antwortet, eintönig, \"nein\" auf alle Fragen"},
        {3531, "Wahnvorstellungen, Delirium, im"},
        {4528, "Schwindel"},
        {5018, "Kopf"},
        {11826, "Auge"},
        {13536, "Sehen"},
        {14380, "Ohr"},
        {14440, "Zusammenziehen, Gehörgang, im"},
        {16345, "Gehör"},
        {16503, "Nase"},
        {17943, "Gesicht"},
        {19963, "Mund"},
        {21504, "Zähne"},
        {22316, "Hals"},
        {22897, "Schmerz, stechender, Speiseröhre, als ob ein Knochen darin feststecken würde"},
        {23318, "Hals-Auß"
                "enseite"},
        {23569, "Magen"},
        {26710, "Bauch"},
        {30224, "Mastdarm"},
        {31513, "Stuhl"},
        {31735, "Blase"},
        {32482, "Nieren"},
        {32625, "Schmerz, Nierengegend, erstreckt sich nach unten"},
        {32739, "Prostata"},
        {32837, "Harnröhre"},
        {33427, "Urin"},
        {33820, "Geschlechtsorgane männlich"},
        {34908, "Geschlechtsorgane weiblich"},
        {36335, "Kehlkopf und Luftröhre"},
        {36475, "Reizbarkeit, Kehlkopf"},
        {37032, "Atmung"},
        {37775, "Husten"},
        {39275, "Auswurf"},
        {39615, "Brust"},
        {39771, "Kongestion (Blutandrang in der Brust), Herz, Menses, nach den"},
        {42971, "Rü"
                "cken"},
        {46829, "Extremitäten"},
        {47924, "Krämpfe, Beine, Stehen, beim"},
        {54994, "Schmerz, wunder, wie zerschlagen, Knö"
                "chel, Erschütterung, schlechter"},
        {62726, "Schlaf"},
        {63759, "Frost"},
        {64514, "Fieber"},
        {65095, "Schweiß"},
        {65483, "Haut"},
        {65747, "Hautausschläge, Pickel, schwarz"},
        {66620, "Allgemeines"},
        {68418, "Schwä"
                "che, Feuchtigkeit, durch Einwirkung von"},
        {68738, "Wein, saurer, schlechter"},
    };
    // "Allgemeines, Luft, frische, besser" and "..., schlechter" by rule.
    const auto numberOf = [&db](std::string_view text) {
        for (int i = db.rubricCount() - 1; i >= 0; --i)
            if (windows1252ToUtf8(db.rubricTextField(i).bytes()) == text)
                return i + 1;
        return 0;
    };
    const int freshAirBetter = numberOf("Luft, frische, besser");
    ASSERT_NE(freshAirBetter, 0);
    EXPECT_EQ(db.rubric(freshAirBetter - 1).counterPolarity, numberOf("Luft, frische, schlechter"));
    for (const auto& [number, text] : pinned)
        EXPECT_EQ(windows1252ToUtf8(db.rubricTextField(number - 1).bytes()), text) << number;
    EXPECT_EQ(db.sectionName(0).bytes(), "(ganzes Kapitel)");
    EXPECT_EQ(test::entriesText(db, 92), "crot-c.1 hyos.1 kali-br.1");
    EXPECT_EQ(test::entriesText(db, 68737), "ant-c.3 sulph.1 sep.1 ferr.1 ant-t.1 ars.2");
    EXPECT_TRUE(db.rubricTextField(38398).bytes().starts_with("Liegen, Gesicht, Schleimrasseln"));
    EXPECT_TRUE(db.rubricTextField(38398).bytes().ends_with("den Schleim..."));

    // The build imported the same files into the same bytes.
    std::ifstream built(TELVARIN_KENT_DE_BUILD_FILE, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(built), {}};
    const std::vector<std::byte>& imported = std::get<ImportedRepertory>(result).bytes;
    EXPECT_TRUE(bytes.size() == imported.size() &&
                std::memcmp(bytes.data(), imported.data(), bytes.size()) == 0);
}

} // namespace
} // namespace telvarin
