// Import of the json and tsv exchange formats: the samples in tests/data, untidy data tidied and
// counted, and every refusal with its place.

#include "repertory/RepertoryImport.h"

#include "tests/repertory/ImportTestSupport.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>

namespace telvarin {
namespace {

namespace fs = std::filesystem;

using test::entriesText;
using test::importReport;
using test::refusal;

TEST(RepertoryImport, JsonSampleKeepsChapterOrderSortsPathsAndMergesSpellings) {
    const RepertoryImportResult result = importJsonRepertory(TELVARIN_TEST_DATA_DIR "/import-json");
    const RepertoryDatabase db = test::importedDatabase(result);
    EXPECT_EQ(importReport(result).cutRubricTexts, 1);
    ASSERT_EQ(db.chapterCount(), 3);
    EXPECT_EQ(db.chapterName(0).bytes(), "MIND");
    EXPECT_EQ(db.chapterName(2).bytes(), "STOMACH");
    EXPECT_EQ(db.sectionCount(), 8);
    EXPECT_EQ(db.rubricCount(), 12);
    EXPECT_EQ(db.remedyEntryCount(), 27);
    EXPECT_EQ(db.remedyCount(), 13); // ACON, Acon, acon, ACON. are one remedy

    // Sections as they first appear; within one, parent before children, case ignored.
    EXPECT_EQ(db.sectionName(0).bytes(), "ANXIETY");
    EXPECT_EQ(db.sectionName(1).bytes(), "GENERAL");
    EXPECT_EQ(db.rubricTextField(0).bytes(), "Anxiety");
    EXPECT_EQ(entriesText(db, 0), "acon.3 ars.2 calc.1");
    const std::string_view longText = db.rubricTextField(1).bytes();
    EXPECT_TRUE(longText.starts_with("Anxiety, health, about his own"));
    EXPECT_TRUE(longText.ends_with("the complaint, with palpitation...")) << longText;
    EXPECT_LE(longText.size(), kRubricTextSize - 1);
    EXPECT_EQ(db.rubricTextField(2).bytes(), "Anxiety, night");
    EXPECT_EQ(db.rubricTextField(3).bytes(), "Mind"); // the chapter's own rubric
    EXPECT_EQ(entriesText(db, 3), "acon.2 bell.1");
    EXPECT_EQ(db.rubricTextField(6).bytes(), "Delusions, fianc\xE9"
                                             "e is unfaithful");
    EXPECT_EQ(db.sectionName(db.sectionOfRubric(9)).bytes(), "MORNING");
    EXPECT_EQ(entriesText(db, 10), "nux-v.2 ip.3 ars.2");

    // A path that extends another by whole parts hangs below it.
    ASSERT_TRUE(db.hasRubricTree());
    EXPECT_EQ(db.parentRubric(2), 1);
    EXPECT_EQ(db.parentRubric(3), 1);
    EXPECT_EQ(db.parentRubric(4), 0);
    EXPECT_EQ(db.rubricTextField(5).bytes(), "Fear, dark");
    EXPECT_EQ(db.parentRubric(6), 5);
    EXPECT_EQ(db.parentRubric(7), 0);
}

TEST(RepertoryImport, TsvSampleGroupsLinesIntoRubricsWithTheirGrades) {
    std::ifstream in(TELVARIN_TEST_DATA_DIR "/import.tsv", std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    const RepertoryImportResult result = importTsvRepertory(text, "import.tsv");
    const RepertoryDatabase db = test::importedDatabase(result);
    EXPECT_EQ(importReport(result).cutRubricTexts, 1);
    EXPECT_EQ(db.chapterCount(), 2);
    EXPECT_EQ(db.sectionCount(), 3);
    EXPECT_EQ(db.rubricCount(), 4);
    EXPECT_EQ(db.remedyCount(), 6);
    EXPECT_EQ(entriesText(db, 0), "acon.3 bell.1"); // acon. twice: one entry, the higher grade
    EXPECT_EQ(importReport(result).mergedEntries, 1);
    EXPECT_EQ(entriesText(db, 1), "stram.4 calc.5");
    EXPECT_EQ(db.rubricTextField(2).bytes(), "Fear, about his fianc\xE9"
                                             "e, costing 5 \x80");
    EXPECT_TRUE(db.rubricTextField(3).bytes().ends_with("...")); // CR LF lines read too
    EXPECT_EQ(entriesText(db, 3), "nux-v.3 bell.2");
    EXPECT_FALSE(db.hasRubricTree());

    // The nearest earlier path that the text extends is the parent; one written later is none.
    const RepertoryImportResult nestedResult = importTsvRepertory(
        "MIND\tFEAR\tFear, dark\tacon\t1\nMIND\tFEAR\tFear\tacon\t1\nMIND\tFEAR\tFear, dark, night\tacon\t1\n"
        "MIND\tFEAR\tfear, DARK, night, alone\tacon\t1\nMIND\tANGER\tFear, dark, day\tacon\t1\n",
        "t.tsv");
    const RepertoryDatabase nested = test::importedDatabase(nestedResult);
    EXPECT_EQ(nested.parentRubric(1), 0);
    EXPECT_EQ(nested.parentRubric(2), 0);
    EXPECT_EQ(nested.parentRubric(3), 1);
    EXPECT_EQ(nested.parentRubric(4), 3);
    EXPECT_EQ(nested.parentRubric(5), 0); // another section
}

TEST(RepertoryImport, TsvRefusalsNameTheirLine) {
    const std::string good = "MIND\tGENERAL\tFear\tacon\t1\n";
    std::string manyRemedies;
    for (int i = 0; i <= 2048; ++i)
        manyRemedies += "MIND\tGENERAL\tFear\tr" + std::to_string(i) + "\t1\n";
    const std::map<std::string, std::string> cases{
        {good + "MIND\tGENERAL\tFear\tbell\t6\n", "t.tsv, Zeile 2: unbekannte Wertigkeit \"6\""},
        {good + "MIND\tGENERAL\tAnger\t \t1\n", "t.tsv, Zeile 2: das Feld Mittel ist leer"},
        {good + "MIND\tGENERAL\tAnger\tnat-m (4)\t3\n",
         "t.tsv, Zeile 2: Wertigkeit 4 im Kürzel \"nat-m (4)\" widerspricht dem Feld Wertigkeit 3"},
        {good + "MIND\tGENERAL\tAnger\tnux v\t1\n", "t.tsv, Zeile 2: ungültiges Kürzel \"nux v\""},
        {good + "MIND\tGENERAL\t , \tbell\t1\n", "t.tsv, Zeile 2: das Feld Rubriktext hat nur leere Teile"},
        {good + "MIND\tGENERAL\tFear → dark\tbell\t1\n",
         "t.tsv, Zeile 2: Feld Rubriktext, Zeichen 6: Zeichen U+2192 gibt es in Windows-1252 nicht"},
        {good + "MIND\tGENERAL\tFear\n",
         "t.tsv, Zeile 2: 5 oder 6 Felder mit Tabulator getrennt erwartet, 3 gefunden"},
        {good + "HEAD\tGENERAL\tPain\tbell\t1\n" + good,
         "t.tsv, Zeile 3: Kapitel \"MIND\" stand schon in Zeile 1"},
        {manyRemedies, "t.tsv, Zeile 2049: Mittel \"r2048\" wäre das 2049. Mittel (hö"
                       "chstens 2048)"},
        {"", "t.tsv: keine Rubrik gefunden"},
    };
    for (const auto& [text, message] : cases) {
        const std::string actual = refusal(importTsvRepertory(text, "t.tsv"));
        EXPECT_TRUE(actual.starts_with(message)) << actual;
    }
}

TEST(RepertoryImport, JsonRefusalsNameFileKeyAndPosition) {
    const fs::path folder = fs::path(TELVARIN_TEST_OUTPUT_DIR) / "import-json-refusals";
    const auto refusalOf = [&folder](const std::string& chapterFile) {
        fs::remove_all(folder);
        fs::create_directories(folder);
        std::ofstream(folder / "index.json") << R"({"Mind": {"file": "mind.json"}})";
        std::ofstream(folder / "mind.json") << chapterFile;
        return refusal(importJsonRepertory(folder.string()));
    };
    EXPECT_EQ(refusalOf(R"({"Mind, fear": ""})"), "mind.json, Schlüssel \"Mind, fear\": leere Mittelliste");
    EXPECT_EQ(refusalOf(R"({"Mind, fear": "acon, aCon"})"),
              "mind.json, Schlüssel \"Mind, fear\": unbekannte Wertigkeit der Schreibweise \"aCon\" "
              "(ACON 3, Acon 2, acon 1)");
    EXPECT_EQ(refusalOf(R"({"Mind, fear": ", , "})"),
              "mind.json, Schlüssel \"Mind, fear\": leere Mittelliste");
    EXPECT_EQ(refusalOf(R"x({"Mind, fear": "acon (6)"})x"),
              "mind.json, Schlüssel \"Mind, fear\": unbekannte Wertigkeit \"(6)\" (erlaubt 1 bis 5)");
    EXPECT_TRUE(refusalOf(R"({"Mind, fear": "acon, Nux v."})")
                    .starts_with("mind.json, Schlüssel \"Mind, fear\": ungültiges Kürzel \"Nux v.\""));
    EXPECT_EQ(refusalOf("{\"Mind, fear → dark\": \"acon\"}"),
              "mind.json, Schlüssel \"Mind, fear → dark\", Zeichen 12: Zeichen U+2192 gibt es in "
              "Windows-1252 nicht");
    EXPECT_EQ(refusalOf(R"({"Head, pain": "acon"})"),
              "mind.json, Schlüssel \"Head, pain\": der Pfad beginnt nicht mit dem Kapitel \"Mind\"");
    EXPECT_EQ(refusalOf("{\"Mind, fear\": \"acon\",\n \"Mind\" \"bell\"}"),
              "mind.json, Zeile 2, Spalte 9: \":\" erwartet");
    EXPECT_NE(
        refusal(importJsonRepertory((folder / "missing").string())).find("index.json ist nicht vorhanden"),
        std::string::npos);
}

TEST(RepertoryImport, UntidyJsonIsTidiedMergedAndCounted) {
    const fs::path folder = fs::path(TELVARIN_TEST_OUTPUT_DIR) / "import-json-untidy";
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "index.json") << R"({"Mind ": {"file": "mind.json"}})";
    std::ofstream(folder / "mind.json") << R"({
        "Mind, fear, ": "acon, ",
        "Mind, anger": "NAT-M (4), nux-v, Nux-v",
        "Mind,  Fear": "ACON, bell",
        "Mind, fear, dark": "calc"})";
    const RepertoryImportResult result = importJsonRepertory(folder.string());
    const RepertoryDatabase db = test::importedDatabase(result);
    ASSERT_EQ(db.rubricCount(), 3);
    EXPECT_EQ(db.chapterName(0).bytes(), "MIND");
    EXPECT_EQ(db.rubricTextField(0).bytes(), "Fear");
    EXPECT_EQ(entriesText(db, 0), "acon.3 bell.1"); // both paths: acon. at its higher grade
    EXPECT_EQ(db.rubricTextField(1).bytes(), "Fear, dark");
    EXPECT_EQ(entriesText(db, 2), "nat-m.4 nux-v.2");
    const ImportReport& report = importReport(result);
    EXPECT_EQ(report.tidiedBlanks, 2);      // "Mind " and "Mind,  Fear"
    EXPECT_EQ(report.droppedEmptyParts, 1); // "Mind, fear, "
    EXPECT_EQ(report.droppedEmptyItems, 1); // "acon, "
    EXPECT_EQ(report.mergedPaths, 1);
    EXPECT_EQ(report.mergedEntries, 1); // nux-v, Nux-v; acon of both paths is a merge, not a double
    EXPECT_EQ(report.bracketGrades, 1);
    EXPECT_EQ(report.notes, std::vector<std::string>{"mind.json, Schlüssel \"Mind,  Fear\": gleicher "
                                                     "Pfad wie \"Mind, fear, \", mit ihm eine Rubrik"});
}

