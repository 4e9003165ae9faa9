#pragma once

// Where a practice keeps its records: the practice folder ("Praxisordner") holds the case history,
// its lock, its backups and an own "repertorium.dat". The first of these applies:
//   1. the start folder, when it already holds "historie.xml" or "repertorium.dat", so that whoever
//      starts the program in a folder of their own keeps working there;
//   2. the folder stored in the settings;
//   3. otherwise, as on the first start from the desktop menu, the user is asked once.
// Patient files never go straight into the home folder, and a folder made for them is the user's
// alone. Texts are German, Windows-1252.

#include "foundation/files/FileKind.h"

#include <optional>
#include <string>
#include <string_view>

namespace telvarin {

inline constexpr std::string_view kProposedPracticeFolderName = "Telvarin";

enum class PracticeFolderRule { StartFolder, Stored, Ask };

struct PracticeFolderDecision {
    PracticeFolderRule rule = PracticeFolderRule::Ask;
    std::string folder; // empty when the user is to be asked
    friend bool operator==(const PracticeFolderDecision&, const PracticeFolderDecision&) = default;
};

PracticeFolderDecision decidePracticeFolder(const std::string& startFolder, const std::string& stored);

// "Telvarin" in the documents folder.
std::string proposedPracticeFolder(const std::string& documentsFolder);

enum class PracticeFolderProblem {
    None,
    Missing, // for example a network share that is not mounted
    NotAFolder,
    ReadOnly,       // the history can be read, but no change can be saved
    HistoryDamaged, // the history file is there but cannot be read
};

// What is known of a folder; practiceFolderFacts gathers it, tests give their own.
struct PracticeFolderFacts {
    FileKind kind = FileKind::Missing;
    bool writable = false;
    std::string whyNotWritable; // German, empty when writable
    bool historyUnreadable = false;
};

PracticeFolderFacts practiceFolderFacts(const std::string& folder);
PracticeFolderProblem practiceFolderProblem(const PracticeFolderFacts& facts);
// Names the folder and the reason.
std::string practiceFolderProblemMessage(const std::string& folder, PracticeFolderProblem problem,
                                         const PracticeFolderFacts& facts);

// Whether both name the same folder (through links too).
bool isSameFolder(const std::string& a, const std::string& b);

// Creates the folder and every missing folder above it for this user alone (rwx------). Nothing
// when it exists or was made, else the reason.
std::optional<std::string> createPrivateFolder(const std::string& folder);

// Why nothing can be written into the folder, as a German sentence; empty when that is not known.
std::string folderWriteProblem(const std::string& folder);

} // namespace telvarin
