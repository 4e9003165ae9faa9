#include "repertory/RepertoryChoice.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/Utf8Paths.h"

#include <algorithm>
#include <filesystem>

namespace telvarin {
namespace {

namespace fs = std::filesystem;

bool isThere(const std::string& path) {
    return !path.empty() && fileKindOf(path) != FileKind::Missing;
}

} // namespace

std::vector<RepertoryCandidate> repertoryCandidates(const RepertoryPlaces& places) {
    std::vector<RepertoryCandidate> candidates;
    if (!places.practiceFolder.empty()) {
        const std::string own = utf8FromPath(pathFromUtf8(places.practiceFolder) / kOwnRepertoryFileName);
        if (isThere(own))
            candidates.push_back({RepertoryOrigin::PracticeFolder, own});
    }
    if (places.chosen != kBuiltinRepertoryChoice) {
        if (!places.chosen.empty())
            candidates.push_back({RepertoryOrigin::Chosen, places.chosen});
        const auto shipped = std::find_if(places.shippedFiles.begin(), places.shippedFiles.end(), isThere);
        if (shipped != places.shippedFiles.end() && *shipped != places.chosen)
            candidates.push_back({RepertoryOrigin::Shipped, *shipped});
    }
    candidates.push_back({RepertoryOrigin::Builtin, {}});
    return candidates;
}

RepertoryChoice chooseRepertory(const std::vector<RepertoryCandidate>& candidates,
                                const std::function<RepertoryLoadResult()>& loadBuiltin) {
    RepertoryChoice choice;
    for (const RepertoryCandidate& candidate : candidates) {
        const bool builtin = candidate.origin == RepertoryOrigin::Builtin;
        RepertoryLoadResult loaded = builtin ? loadBuiltin() : RepertoryDatabase::fromFile(candidate.path);
        if (const auto* error = std::get_if<RepertoryLoadError>(&loaded)) {
            choice.unusable.push_back({candidate, error->message});
            continue;
        }
        auto& database = std::get<RepertoryDatabase>(loaded);
        const std::string checksum = repertoryChecksum(database.fileBytes());
        choice.chosen =
            ChosenRepertory{std::move(database), candidate,
                            builtin ? builtinRepertoryInfo() : repertoryInfoOf(candidate.path), checksum};
        break;
    }
    return choice;
}

std::vector<RepertoryFile> repertoryFilesIn(const std::vector<std::string>& folders) {
    std::vector<RepertoryFile> files;
    std::vector<fs::path> seen;
    for (const std::string& folder : folders) {
        std::vector<fs::path> found;
        std::error_code ec;
        for (fs::directory_iterator it(pathFromUtf8(folder), ec), end; !ec && it != end; it.increment(ec)) {
            if (it->path().extension() == kRepertoryDataExtension && it->is_regular_file(ec))
                found.push_back(it->path());
        }
        std::sort(found.begin(), found.end());
        for (const fs::path& path : found) {
            const fs::path canonical = fs::weakly_canonical(path, ec);
            if (std::find(seen.begin(), seen.end(), canonical) != seen.end())
                continue;
            seen.push_back(canonical);
            const std::string name = utf8FromPath(path);
            files.push_back({name, repertoryInfoOf(name)});
        }
    }
    return files;
}

} // namespace telvarin
