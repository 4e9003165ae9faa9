#include "foundation/files/Folders.h"

#include "foundation/files/FileReplacement.h"
#include "foundation/files/windows/SystemText.h"

#include <memory>
#include <random>
#include <windows.h>
// Needs windows.h first.
#include <sddl.h>

namespace telvarin {
namespace {

// The system's reason in the words of the message; its own text where none fits.
std::string reasonOf(DWORD error) {
    switch (error) {
    case ERROR_WRITE_PROTECT:
        return "Der Ordner liegt auf einem schreibgesch\xFCtzten Laufwerk.";
    case ERROR_ACCESS_DENIED:
    case ERROR_NETWORK_ACCESS_DENIED:
        return "Sie haben keine Schreibrechte f\xFCr diesen Ordner.";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "Auf dem Laufwerk ist kein Platz mehr frei.";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return "Der Ordner ist nicht vorhanden.";
    case ERROR_DIRECTORY:
        return "Ein Teil des Pfads ist kein Ordner.";
    default:
        return "Das System meldet: " + systemErrorText(error) + ".";
    }
}

bool isFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

struct LocalFreeing {
    void operator()(void* memory) const { ::LocalFree(memory); }
};
using LocalMemory = std::unique_ptr<void, LocalFreeing>;

// This user's security identifier as text ("S-1-5-21-..."); empty when it cannot be told.
std::wstring currentUserSid() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    DWORD size = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::unique_ptr<unsigned char[]> buffer(new unsigned char[size]);
    std::wstring sid;
    wchar_t* text = nullptr;
    if (size > 0 && ::GetTokenInformation(token, TokenUser, buffer.get(), size, &size) &&
        ::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.get())->User.Sid, &text)) {
        sid = text;
        ::LocalFree(text);
    }
    ::CloseHandle(token);
    return sid;
}

// Made private from the start: its copies of patient data are never readable by others, not even
// for a moment. Only this user and the system itself (its backups and indexing) get in, and what
// is made inside takes that over.
bool makeFolderForThisUser(const std::wstring& path) {
    const std::wstring sid = currentUserSid();
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    std::wstring rules = L"D:P(A;OICI;FA;;;";
    rules.append(sid).append(L")(A;OICI;FA;;;SY)");
    if (sid.empty() || !::ConvertStringSecurityDescriptorToSecurityDescriptorW(rules.c_str(), SDDL_REVISION_1,
                                                                               &descriptor, nullptr))
        return ::CreateDirectoryW(path.c_str(), nullptr) != 0;
    const LocalMemory owned(descriptor);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    return ::CreateDirectoryW(path.c_str(), &attributes) != 0;
}

} // namespace

// A folder shares what is made in it through the access list its files inherit; there is no
// set-group bit to tell a group's folder.
bool isGroupFolder(const std::string&) {
    return false;
}

bool makePrivateFolder(const std::string& path) {
    const std::wstring wide = widePath(path);
    return makeFolderForThisUser(wide) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

// The folder takes the access of the one it is made in, as the model beside it did, so those who
// may read the model may read its copies.
bool makeFolderSharedLike(const std::string& path, const std::string& modelFile) {
    const std::wstring wide = widePath(path);
    const DWORD model = ::GetFileAttributesW(widePath(modelFile).c_str());
    if (model == INVALID_FILE_ATTRIBUTES || (model & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return makePrivateFolder(path);
    if (!::CreateDirectoryW(wide.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        return false;
    return isFolder(wide);
}

std::optional<FolderFailure> makePrivateFolders(const std::string& path) {
    // Each folder from the first below the root ("C:\", "\\server\share\"), which is never made.
    std::size_t separatorsInRoot = 0;
    if (path.size() >= 2 && (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/'))
        separatorsInRoot = 4;
    std::size_t separatorsSeen = 0;
    for (std::size_t end = 0; end <= path.size(); ++end) {
        if (end < path.size() && path[end] != '\\' && path[end] != '/')
            continue;
        ++separatorsSeen;
        const std::string folder = path.substr(0, end);
        if (separatorsSeen <= separatorsInRoot || folder.empty() || folder.back() == ':' ||
            folder.back() == '\\' || folder.back() == '/')
            continue;
        const std::wstring wide = widePath(folder);
        if (isFolder(wide))
            continue;
        if (!makeFolderForThisUser(wide) && !isFolder(wide))
            return FolderFailure{folder, reasonOf(::GetLastError())};
    }
    return std::nullopt;
}

// Windows has no cheap test of the right to create files: one is made, and goes again at once.
std::optional<FolderFailure> folderWriteFailure(const std::string& folder) {
    const std::string checked = folder.empty() ? "." : folder;
    const std::wstring wide = widePath(checked);
    if (!isFolder(wide)) {
        const DWORD error = ::GetLastError();
        return FolderFailure{folder, reasonOf(::GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES
                                                  ? error
                                                  : static_cast<DWORD>(ERROR_DIRECTORY))};
    }
    std::random_device seed;
    std::wstring probe = wide;
    probe.append(L"\\schreibprobe")
        .append(widePath(std::string(kTemporaryMarker)))
        .append(std::to_wstring(100000 + seed() % 900000));
    const HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return FolderFailure{folder, reasonOf(::GetLastError())};
    ::CloseHandle(file);
    return std::nullopt;
}

} // namespace telvarin
