#include "foundation/files/FileReplacement.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/InPlaceWriting.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <variant>

namespace telvarin {
namespace {

constexpr std::size_t kRandomLength = 6;
constexpr std::uint64_t kLargestRestoredFile = std::uint64_t{1} << 32;

} // namespace

bool writeAll(int fd, std::string_view bytes, const FileSystemCalls& calls) {
    while (!bytes.empty()) {
        const long written = calls.write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

ReplaceResult overwriteInPlace(const std::string& path, std::string_view bytes, const FileSystemCalls& calls,
                               std::string why) {
    const FileReadResult old = readRegularFile(path, kLargestRestoredFile);
    if (!std::holds_alternative<std::string>(old))
        return {ReplaceStatus::Failed, {}};
    const int fd = calls.openForWriting(path.c_str());
    if (fd < 0)
        return {ReplaceStatus::Failed, {}};
    const bool ok = overwriteFromStart(fd, bytes, calls);
    if (!ok)
        overwriteFromStart(fd, std::get<std::string>(old), FileSystemCalls::system());
    closeFile(fd);
    if (!ok)
        return {ReplaceStatus::Failed, {}};
    return {ReplaceStatus::WrittenInPlace, std::move(why)};
}

// A crash while writing in place would leave a torn file; the copy made first holds all of it.
ReplaceResult writeInPlace(const std::string& path, std::string_view bytes, const FileSystemCalls& calls,
                           const ReplaceOptions& options, std::string why) {
    if (!options.copyBeforeWritingInPlace)
        return overwriteInPlace(path, bytes, calls, std::move(why));
    const std::optional<std::string> copy = options.copyBeforeWritingInPlace();
    if (!copy)
        return {ReplaceStatus::NoCopyForInPlace, {}};
    ReplaceOptions copyOptions;
    copyOptions.accessModel = path;
    // The copy itself is never written in place: whatever stands at its name and cannot be
    // replaced is someone else's.
    copyOptions.copyBeforeWritingInPlace = [] { return std::nullopt; };
    const ReplaceResult copied = replaceFile(*copy, bytes, calls, copyOptions);
    if (copied.status != ReplaceStatus::Replaced)
        return {ReplaceStatus::NoCopyForInPlace,
                copied.status == ReplaceStatus::NotRegular ? copied.note : ""};
    ReplaceResult written = overwriteInPlace(path, bytes, calls, std::move(why));
    if (written.ok()) // else kept: writing the old content back may have failed too
        removeFile(*copy);
    return written;
}

bool replaceFileContents(const std::string& path, std::string_view bytes, const FileSystemCalls& calls,
                         const ReplaceOptions& options) {
    return replaceFile(path, bytes, calls, options).ok();
}

std::optional<std::string> fileReplacedBy(std::string_view name) {
    const std::size_t marker = name.rfind(kTemporaryMarker);
    if (marker == std::string_view::npos || marker == 0 ||
        name.size() != marker + kTemporaryMarker.size() + kRandomLength)
        return std::nullopt;
    const std::string_view random = name.substr(marker + kTemporaryMarker.size());
    if (!std::all_of(random.begin(), random.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    return std::string(name.substr(0, marker));
}

} // namespace telvarin
