// Import of the OpenRep format: the sample in tests/data/import-openrep holds every quirk of the
// published files in small (a repeated symptom id, an orphan remedy list, a chapter name that
// matches no chapter, an empty label, untidy labels, a doubled remedy, a second list of one id).

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

const std::string kSample = TELVARIN_TEST_DATA_DIR "/import-openrep";
const std::string kSampleOrder = TELVARIN_TEST_DATA_DIR "/import-openrep-order.txt";

TEST(OpenRepImport, TreeGivesRubricsInBookOrderAndQuirksAreNoted) {
    const RepertoryImportResult result = importOpenRepRepertory(kSample);
    const RepertoryDatabase db = test::importedDatabase(result);
    ASSERT_EQ(db.chapterCount(), 3);
    EXPECT_EQ(db.sectionCount(), 7);
    EXPECT_EQ(db.rubricCount(), 11);
    EXPECT_EQ(db.remedyEntryCount(), 14);
    EXPECT_EQ(db.remedyCount(), 4);
    EXPECT_EQ(db.remedyName(0).bytes(), "acon.");
    EXPECT_EQ(db.remedyName(3).bytes(), "nux-v.");

    // The main symptom file's order, the chapter it lacks at the end.
    EXPECT_EQ(db.chapterName(0).bytes(), "Gem\xFCt");
    EXPECT_EQ(db.chapterName(1).bytes(), "Kopf");
    EXPECT_EQ(db.chapterName(2).bytes(), "\xDC"
                                         "belkeit");
    // Each chapter: its own rubric in a section of its own, then one section per node below it,
    // depth-first, siblings by id.
    const std::vector<std::string> texts = {"Gem\xFCt",
                                            "Angst",
                                            "Angst, \"nein\" sagt er",
                                            "Angst, nachts",
                                            "Traurigkeit",
                                            "Kopf",
                                            "Schmerz",
                                            "Schmerz, Stirn, morgens",
                                            "Schmerz, Stirn, morgens",
                                            "Hitze",
                                            "\xDC"
                                            "belkeit"};
    for (int i = 0; i < db.rubricCount(); ++i)
        EXPECT_EQ(db.rubricTextField(i).bytes(), texts[static_cast<std::size_t>(i)]) << i;
    EXPECT_EQ(db.sectionName(0).bytes(), "(ganzes Kapitel)");
    EXPECT_EQ(db.sectionName(1).bytes(), "Angst");
    EXPECT_EQ(db.sectionOfRubric(3), 1);
    EXPECT_EQ(db.sectionOfRubric(4), 2);
    EXPECT_EQ(db.sectionName(6).bytes(), "(ganzes Kapitel)");

    EXPECT_EQ(entriesText(db, 0), "acon.3 nux-v.1"); // acon. twice in the list
    EXPECT_EQ(entriesText(db, 7), "nux-v.2 acon.3"); // two lists of one id
    EXPECT_EQ(entriesText(db, 8), "acon.1");

    const ImportReport& report = importReport(result);
    EXPECT_EQ(report.tidiedBlanks, 1);
    EXPECT_EQ(report.droppedEmptyParts, 1);
    EXPECT_EQ(report.mergedEntries, 1);
    EXPECT_EQ(report.repeatedPaths, 1);
    EXPECT_EQ(report.mergedPaths, 0); // the tree decides: equal paths stay apart
    EXPECT_EQ(report.notes,
              (std::vector<std::string>{
                  "t_sym, Zeile 9: Id 3 steht schon in Zeile 4; die Zeile bleibt unbenutzt",
                  "t_sym, Zeile 13: Id 11 ist kein Knoten des Baums; die Zeile bleibt unbenutzt",
                  "t_remsym, Zeile 12: Mittelliste zu Id 12, die kein Knoten des Baums ist; 2 Einträge "
                  "nicht ü"
                  "bernommen",
                  "t_remsym, Zeile 13: weitere Mittelliste zu Id 4 (erste in Zeile 5), mit ihr "
                  "zusammengeführt",
                  "t_mainsym, Zeile 3: \"Magen\" ist kein Kapitel des Baums",
                  "t_tree, Zeile 9: Kapitel \"Ü"
                  "belkeit\" fehlt in t_mainsym; es folgt nach den dort genannten",
                  "t_tree, Zeile 6: Id 5 ohne Bezeichnung; Text aus t_sym, Zeile 6: \"\"nein\" sagt er\""}));
}

