#pragma once

// Which repertory the program works with. The first of these that can be loaded:
//   1. "repertorium.dat" in the practice folder, when it is there;
//   2. the repertory chosen in the settings ("eingebaut" or the path of a data file);
//   3. with nothing chosen, or when the chosen file cannot be used: the shipped repertory
//      (installed, or in the build tree);
//   4. the built-in repertory.
// A file that is there but cannot be loaded is reported, and the next rule applies.

#include "repertory/RepertoryDatabase.h"
#include "repertory/RepertoryInfo.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace telvarin {

inline constexpr std::string_view kOwnRepertoryFileName = "repertorium.dat";
inline constexpr std::string_view kBuiltinRepertoryChoice = "eingebaut";
inline constexpr std::string_view kRepertoryDataExtension = ".dat";

enum class RepertoryOrigin { PracticeFolder, Chosen, Shipped, Builtin };

struct RepertoryCandidate {
    RepertoryOrigin origin = RepertoryOrigin::Builtin;
    std::string path; // empty for the built-in repertory
    friend bool operator==(const RepertoryCandidate&, const RepertoryCandidate&) = default;
};

struct RepertoryPlaces {
    std::string practiceFolder;
    std::string chosen;                    // the stored choice: empty, "eingebaut" or a path
    std::vector<std::string> shippedFiles; // where the shipped repertory may lie, the installed first
};

// The repertories to try, in order; the built-in one always comes last.
std::vector<RepertoryCandidate> repertoryCandidates(const RepertoryPlaces& places);

struct ChosenRepertory {
    RepertoryDatabase database;
    RepertoryCandidate candidate;
    RepertoryInfo info;   // the built-in one's for the built-in repertory
    std::string checksum; // of the data file (see repertoryChecksum)
};

struct UnusableRepertory {
    RepertoryCandidate candidate;
    Windows1252Text reason; // the loader's, German
};

struct RepertoryChoice {
    std::optional<ChosenRepertory> chosen; // nothing when even the built-in one failed
    std::vector<UnusableRepertory> unusable;
};

// Loads the candidates in order until one loads; loadBuiltin gives the built-in repertory.
RepertoryChoice chooseRepertory(const std::vector<RepertoryCandidate>& candidates,
                                const std::function<RepertoryLoadResult()>& loadBuiltin);

// A data file found in a repertory folder.
struct RepertoryFile {
    std::string path;
    RepertoryInfo info;
    friend bool operator==(const RepertoryFile&, const RepertoryFile&) = default;
};

// The data files ("*.dat") of the folders, each folder's in name order; a folder that is missing
// adds nothing, and a file reached twice is listed once.
std::vector<RepertoryFile> repertoryFilesIn(const std::vector<std::string>& folders);

} // namespace telvarin
