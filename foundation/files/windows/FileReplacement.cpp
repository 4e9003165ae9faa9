#include "foundation/files/FileReplacement.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/InPlaceWriting.h"
#include "foundation/files/windows/SystemText.h"

#include <aclapi.h>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <random>
#include <windows.h>

namespace telvarin {
namespace {

// Another program may hold the file open for a moment (a virus scanner, a backup, a reader of the
// history): Windows replaces no open file, so the rename is tried again for a while.
constexpr int kRenameAttempts = 100;
constexpr DWORD kRenamePauseMilliseconds = 10;

// What a replaced file keeps besides its access.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

HANDLE handleOfDescriptor(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

// The C runtime's descriptor for a handle, so that the calls can be handed one as on other systems.
int descriptorOf(HANDLE file) {
    if (file == INVALID_HANDLE_VALUE) {
        errno = errnoOf(::GetLastError());
        return -1;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<std::intptr_t>(file), _O_BINARY);
    if (fd < 0) {
        ::CloseHandle(file);
        errno = EMFILE;
    }
    return fd;
}

bool isTransientRenameError(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

int moveReplacing(const char* from, const char* to) {
    const std::wstring source = widePath(from);
    const std::wstring target = widePath(to);
    for (int attempt = 1;; ++attempt) {
        if (::MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        const DWORD error = ::GetLastError();
        if (!isTransientRenameError(error) || attempt == kRenameAttempts) {
            errno = errnoOf(error);
            return -1;
        }
        ::Sleep(kRenamePauseMilliseconds);
    }
}

int makeTemporaryFile(char* pathTemplate) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const std::size_t length = std::char_traits<char>::length(pathTemplate);
    if (length < 6) {
        errno = EINVAL;
        return -1;
    }
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        for (std::size_t i = length - 6; i < length; ++i)
            pathTemplate[i] = kLetters[pick(random)];
        // WRITE_DAC: the new file is to get the access of the one it replaces.
        const HANDLE created = ::CreateFileW(
            widePath(pathTemplate).c_str(), GENERIC_READ | GENERIC_WRITE | WRITE_DAC,
            FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_FILE_EXISTS)
            return descriptorOf(created);
    }
    errno = EEXIST;
    return -1;
}

// A write-protected file stays as it is, as writing into it would fail.
bool mayReplace(const std::string& path, const FileSystemCalls& calls) {
    const int fd = calls.openForWriting(path.c_str());
    if (fd < 0)
        return errno == ENOENT;
    ::_close(fd);
    return true;
}

bool isPermissionError(int error) {
    return error == EACCES || error == EPERM;
}

// Gives the new file the access list of the model: its own entries, and whether it takes those of
// its folder too. The owner stays the one who writes, who may do everything the list allows anyway.
bool takeOverAccess(HANDLE file, const std::string& model) {
    PACL access = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    std::wstring modelPath = widePath(model);
    if (::GetNamedSecurityInfoW(modelPath.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                &access, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    const bool ownOnly =
        ::GetSecurityDescriptorControl(descriptor, &control, &revision) && (control & SE_DACL_PROTECTED) != 0;
    const DWORD set = DACL_SECURITY_INFORMATION |
                      (ownOnly ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION);
    const bool ok =
        ::SetSecurityInfo(file, SE_FILE_OBJECT, set, nullptr, nullptr, access, nullptr) == ERROR_SUCCESS;
    ::LocalFree(descriptor);
    return ok;
}

void takeOverAttributes(HANDLE file, DWORD attributes) {
    FILE_BASIC_INFO info{};
    if (::GetFileInformationByHandleEx(file, FileBasicInfo, &info, sizeof info)) {
        const DWORD kept = attributes & kKeptAttributes;
        info.FileAttributes = kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
        ::SetFileInformationByHandle(file, FileBasicInfo, &info, sizeof info);
    }
}

} // namespace

bool overwriteFromStart(int fd, std::string_view bytes, const FileSystemCalls& calls) {
    const HANDLE file = handleOfDescriptor(fd);
    return ::SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN) && writeAll(fd, bytes, calls) &&
           ::SetEndOfFile(file) && calls.sync(fd) == 0;
}

void closeFile(int fd) {
    ::_close(fd);
}

void removeFile(const std::string& path) {
    ::DeleteFileW(widePath(path).c_str());
}

FileSystemCalls FileSystemCalls::system() {
    return FileSystemCalls{
        [](int fd, const char* data, std::size_t size) -> long {
            constexpr std::size_t kLargestWrite = std::size_t{1} << 30;
            DWORD written = 0;
            if (!::WriteFile(handleOfDescriptor(fd), data, static_cast<DWORD>(std::min(size, kLargestWrite)),
                             &written, nullptr)) {
                errno = errnoOf(::GetLastError());
                return -1;
            }
            return static_cast<long>(written);
        },
        [](int fd) {
            if (::FlushFileBuffers(handleOfDescriptor(fd)))
                return 0;
            errno = errnoOf(::GetLastError());
            return -1;
        },
        moveReplacing,
        [](const char* path) {
            return descriptorOf(::CreateFileW(widePath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        },
        makeTemporaryFile,
    };
}

ReplaceResult replaceFile(const std::string& givenPath, std::string_view bytes, const FileSystemCalls& calls,
                          const ReplaceOptions& options) {
    const std::string path = options.followLink ? resolvedPath(givenPath) : givenPath;
    // A name the program gives its own file is never followed to somewhere else.
    if (const DWORD own = ::GetFileAttributesW(widePath(path).c_str());
        !options.followLink && own != INVALID_FILE_ATTRIBUTES && (own & FILE_ATTRIBUTE_REPARSE_POINT) != 0)
        return {ReplaceStatus::NotRegular, "eine symbolische Verkn\xFCpfung"};
    const FileKind kind = fileKindOf(path);
    if (kind != FileKind::Regular && kind != FileKind::Missing)
        return {ReplaceStatus::NotRegular, std::string(fileKindText(kind))};
    if (!mayReplace(path, calls))
        return {ReplaceStatus::Failed, {}};
    const DWORD oldAttributes = ::GetFileAttributesW(widePath(path).c_str());
    const bool exists = oldAttributes != INVALID_FILE_ATTRIBUTES;

    std::string newPath = path;
    newPath.append(kTemporaryMarker).append("XXXXXX");
    const int fd = calls.makeTemporary(newPath.data());
    if (fd < 0) {
        if (exists && isPermissionError(errno))
            return writeInPlace(path, bytes, calls, options,
                                "Der Ordner erlaubt keine neuen Dateien; die Datei wurde daher direkt "
                                "\xFC"
                                "berschrieben.");
        return {ReplaceStatus::Failed, {}};
    }
    // The new file has the access of its folder; one being replaced keeps who may read it. Where
    // that cannot be, the file is written in place rather than opened to others or closed to
    // someone.
    const HANDLE created = handleOfDescriptor(fd);
    if (exists && !takeOverAccess(created, path)) {
        ::_close(fd);
        removeFile(newPath);
        return writeInPlace(
            path, bytes, calls, options,
            "Die Zugriffsrechte der Datei lassen sich beim Ersetzen nicht erhalten; sie wurde "
            "daher direkt \xFC"
            "berschrieben.");
    }
    if (exists)
        takeOverAttributes(created, oldAttributes);
    else if (!options.accessModel.empty() && fileKindOf(options.accessModel) == FileKind::Regular)
        takeOverAccess(created, options.accessModel);

    bool ok = writeAll(fd, bytes, calls) && calls.sync(fd) == 0;
    ok = ::_close(fd) == 0 && ok;
    const bool renamed = ok && calls.rename(newPath.c_str(), path.c_str()) == 0;
    if (!renamed) {
        const bool renameRefused = ok && exists && isPermissionError(errno);
        removeFile(newPath);
        // Still open in another program after all the waiting, or a folder that lets this user
        // write files but not remove them.
        if (renameRefused)
            return writeInPlace(path, bytes, calls, options,
                                "Die Datei ist in einem anderen Programm ge\xF6"
                                "ffnet oder darf nicht ersetzt werden; sie wurde daher direkt \xFC"
                                "berschrieben.");
        return {ReplaceStatus::Failed, {}};
    }
    return {};
}

} // namespace telvarin
