#include "foundation/files/Utf8Paths.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/Processes.h"

#include <fstream>
#include <gtest/gtest.h>

namespace telvarin {
namespace {

namespace fs = std::filesystem;

// A name with a letter of the ANSI code page (ä) and one outside it (Ω): both must reach the
// system as themselves, and come back from a folder's listing as the same UTF-8.
TEST(Utf8Paths, ANameWithUmlautsIsWrittenReadAndListedAsItself) {
    const std::string folder =
        std::string(TELVARIN_TEST_OUTPUT_DIR) + "/utf8paths-" + std::to_string(currentProcessId()) + "/Fälle";
    const std::string name = "ärger-Ω.txt";
    const std::string file = folder + "/" + name;
    fs::create_directories(pathFromUtf8(folder));
    EXPECT_EQ(pathFromUtf8(file).filename(), fs::path(u8"ärger-Ω.txt"));

    std::ofstream(pathFromUtf8(file), std::ios::binary) << "Inhalt";
    EXPECT_EQ(std::get<std::string>(readRegularFile(file, 100)), "Inhalt");
    std::string read;
    std::ifstream(pathFromUtf8(file), std::ios::binary) >> read;
    EXPECT_EQ(read, "Inhalt");

    std::vector<std::string> listed;
    for (const fs::directory_entry& entry : fs::directory_iterator(pathFromUtf8(folder)))
        listed.push_back(utf8FromPath(entry.path().filename()));
    EXPECT_EQ(listed, std::vector<std::string>{name});
    fs::remove_all(pathFromUtf8(folder).parent_path());
}

#ifdef _WIN32
// NTFS takes a name with half a UTF-16 pair; listing a folder that holds one must not throw.
TEST(Utf8Paths, HalfASurrogatePairBecomesAReplacementCharacter) {
    EXPECT_EQ(utf8FromPath(fs::path(std::wstring(L"a\xD800.xml"))), "a\xEF\xBF\xBD.xml");
}
#endif

} // namespace
} // namespace telvarin