TEST(RepertoryImport, UntidyTsvIsTidiedMergedAndCounted) {
    const RepertoryImportResult result =
        importTsvRepertory("MIND\tGENERAL\tFear\tacon\t1\tAconitum napellus\n"
                           "MIND\tGENERAL\tFear\tacon.\t2\t\n"
                           "MIND\tGENERAL\tAnger,  at night, \tnat-m (4)\t4\n"
                           "MIND\tGENERAL\tfear\tbell\t1\n"
                           "MIND\tGENERAL\tfear\tACON\t3\n",
                           "t.tsv");
    const RepertoryDatabase db = test::importedDatabase(result);
    ASSERT_EQ(db.rubricCount(), 2);
    EXPECT_EQ(db.rubricTextField(0).bytes(), "Fear");
    EXPECT_EQ(entriesText(db, 0), "acon.3 bell.1");
    EXPECT_EQ(db.rubricTextField(1).bytes(), "Anger, at night");
    EXPECT_EQ(entriesText(db, 1), "nat-m.4");
    // The sixth field names the remedy; an empty one keeps the name given before.
    EXPECT_EQ(db.remedyFullName(0).bytes(), "Aconitum napellus");
    EXPECT_EQ(db.remedyFullName(1).bytes(), "");
    const ImportReport& report = importReport(result);
    EXPECT_EQ(report.tidiedBlanks, 1);
    EXPECT_EQ(report.droppedEmptyParts, 1);
    EXPECT_EQ(report.mergedPaths, 1);
    EXPECT_EQ(report.mergedEntries, 1); // lines 1 and 2; line 5 adds to the path of line 1
    EXPECT_EQ(report.bracketGrades, 1);
    EXPECT_EQ(report.notes, std::vector<std::string>{
                                "t.tsv, Zeile 4: Rubrik \"fear\" wie in Zeile 1, mit ihr eine Rubrik"});
    const std::vector<std::string> lines = importReportLines(report);
    EXPECT_EQ(lines.front(), "Texte mit bereinigten Leerzeichen (doppelt, am Rand, fehlend nach Komma): 1");
    EXPECT_EQ(lines.back(), report.notes.back());
}

} // namespace
} // namespace telvarin

