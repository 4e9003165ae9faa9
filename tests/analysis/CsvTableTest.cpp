#include "analysis/CsvTable.h"

#include "foundation/text/CodePage.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace telvarin {
namespace {

// The cells below are written in UTF-8; the tables hold Windows-1252.
Windows1252Text cp(std::string_view utf8) {
    return windows1252Of(utf8);
}

TEST(CsvTable, FieldsQuotedWhereNeededNumbersPlainFormulasDefused) {
    EXPECT_EQ(csvField("3 "_w1252), "3");
    EXPECT_EQ(csvField("-3"_w1252), "-3");
    EXPECT_EQ(csvField("Kopf, Stirn [12]"_w1252), "Kopf, Stirn [12]");
    EXPECT_EQ(csvField("wie \"vergiftet\"; danach"_w1252), "\"wie \"\"vergiftet\"\"; danach\"");
    EXPECT_EQ(csvField("zwei\nZeilen"_w1252), "\"zwei\nZeilen\"");
    EXPECT_EQ(csvField(cp("Übelkeit")), "Übelkeit");
    EXPECT_EQ(csvField("=1+1"_w1252), "'=1+1");
    EXPECT_EQ(csvField("- Angst [3] (2)"_w1252), "'- Angst [3] (2)");
    EXPECT_EQ(csvDocument({{"Nummer"_w1252, "Symptom"_w1252}, {"1"_w1252, "a;b"_w1252}, {}}),
              "\xEF\xBB\xBFNummer;Symptom\r\n1;\"a;b\"\r\n\r\n");

    EXPECT_EQ(csvFileName(cp("Müller, Anna"), "Auswertung"_w1252), cp("Müller, Anna.csv"));
    EXPECT_EQ(csvFileName("a/b\\c: d?"_w1252, "Auswertung"_w1252), "a_b_c_ d_.csv"_w1252);
    EXPECT_EQ(csvFileName(" .versteckt. "_w1252, "Auswertung"_w1252), "versteckt.csv"_w1252);
    EXPECT_EQ(csvFileName(" .. "_w1252, "Textsuche"_w1252), "Textsuche.csv"_w1252);
}

// Python's csv module reads the file back: every field, the umlauts and the quoting included.
TEST(CsvTable, PythonReadsEveryFieldBack) {
    if (std::system("python3 -c 'import csv' 2>/dev/null") != 0)
        GTEST_SKIP() << "python3 is not installed";
    const TextTable table = {
        {""_w1252, "Anzahl der Treffer"_w1252, "acon."_w1252},
        {cp("Übelkeit, morgens [3] (6)"), cp("MAGEN Äußeres"), "3"_w1252},
        {"Brechreiz, \"wie vergiftet\"; danach"_w1252, cp("Groß und klein: ÀéŠœŸ€"), " 12 "_w1252},
        {"- Angst"_w1252, "zwei\nZeilen"_w1252, "-4"_w1252},
    };
    const std::string path = std::string(TELVARIN_TEST_OUTPUT_DIR) + "/roundtrip.csv";
    std::ofstream(path, std::ios::binary) << csvDocument(table);
    // Each field back in UTF-8, fields separated by "|", rows ended by "#".
    const std::string script = "import csv,sys\n"
                               "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
                               "    for row in csv.reader(f, delimiter=';'):\n"
                               "        sys.stdout.buffer.write('|'.join(row).encode('utf-8') + b'#')\n";
    std::ofstream(path + ".py") << script;
    FILE* python = ::popen(("python3 '" + path + ".py' '" + path + "'").c_str(), "r");
    ASSERT_NE(python, nullptr);
    std::string read;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, python)) > 0;)
        read.append(buffer, n);
    ASSERT_EQ(::pclose(python), 0);
    EXPECT_EQ(read, "|Anzahl der Treffer|acon.#"
                    "Übelkeit, morgens [3] (6)|MAGEN Äußeres|3#"
                    "Brechreiz, \"wie vergiftet\"; danach|Groß und klein: ÀéŠœŸ€|12#"
                    "'- Angst|zwei\nZeilen|-4#");
}

} // namespace
} // namespace telvarin
