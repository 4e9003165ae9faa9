#include "foundation/files/FileKind.h"

#include "foundation/files/FileReplacement.h"
#include "foundation/files/Processes.h"
#include "tests/files/SpecialFiles.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <vector>

namespace telvarin {
namespace {

namespace fs = std::filesystem;

class FileKindTest : public ::testing::Test {
protected:
    fs::path dir = fs::path(TELVARIN_TEST_OUTPUT_DIR) / ("filekind-" + std::to_string(currentProcessId()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }
    std::string at(const char* name) const { return (dir / name).string(); }
};

TEST_F(FileKindTest, ReadsARegularFileWholeAndRefusesOneTooLarge) {
    std::ofstream(at("a.txt"), std::ios::binary) << "Inhalt\n";
    EXPECT_EQ(std::get<std::string>(readRegularFile(at("a.txt"), 100)), "Inhalt\n");
    const auto tooLarge = std::get<FileReadError>(readRegularFile(at("a.txt"), 3));
    EXPECT_NE(tooLarge.message.bytes().find("zu gro\xDF"), std::string::npos);
    EXPECT_TRUE(std::get<FileReadError>(readRegularFile(at("fehlt.txt"), 100)).missing);
}

// Names are UTF-8 on every system; Windows takes them as UTF-16.
TEST_F(FileKindTest, NamesAreUtf8) {
    const std::string name = dir.string() + "/Fälle.txt";
    ASSERT_EQ(replaceFile(name, "neu").status, ReplaceStatus::Replaced);
    EXPECT_TRUE(fs::is_regular_file(dir / fs::path(u8"Fälle.txt")));
    EXPECT_EQ(fileKindOf(name), FileKind::Regular);
    EXPECT_EQ(std::get<std::string>(readRegularFile(name, 100)), "neu");
}

TEST_F(FileKindTest, NamesEveryKindThatIsNoRegularFileWithoutBlocking) {
#ifdef _WIN32
    // Devices and pipes by the names Windows keeps for them; links only administrators make.
    const std::vector<std::pair<std::string, const char*>> cases = {
        {R"(\\.\pipe\telvarin-keine)", "eine benannte Pipe (FIFO)"},
        {dir.string(), "ein Verzeichnis"},
        {"NUL", "eine Ger\xE4tedatei"},
        {at("com1.xml"), "eine Ger\xE4tedatei"},
    };
#else
    ASSERT_TRUE(telvarin::testing::makeFifo(at("pipe")));
    fs::create_symlink(dir / "nirgends", dir / "lose");
    const std::vector<std::pair<std::string, const char*>> cases = {
        {at("pipe"), "eine benannte Pipe (FIFO)"},
        {dir.string(), "ein Verzeichnis"},
        {"/dev/null", "eine Ger\xE4tedatei"},
        {at("lose"), "eine Verkn\xFCpfung, deren Ziel fehlt"},
    };
#endif
    for (const auto& [path, kind] : cases) {
        const auto error = std::get<FileReadError>(readRegularFile(path, 100));
        EXPECT_EQ(error.message.bytes(), path + " ist " + kind + ", keine gew\xF6hnliche Datei");
        EXPECT_FALSE(error.missing);
        EXPECT_EQ(notRegularFileMessage(path), error.message);
    }
    EXPECT_TRUE(notRegularFileMessage(at("fehlt")).empty());
}

} // namespace
} // namespace telvarin
