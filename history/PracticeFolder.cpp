#include "history/PracticeFolder.h"

#include "foundation/files/Folders.h"
#include "foundation/files/Utf8Paths.h"
#include "foundation/text/CodePage.h"
#include "history/HistoryFile.h"
#include "history/HistoryOperations.h"
#include "repertory/RepertoryChoice.h"

#include <filesystem>

namespace telvarin {
namespace {

namespace fs = std::filesystem;

bool holds(const std::string& folder, std::string_view name) {
    return fileKindOf(utf8FromPath(pathFromUtf8(folder) / name)) != FileKind::Missing;
}

std::string quoted(const std::string& path) {
    // Appended: GCC 12 at -O3 warns falsely (-Wrestrict) on "\"" + std::string.
    std::string text = "\"";
    text += utf8ToWindows1252(path);
    text += '"';
    return text;
}

} // namespace

PracticeFolderDecision decidePracticeFolder(const std::string& startFolder, const std::string& stored) {
    if (!startFolder.empty() &&
        (holds(startFolder, kHistoryFileName) || holds(startFolder, kOwnRepertoryFileName)))
        return {PracticeFolderRule::StartFolder, startFolder};
    if (!stored.empty())
        return {PracticeFolderRule::Stored, stored};
    return {PracticeFolderRule::Ask, {}};
}

std::string proposedPracticeFolder(const std::string& documentsFolder) {
    return utf8FromPath(pathFromUtf8(documentsFolder) / kProposedPracticeFolderName);
}

PracticeFolderFacts practiceFolderFacts(const std::string& folder) {
    PracticeFolderFacts facts;
    facts.kind = fileKindOf(folder);
    if (facts.kind != FileKind::Directory)
        return facts;
    const std::optional<FolderFailure> problem = folderWriteFailure(folder);
    facts.writable = !problem;
    if (problem)
        facts.whyNotWritable = problem->reason;
    facts.historyUnreadable = loadHistory(historyPathFor(folder), nullptr).unreadable;
    return facts;
}

PracticeFolderProblem practiceFolderProblem(const PracticeFolderFacts& facts) {
    if (facts.kind == FileKind::Missing || facts.kind == FileKind::DanglingLink)
        return PracticeFolderProblem::Missing;
    if (facts.kind != FileKind::Directory)
        return PracticeFolderProblem::NotAFolder;
    if (facts.historyUnreadable)
        return PracticeFolderProblem::HistoryDamaged;
    if (!facts.writable)
        return PracticeFolderProblem::ReadOnly;
    return PracticeFolderProblem::None;
}

std::string practiceFolderProblemMessage(const std::string& folder, PracticeFolderProblem problem,
                                         const PracticeFolderFacts& facts) {
    const std::string named = "Der Praxisordner " + quoted(folder);
    switch (problem) {
    case PracticeFolderProblem::None:
        break;
    case PracticeFolderProblem::Missing:
        return named + " ist nicht vorhanden. Ist er ein Netzwerkordner, ist er vielleicht nicht "
                       "eingebunden oder der Server nicht erreichbar.";
    case PracticeFolderProblem::NotAFolder:
        return named + " ist " + std::string(fileKindText(facts.kind)) + ", kein Ordner.";
    case PracticeFolderProblem::ReadOnly:
        return named + " kann nur gelesen werden. " + facts.whyNotWritable +
               " Die Fallhistorie l\xE4sst sich ansehen, aber keine \xC4nderung kann gespeichert werden.";
    case PracticeFolderProblem::HistoryDamaged:
        return named + " enth\xE4lt eine Fallhistorie, die nicht gelesen werden kann. " +
               "Sie wird nicht ver\xE4ndert; das Fenster \x84" +
               "Fallhistorie\x93 kann eine Sicherung "
               "wiederherstellen.";
    }
    return {};
}

bool isSameFolder(const std::string& a, const std::string& b) {
    std::error_code ec;
    const fs::path first = pathFromUtf8(a);
    const fs::path second = pathFromUtf8(b);
    if (fs::equivalent(first, second, ec))
        return true;
    return fs::weakly_canonical(first, ec).lexically_normal() ==
           fs::weakly_canonical(second, ec).lexically_normal();
}

std::optional<std::string> createPrivateFolder(const std::string& folder) {
    const std::string target = utf8FromPath(pathFromUtf8(folder).lexically_normal());
    if (const std::optional<FolderFailure> failure = makePrivateFolders(target))
        return "Der Ordner " + quoted(failure->folder) + " kann nicht angelegt werden. " + failure->reason;
    if (fileKindOf(target) != FileKind::Directory)
        return "Der Ordner " + quoted(target) + " kann nicht angelegt werden: An seiner Stelle steht " +
               std::string(fileKindText(fileKindOf(target))) + ".";
    return std::nullopt;
}

std::string folderWriteProblem(const std::string& folder) {
    const std::optional<FolderFailure> problem = folderWriteFailure(folder);
    return problem ? problem->reason : std::string();
}

} // namespace telvarin
