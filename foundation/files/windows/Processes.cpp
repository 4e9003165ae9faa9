#include "foundation/files/Processes.h"

#include "foundation/files/windows/SystemText.h"

#include <lmcons.h>
#include <windows.h>

namespace telvarin {

long currentProcessId() {
    return static_cast<long>(::GetCurrentProcessId());
}

// The name of the program file, as the task manager lists it ("telvarin.exe").
std::string currentProgramName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t separator = path.find_last_of(L"\\/");
    return utf8Of(separator == std::wstring::npos ? path : path.substr(separator + 1));
}

std::optional<std::string> hostName() {
    wchar_t name[256] = {};
    DWORD size = sizeof name / sizeof name[0];
    if (!::GetComputerNameExW(ComputerNameDnsHostname, name, &size))
        return std::nullopt;
    return utf8Of(std::wstring(name, size));
}

std::string currentUserName() {
    wchar_t name[UNLEN + 1] = {};
    DWORD size = UNLEN + 1;
    if (!::GetUserNameW(name, &size) || size == 0)
        return {};
    return utf8Of(std::wstring(name, size - 1));
}

bool processIsRunning(long pid) {
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr)
        return ::GetLastError() == ERROR_ACCESS_DENIED; // another user's
    DWORD code = 0;
    const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return running;
}

} // namespace telvarin
