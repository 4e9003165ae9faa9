#include "history/ExportFile.h"

#include "tests/files/SpecialFiles.h"
#include "tests/history/HistoryTestSupport.h"

#include <cerrno>
#include <gtest/gtest.h>

namespace telvarin {
namespace {

using telvarin::testing::freshTestFolder;
using telvarin::testing::readBytes;
using telvarin::testing::writeBytes;

TEST(ExportFile, WritesOrSaysWhyAndKeepsTheOldFile) {
    const std::filesystem::path folder = freshTestFolder();
    const std::string path = (folder / "Auswertung.csv").string();
    EXPECT_EQ(writeExportFile(path, "neu"), "");
    EXPECT_EQ(readBytes(path), "neu");
#ifndef _WIN32 // there a new file takes the access list of its folder
    // A table of patients is as private as the case history, whatever the file creation mask.
    const auto permissions = static_cast<unsigned>(std::filesystem::status(path).permissions());
    EXPECT_EQ(permissions & 0777, 0600u);
#endif

    FileSystemCalls diskFull = FileSystemCalls::system();
    diskFull.write = [](int, const char*, std::size_t) -> long {
        errno = ENOSPC;
        return -1;
    };
    const std::string full = writeExportFile(path, "neuer", diskFull);
    EXPECT_NE(full.find("\"" + path + "\" konnte nicht gespeichert werden"), std::string::npos) << full;
    EXPECT_NE(full.find("nicht genug Platz"), std::string::npos) << full;
    EXPECT_EQ(readBytes(path), "neu");
    EXPECT_EQ(telvarin::testing::filesIn(folder), std::vector<std::string>{"Auswertung.csv"});

    EXPECT_NE(writeExportFile((folder / "fehlt" / "x.csv").string(), "x").find("Der Ordner existiert nicht."),
              std::string::npos);
    EXPECT_NE(writeExportFile(folder.string(), "x").find("An dieser Stelle steht ein Verzeichnis."),
              std::string::npos);
    EXPECT_EQ(writeFailureReason(EROFS), "Der Datentr\xE4ger ist schreibgesch\xFCtzt.");
}

} // namespace
} // namespace telvarin