namespace telvarin {
namespace {

int counterOf(const RepertoryDatabase& db, int rubric) {
    EXPECT_EQ(db.rubric(rubric).counterPolarityBd, 0);
    return db.rubric(rubric).counterPolarity;
}

TEST(RepertoryImport, CounterPolaritiesByRuleAndByTable) {
    // Records: 0 "Trost, besser", 1 "Trost, schlechter", 2 "Wärme, schlechter", 3 "Kälte, schlechter",
    // 4 "Angst, besser" and 5 "Angst, schlechter" in another section, 6 "Angst, besser" again there,
    // 7 "Trost, schlechter" in another chapter.
    const std::string tsv = "GEMÜT\tA\tTrost, besser\tacon\t1\n"
                            "GEMÜT\tA\tTrost,  schlechter\tbell\t2\n"
                            "GEMÜT\tA\tWärme, schlechter\tacon\t1\n"
                            "GEMÜT\tA\tKälte, schlechter\tbell\t1\n"
                            "GEMÜT\tA\tAngst, besser\tacon\t1\n"
                            "GEMÜT\tB\tAngst, schlechter\tacon\t1\n"
                            "GEMÜT\tB\tAngst, besser\tbell\t1\n"
                            "KOPF\tA\tTrost, schlechter\tacon\t1\n";
    const fs::path folder = fs::path(TELVARIN_TEST_OUTPUT_DIR) / "import-polarities";
    fs::create_directories(folder);
    const auto withTable = [&](const std::string& table) {
        const fs::path file = folder / "pole.tsv";
        std::ofstream(file, std::ios::binary) << table;
        return importTsvRepertory(tsv, "pole.tsv", file.string());
    };

    const RepertoryImportResult byRule = importTsvRepertory(tsv, "pole.tsv");
    const RepertoryDatabase ruleDb = test::importedDatabase(byRule);
    EXPECT_EQ(counterOf(ruleDb, 0), 2);
    EXPECT_EQ(counterOf(ruleDb, 1), 1);
    for (const int unpaired : {2, 3, 4, 5, 6, 7})
        EXPECT_EQ(counterOf(ruleDb, unpaired), 0) << unpaired;
    EXPECT_EQ(importReport(byRule).counterPolaritiesByRule, 1);
    EXPECT_EQ(importReport(byRule).counterPolaritiesLeftOut, 1); // "Angst, besser" twice
    ASSERT_EQ(importReport(byRule).notes.size(), 1u);
    EXPECT_NE(importReport(byRule).notes[0].find("\"GEMÜT, Angst, besser\" 2-mal"), std::string::npos);

    // Paths tidied and letter case aside; a line that repeats the rule's pair is only counted.
    const RepertoryImportResult byTable =
        withTable("# Gegenpole\n\n"
                  "gemüt, wärme,  schlechter\tGEMÜT, Kälte, "
                  "schlechter\tWärme und Kälte\n"
                  "GEMÜT, Trost, schlechter\tGEMÜT, Trost, besser\tdoppelt\n");
    const RepertoryDatabase tableDb = test::importedDatabase(byTable);
    EXPECT_EQ(counterOf(tableDb, 2), 4);
    EXPECT_EQ(counterOf(tableDb, 3), 3);
    EXPECT_EQ(importReport(byTable).counterPolaritiesByTable, 1);
    EXPECT_EQ(importReport(byTable).counterPolaritiesRepeated, 1);

    const std::pair<std::string, std::string> refused[] = {
        {"GEMÜT, Ruhe\tGEMÜT, Trost, besser\tx\n", "pole.tsv, Zeile 1: keine Rubrik \"GEMÜT, Ruhe\""},
        {"GEMÜT, Angst, besser\tKOPF, Trost, schlechter\tx\n",
         "pole.tsv, Zeile 1: mehrere Rubriken \"GEMÜT, Angst, besser\""},
        {"\nKOPF, Trost, schlechter\tGEMÜT, Trost, besser\tx\n",
         "pole.tsv, Zeile 2: \"GEMÜT, Trost, besser\" hat schon die Gegenpolarität "
         "\"GEMÜT, Trost, schlechter\""},
        {"KOPF, Trost, schlechter\tKOPF, Trost, schlechter\tx\n",
         "pole.tsv, Zeile 1: beide Pfade nennen dieselbe Rubrik"},
        {"KOPF, Trost, schlechter\tGEMÜT, Angst, schlechter\n",
         "pole.tsv, Zeile 1: Pfad, Tabulator, Pfad, Tabulator, Grund erwartet"},
    };
    for (const auto& [table, message] : refused) {
        const std::string actual = refusal(withTable(table));
        EXPECT_TRUE(actual.ends_with(message)) << actual;
    }
}

} // namespace
} // namespace telvarin