TEST(OpenRepImport, ChapterOrderFileDecidesTheOrder) {
    const RepertoryImportResult result = importOpenRepRepertory(kSample, kSampleOrder);
    const RepertoryDatabase db = test::importedDatabase(result);
    EXPECT_EQ(db.chapterName(0).bytes(), "Kopf");
    EXPECT_EQ(db.chapterName(1).bytes(), "\xDC"
                                         "belkeit");
    EXPECT_EQ(db.rubricTextField(5).bytes(), "\xDC"
                                             "belkeit");
    EXPECT_EQ(db.rubricTextField(6).bytes(), "Gem\xFCt");
    // The main symptom file is still checked.
    EXPECT_EQ(importReport(result).notes.size(), 6u);
    EXPECT_EQ(importReport(result).notes[4], "t_mainsym, Zeile 3: \"Magen\" ist kein Kapitel des Baums");
}

TEST(OpenRepImport, RefusalsNameFileLineAndId) {
    const fs::path folder = fs::path(TELVARIN_TEST_OUTPUT_DIR) / "import-openrep-refusals";
    const auto refusalWith = [&folder](const std::string& file, const std::string& extraLines,
                                       const std::string& order = {}) {
        fs::remove_all(folder);
        fs::copy(kSample, folder);
        std::ofstream(folder / file, std::ios::app) << extraLines;
        std::string orderFile;
        if (!order.empty()) {
            orderFile = (folder / "order.txt").string();
            std::ofstream(orderFile) << order;
        }
        return refusal(importOpenRepRepertory(folder.string(), orderFile));
    };
    const std::string order = (folder / "order.txt").string();
    EXPECT_EQ(refusalWith("t_remsym", "9:0#1;9#2;\n"),
              "t_remsym, Zeile 14, Eintrag \"9#2\": Mittel-Id 9 fehlt in t_rem");
    EXPECT_EQ(refusalWith("t_remsym", "9:0#7;\n"),
              "t_remsym, Zeile 14, Eintrag \"0#7\": unbekannte Wertigkeit \"7\" (erlaubt 1 bis 5)");
    EXPECT_EQ(refusalWith("t_tree", "11:2#\"Wut\"\n"),
              "t_tree, Zeile 12: Id 11 hat keine Mittelliste in t_remsym");
    EXPECT_EQ(refusalWith("t_tree", "11:99#\"Wut\"\n"), "t_tree, Zeile 12: Id 11: Elternknoten 99 fehlt");
    EXPECT_EQ(refusalWith("t_tree", "11:12#\"Wut\"\n12:11#\"Zorn\"\n"),
              "t_tree, Zeile 12: Id 11 hängt an keinem Kapitel (Ring der Elternverweise)");
    EXPECT_EQ(refusalWith("t_tree", "11:2#\"Wut → Zorn\"\n"),
              "t_tree, Zeile 12, Zeichen 5: Zeichen U+2192 gibt es in Windows-1252 nicht");
    EXPECT_EQ(refusalWith("t_tree", "", "Kopf\nGemüt\n"), order + ": das Kapitel \"Ü"
                                                                  "belkeit\" fehlt");
    EXPECT_EQ(refusalWith("t_tree", "", "Kopf\nMagen\n"),
              order + ", Zeile 2: \"Magen\" ist kein Kapitel des Baums");
    EXPECT_EQ(refusal(importOpenRepRepertory(TELVARIN_TEST_DATA_DIR "/import-json")),
              TELVARIN_TEST_DATA_DIR "/import-json: keine .rd-Datei (Kopf eines OpenRep-Repertoriums)");
}

// A chain below "Gem\xFCt": 64 levels below the chapter are taken, a 65th is refused.
TEST(OpenRepImport, DeepChainIsTakenUpToItsLimit) {
    const fs::path folder = fs::path(TELVARIN_TEST_OUTPUT_DIR) / "import-openrep-chain";
    const auto chainImport = [&folder](int depth) {
        fs::remove_all(folder);
        fs::copy(kSample, folder);
        {
            std::ofstream tree(folder / "t_tree", std::ios::app);
            std::ofstream lists(folder / "t_remsym", std::ios::app);
            for (int level = 1; level <= depth; ++level) {
                tree << 100 + level << ':' << (level == 1 ? 2 : 99 + level) << "#\"k" << level << "\"\n";
                lists << 100 + level << ":0#1;\n";
            }
        }
        return importOpenRepRepertory(folder.string());
    };
    // The database reads the imported bytes in place: they must outlive it.
    const RepertoryImportResult imported = chainImport(64);
    const RepertoryDatabase db = test::importedDatabase(imported);
    ASSERT_EQ(db.rubricCount(), 11 + 64);
    EXPECT_EQ(db.rubricTextField(7).bytes(), "k1, k2, k3");
    EXPECT_EQ(db.sectionName(db.sectionOfRubric(5 + 63)).bytes(), "k1");
    EXPECT_EQ(refusal(chainImport(65)),
              "t_tree, Zeile 76: Id 165 liegt tiefer als 64 Ebenen unter ihrem Kapitel");
}

} // namespace
} // namespace telvarin
