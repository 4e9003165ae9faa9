#include "analysis/CsvTable.h"

#include "foundation/CodePage.h"

#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

namespace telvarin {
namespace {

TEST(CsvTable, FieldsQuotedWhereNeededNumbersPlainFormulasDefused) {
    EXPECT_EQ(csvField("12"), "12");
    EXPECT_EQ(csvField("3 "), "3");
    EXPECT_EQ(csvField("-3"), "-3");
    EXPECT_EQ(csvField("Kopf, Stirn [12]"), "Kopf, Stirn [12]");
    EXPECT_EQ(csvField("a;b"), "\"a;b\"");
    EXPECT_EQ(csvField("wie \"vergiftet\""), "\"wie \"\"vergiftet\"\"\"");
    EXPECT_EQ(csvField("zwei\nZeilen"), "\"zwei\nZeilen\"");
    EXPECT_EQ(csvField("\xDC"
                       "belkeit"),
              "\xC3\x9C"
              "belkeit");
    EXPECT_EQ(csvField("=1+1"), "'=1+1");
    EXPECT_EQ(csvField("- Angst [3] (2)"), "'- Angst [3] (2)");
    EXPECT_EQ(csvField("@x;y"), "\"'@x;y\"");
    EXPECT_EQ(csvField(""), "");

    EXPECT_EQ(csvDocument({}), "\xEF\xBB\xBF");
    EXPECT_EQ(csvDocument({{"Nummer", "Symptom"}, {"1", "a;b"}, {}}),
              "\xEF\xBB\xBFNummer;Symptom\r\n1;\"a;b\"\r\n\r\n");
}

TEST(CsvTable, FileNameFromTheEvaluationName) {
    EXPECT_EQ(csvFileName("M\xFCller, Anna", "Auswertung"), "M\xFCller, Anna.csv");
    EXPECT_EQ(csvFileName("a/b\\c: d?", "Auswertung"), "a_b_c_ d_.csv");
    EXPECT_EQ(csvFileName(" .versteckt. ", "Auswertung"), "versteckt.csv");
    EXPECT_EQ(csvFileName("", "Textsuche"), "Textsuche.csv");
    EXPECT_EQ(csvFileName(" .. ", "Textsuche"), "Textsuche.csv");
}

// Python's csv module reads the file back: every field, the umlauts and the quoting included.
TEST(CsvTable, PythonReadsEveryFieldBack) {
    if (std::system("python3 -c 'import csv' 2>/dev/null") != 0)
        GTEST_SKIP() << "python3 is not installed";
    const TextTable table = {
        {"", "Anzahl der Treffer", "acon."},
        {"\xDC"
         "belkeit, morgens [3] (6)",
         "MAGEN \xC4u\xDF"
         "eres",
         "3"},
        {"Brechreiz, \"wie vergiftet\"; danach", "Gro\xDF und klein: \xC0\xE9\x8A\x9C\x9F\x80", " 12 "},
        {"- Angst", "zwei\nZeilen", "-4"},
    };
    const std::string path = std::string(TELVARIN_TEST_OUTPUT_DIR) + "/roundtrip.csv";
    std::ofstream(path, std::ios::binary) << csvDocument(table);
    // Fields separated by US, rows ended by RS, as UTF-8.
    const std::string script =
        "import csv,sys\n"
        "with open(sys.argv[1], newline='', encoding='utf-8-sig') as f:\n"
        "    for row in csv.reader(f, delimiter=';'):\n"
        "        sys.stdout.buffer.write('\\x1f'.join(row).encode('utf-8') + b'\\x1e')\n";
    std::ofstream(path + ".py") << script;
    FILE* python = ::popen(("python3 '" + path + ".py' '" + path + "'").c_str(), "r");
    ASSERT_NE(python, nullptr);
    std::string read;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, python)) > 0;)
        read.append(buffer, n);
    ASSERT_EQ(::pclose(python), 0);

    std::string expected;
    for (const std::vector<std::string>& row : table) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            std::string cell = windows1252ToUtf8(row[i]);
            if (cell == " 12 ")
                cell = "12";
            else if (cell.starts_with('-') && cell != "-4")
                cell.insert(0, "'");
            expected += (i > 0 ? "\x1f" : "") + cell;
        }
        expected += '\x1e';
    }
    EXPECT_EQ(read, expected);
    EXPECT_NE(read.find("\xC3\x9C"
                        "belkeit"),
              std::string::npos);
}

} // namespace
} // namespace telvarin
