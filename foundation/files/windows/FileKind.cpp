#include "foundation/files/FileKind.h"

#include "foundation/files/FileMessages.h"
#include "foundation/files/windows/SystemText.h"

#include <algorithm>
#include <array>
#include <utility>
#include <windows.h>

namespace telvarin {
namespace {

HANDLE handleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

bool isMissingError(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_DRIVE ||
           error == ERROR_BAD_NETPATH || error == ERROR_BAD_NET_NAME || error == ERROR_INVALID_NAME;
}

// The names Windows keeps for its devices in every folder ("NUL", "COM1", also "C:\x\con.txt") and
// the device namespace ("\\.\pipe\name"): opened, they are a device or a pipe, never a file, so
// they are told by their names before anything opens them.
FileKind kindOfDeviceName(const std::wstring& path) {
    if (path.size() > 4 && (path[0] == L'\\' || path[0] == L'/') && (path[1] == L'\\' || path[1] == L'/') &&
        path[2] == L'.' && (path[3] == L'\\' || path[3] == L'/')) {
        std::wstring rest = path.substr(4, 5);
        std::transform(rest.begin(), rest.end(), rest.begin(), ::towlower);
        return rest == L"pipe\\" || rest == L"pipe/" ? FileKind::Fifo : FileKind::CharacterDevice;
    }
    const std::size_t start = path.find_last_of(L"\\/:");
    std::wstring name = path.substr(start == std::wstring::npos ? 0 : start + 1);
    name = name.substr(0, name.find(L'.'));
    while (!name.empty() && name.back() == L' ')
        name.pop_back();
    std::transform(name.begin(), name.end(), name.begin(), ::towupper);
    static constexpr std::array<const wchar_t*, 6> kDevices = {L"CON", L"PRN",    L"AUX",
                                                               L"NUL", L"CONIN$", L"CONOUT$"};
    const bool numbered = name.size() == 4 && (name.starts_with(L"COM") || name.starts_with(L"LPT")) &&
                          name[3] >= L'1' && name[3] <= L'9';
    if (numbered || std::find(kDevices.begin(), kDevices.end(), name) != kDevices.end())
        return FileKind::CharacterDevice;
    return FileKind::Missing;
}

FileKind kindOfOpenFile(HANDLE file) {
    switch (::GetFileType(file)) {
    case FILE_TYPE_DISK: {
        BY_HANDLE_FILE_INFORMATION info{};
        if (!::GetFileInformationByHandle(file, &info))
            return FileKind::Other;
        return (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::Directory
                                                                       : FileKind::Regular;
    }
    case FILE_TYPE_CHAR:
        return FileKind::CharacterDevice;
    case FILE_TYPE_PIPE:
        return FileKind::Fifo;
    default:
        return FileKind::Other;
    }
}

// The reason the system gives for a failed open, in the user's words.
std::string openFailureReason(DWORD error) {
    if (isMissingError(error))
        return "nicht vorhanden";
    switch (error) {
    case ERROR_ACCESS_DENIED:
        return "Zugriff verweigert";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "von einem anderen Programm gesperrt";
    case ERROR_CANT_RESOLVE_FILENAME:
        return "zu viele symbolische Verkn\xFCpfungen";
    case ERROR_FILENAME_EXCED_RANGE:
        return "Name zu lang";
    case ERROR_TOO_MANY_OPEN_FILES:
        return "zu viele offene Dateien";
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_IO_DEVICE:
        return "Lese- oder Schreibfehler des Datentr\xE4gers";
    default:
        return "Systemfehler " + std::to_string(error);
    }
}

} // namespace

FileKind fileKindOf(const std::string& path) {
    const std::wstring wide = widePath(path);
    if (const FileKind device = kindOfDeviceName(wide); device != FileKind::Missing)
        return device;
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FileKind::Missing;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::Directory : FileKind::Regular;
    // A link or a junction: what it leads to decides. Opened without any access, to look only.
    const HANDLE target =
        ::CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (target == INVALID_HANDLE_VALUE)
        return isMissingError(::GetLastError()) ? FileKind::DanglingLink : FileKind::Other;
    const FileKind kind = kindOfOpenFile(target);
    ::CloseHandle(target);
    return kind;
}

std::variant<RegularFileReader, FileReadError> openRegularFile(const std::string& path) {
    const std::wstring wide = widePath(path);
    if (const FileKind device = kindOfDeviceName(wide); device != FileKind::Missing)
        return FileReadError{notRegularFileText(path, device), false, {}};
    // Others may read, write, rename and replace the file meanwhile, as on other systems.
    const HANDLE opened =
        ::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (const FileKind kind = fileKindOf(path); kind != FileKind::Regular && kind != FileKind::Missing)
            return FileReadError{notRegularFileText(path, kind), false, {}};
        return cannotOpenError(path, isMissingError(error), openFailureReason(error));
    }
    RegularFileReader file(reinterpret_cast<std::intptr_t>(opened), 0);
    if (const FileKind kind = kindOfOpenFile(opened); kind != FileKind::Regular)
        return FileReadError{notRegularFileText(path, kind), false, {}};
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(opened, &size))
        return cannotReadError(path);
    file.size_ = static_cast<std::uint64_t>(size.QuadPart);
    return file;
}

RegularFileReader::RegularFileReader(RegularFileReader&& other) noexcept
    : handle_(std::exchange(other.handle_, -1)), size_(other.size_) {}

RegularFileReader& RegularFileReader::operator=(RegularFileReader&& other) noexcept {
    if (this != &other) {
        if (handle_ != -1)
            ::CloseHandle(handleOf(handle_));
        handle_ = std::exchange(other.handle_, -1);
        size_ = other.size_;
    }
    return *this;
}

RegularFileReader::~RegularFileReader() {
    if (handle_ != -1)
        ::CloseHandle(handleOf(handle_));
}

std::optional<std::size_t> RegularFileReader::read(char* into, std::size_t size) {
    constexpr std::size_t kLargestRead = std::size_t{1} << 30;
    std::size_t done = 0;
    while (done < size) {
        DWORD got = 0;
        if (!::ReadFile(handleOf(handle_), into + done,
                        static_cast<DWORD>(std::min(size - done, kLargestRead)), &got, nullptr))
            return std::nullopt;
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

} // namespace telvarin
