// Where the records of a practice live: the rule of three, the folders made for one user, and what
// makes a practice folder unusable, said with the folder and the reason.

#include "history/PracticeFolder.h"

#include "tests/history/HistoryTestSupport.h"

#include <gtest/gtest.h>

namespace telvarin {
namespace {

namespace fs = std::filesystem;
using telvarin::testing::freshTestFolder;
using telvarin::testing::writeBytes;

TEST(PracticeFolderTest, StartFolderWithRecordsThenTheStoredFolderThenAsk) {
    const fs::path start = freshTestFolder();
    const std::string stored = "/srv/praxis";
    EXPECT_EQ(decidePracticeFolder(start.string(), stored),
              (PracticeFolderDecision{PracticeFolderRule::Stored, stored}));
    EXPECT_EQ(decidePracticeFolder(start.string(), "").rule, PracticeFolderRule::Ask);
    for (const char* name : {"historie.xml", "repertorium.dat"}) {
        writeBytes(start / name, "");
        EXPECT_EQ(decidePracticeFolder(start.string(), stored),
                  (PracticeFolderDecision{PracticeFolderRule::StartFolder, start.string()}));
        fs::remove(start / name);
    }
    EXPECT_EQ(proposedPracticeFolder("/home/anna/Dokumente"),
              (fs::path("/home/anna/Dokumente") / "Telvarin").string());
}

TEST(PracticeFolderTest, FoldersMadeForTheRecordsAreTheUsersAlone) {
    const fs::path base = freshTestFolder();
    const fs::path folder = base / "Dokumente" / "Telvarin";
    EXPECT_EQ(createPrivateFolder(folder.string()), std::nullopt);
#ifndef _WIN32 // Windows keeps who may enter in access lists, which std::filesystem does not show
    for (const fs::path& made : {base / "Dokumente", folder}) {
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;
    }
#endif
    EXPECT_EQ(createPrivateFolder(folder.string()), std::nullopt); // there already

    writeBytes(base / "datei", "x");
    const std::optional<std::string> refused = createPrivateFolder((base / "datei" / "Telvarin").string());
    ASSERT_TRUE(refused);
    EXPECT_NE(refused->find("datei"), std::string::npos);
}

TEST(PracticeFolderTest, UnusableFoldersAreNamedWithTheirReason) {
    const fs::path folder = freshTestFolder();
    const std::string name = folder.string();
    EXPECT_EQ(practiceFolderProblem(practiceFolderFacts(name)), PracticeFolderProblem::None);

    const PracticeFolderFacts missing = practiceFolderFacts(name + "/nicht-eingebunden");
    EXPECT_EQ(practiceFolderProblem(missing), PracticeFolderProblem::Missing);
    const std::string missingText =
        practiceFolderProblemMessage(name + "/nicht-eingebunden", PracticeFolderProblem::Missing, missing);
    EXPECT_NE(missingText.find(name + "/nicht-eingebunden"), std::string::npos);
    EXPECT_NE(missingText.find("nicht vorhanden"), std::string::npos);

    writeBytes(folder / "datei", "x");
    EXPECT_EQ(practiceFolderProblem(practiceFolderFacts(name + "/datei")), PracticeFolderProblem::NotAFolder);

    writeBytes(folder / "historie.xml", "<Fallhistorie kaputt");
    EXPECT_EQ(practiceFolderProblem(practiceFolderFacts(name)), PracticeFolderProblem::HistoryDamaged);

    // A share mounted read-only: reading goes on, saving cannot, and the message says why.
    PracticeFolderFacts readOnly;
    readOnly.kind = FileKind::Directory;
    readOnly.whyNotWritable = "Der Ordner liegt auf einem schreibgesch\xFCtzten Laufwerk.";
    EXPECT_EQ(practiceFolderProblem(readOnly), PracticeFolderProblem::ReadOnly);
    const std::string readOnlyText =
        practiceFolderProblemMessage("/srv/praxis", PracticeFolderProblem::ReadOnly, readOnly);
    EXPECT_NE(readOnlyText.find("/srv/praxis"), std::string::npos);
    EXPECT_NE(readOnlyText.find(readOnly.whyNotWritable), std::string::npos);
}

} // namespace
} // namespace telvarin
