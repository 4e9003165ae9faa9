#include "foundation/files/LockFiles.h"

#include "foundation/files/FileKind.h"
#include "foundation/files/windows/SystemText.h"

#include <aclapi.h>
#include <utility>
#include <windows.h>

namespace telvarin {
namespace {

using SystemClock = std::chrono::system_clock;

// Windows keeps everyone else from reading and writing a locked range, so the lock is taken on a
// byte far beyond the end of any file: what the file holds stays readable, for those who wait to
// learn who holds it.
constexpr DWORD kLockedByteHigh = 0x7FFFFFFF;
constexpr DWORD kLockedByteLow = 0;

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE handleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

std::optional<FileIdentity> identityOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info))
        return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        (std::uint64_t{info.nFileIndexHigh} << 32) | std::uint64_t{info.nFileIndexLow}};
}

LockOpenError openError(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_NETWORK_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION: // open in a program that lets no one else write it
        return LockOpenError::NotPermitted;
    case ERROR_FILE_NOT_FOUND:
        return LockOpenError::Missing;
    default:
        return LockOpenError::Other;
    }
}

// Something that is no regular file stands at the path: a device or a pipe is not opened at all.
bool isSomethingElse(const std::string& path) {
    const FileKind kind = fileKindOf(path);
    return kind != FileKind::Regular && kind != FileKind::Missing;
}

// A link (a reparse point) at the lock file's name could lead to another user's file.
bool isLink(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(widePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// A file made anew is opened to have its access set too.
HANDLE openForLocking(const std::string& path, DWORD disposition) {
    const DWORD access = GENERIC_READ | GENERIC_WRITE | (disposition == CREATE_NEW ? WRITE_DAC : 0);
    return ::CreateFileW(widePath(path).c_str(), access, kShareAll, nullptr, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Gives a lock file just made the access list of the file it guards, so that everyone who may
// change that file can take the lock.
void shareAsModel(HANDLE file, const std::string& model) {
    PACL access = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    std::wstring modelPath = widePath(model);
    if (::GetNamedSecurityInfoW(modelPath.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                &access, nullptr, &descriptor) != ERROR_SUCCESS)
        return;
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    const bool ownOnly =
        ::GetSecurityDescriptorControl(descriptor, &control, &revision) && (control & SE_DACL_PROTECTED) != 0;
    ::SetSecurityInfo(file, SE_FILE_OBJECT,
                      DACL_SECURITY_INFORMATION | (ownOnly ? PROTECTED_DACL_SECURITY_INFORMATION
                                                           : UNPROTECTED_DACL_SECURITY_INFORMATION),
                      nullptr, nullptr, access, nullptr);
    ::LocalFree(descriptor);
}

// Closes the file when it turns out to be no regular file after all (replaced since the look).
bool keepIfRegular(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(file) == FILE_TYPE_DISK && ::GetFileInformationByHandle(file, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return true;
    ::CloseHandle(file);
    return false;
}

// The lock on the one far byte: shared for readers (kind 0), or LOCKFILE_EXCLUSIVE_LOCK.
LockAttempt lockByte(HANDLE file, DWORD kind) {
    OVERLAPPED where{};
    where.Offset = kLockedByteLow;
    where.OffsetHigh = kLockedByteHigh;
    if (::LockFileEx(file, kind | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &where))
        return LockAttempt::Locked;
    switch (::GetLastError()) {
    case ERROR_LOCK_VIOLATION:
    case ERROR_SHARING_VIOLATION:
    case ERROR_IO_PENDING:
        return LockAttempt::Busy;
    default: // ERROR_NOT_SUPPORTED, ERROR_INVALID_FUNCTION: a drive that carries no locks
        return LockAttempt::Unsupported;
    }
}

} // namespace

std::optional<FileIdentity> fileIdentityOf(const std::string& path) {
    const HANDLE file = ::CreateFileW(widePath(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const std::optional<FileIdentity> identity = identityOf(file);
    ::CloseHandle(file);
    return identity;
}

std::optional<SystemClock::time_point> modificationTimeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!::GetFileAttributesExW(widePath(path).c_str(), GetFileExInfoStandard, &info))
        return std::nullopt;
    // Ticks of 100 ns since 1601; whole seconds, as other systems give them.
    constexpr std::uint64_t kTicksPerSecond = 10'000'000;
    constexpr std::uint64_t kSecondsFrom1601To1970 = 11'644'473'600;
    const std::uint64_t ticks =
        (std::uint64_t{info.ftLastWriteTime.dwHighDateTime} << 32) | info.ftLastWriteTime.dwLowDateTime;
    const auto seconds = static_cast<std::time_t>(ticks / kTicksPerSecond - kSecondsFrom1601To1970);
    return SystemClock::from_time_t(seconds);
}

std::variant<FileLock, LockOpenError> FileLock::openLockFile(const std::string& path,
                                                             const std::string& accessModel) {
    // Two programs may find no lock file at the same moment; the one that does not create it opens
    // the other's.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (isSomethingElse(path) || isLink(path))
            return LockOpenError::NotRegular;
        HANDLE file = openForLocking(path, OPEN_EXISTING);
        bool created = false;
        if (file == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_NOT_FOUND) {
            file = openForLocking(path, CREATE_NEW);
            if (file == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_EXISTS)
                continue;
            created = file != INVALID_HANDLE_VALUE;
        }
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            return error == ERROR_FILE_NOT_FOUND ? LockOpenError::Other : openError(error);
        }
        if (!keepIfRegular(file))
            return LockOpenError::NotRegular;
        if (created && fileKindOf(accessModel) == FileKind::Regular)
            shareAsModel(file, accessModel);
        return FileLock(reinterpret_cast<std::intptr_t>(file));
    }
    return LockOpenError::Other;
}

std::variant<FileLock, LockOpenError> FileLock::openFile(const std::string& path, bool createEmpty) {
    if (isSomethingElse(path))
        return LockOpenError::NotRegular;
    HANDLE file = openForLocking(path, createEmpty ? OPEN_ALWAYS : OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE)
        return openError(::GetLastError());
    if (!keepIfRegular(file))
        return LockOpenError::NotRegular;
    return FileLock(reinterpret_cast<std::intptr_t>(file));
}

FileLock::FileLock(FileLock&& other) noexcept : handle_(std::exchange(other.handle_, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        if (handle_ != -1)
            ::CloseHandle(handleOf(handle_));
        handle_ = std::exchange(other.handle_, -1);
    }
    return *this;
}

// Closing the file gives the lock up.
FileLock::~FileLock() {
    if (handle_ != -1)
        ::CloseHandle(handleOf(handle_));
}

std::variant<FileLock, LockOpenError> FileLock::openToRead(const std::string& path) {
    if (isSomethingElse(path))
        return LockOpenError::NotRegular;
    HANDLE file = ::CreateFileW(widePath(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return openError(::GetLastError());
    if (!keepIfRegular(file))
        return LockOpenError::NotRegular;
    return FileLock(reinterpret_cast<std::intptr_t>(file));
}

LockAttempt FileLock::tryLock() {
    return lockByte(handleOf(handle_), LOCKFILE_EXCLUSIVE_LOCK);
}

LockAttempt FileLock::tryLockShared() {
    return lockByte(handleOf(handle_), 0);
}

bool FileLock::isAt(const std::string& path) const {
    const std::optional<FileIdentity> opened = identityOf(handleOf(handle_));
    return opened && fileIdentityOf(path) == opened;
}

void FileLock::setContent(std::string_view text) {
    const HANDLE file = handleOf(handle_);
    if (!::SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN) || !::SetEndOfFile(file))
        return;
    std::size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        if (!::WriteFile(file, text.data() + done, static_cast<DWORD>(text.size() - done), &written,
                         nullptr) ||
            written == 0)
            return;
        done += written;
    }
}

bool openFilesCanBeReplaced() {
    return false;
}

} // namespace telvarin
