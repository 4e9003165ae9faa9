#pragma once

// Paths are UTF-8 everywhere in the program, while the system takes UTF-16: they are converted
// here, at the border, and nowhere else. The system's own texts (its error messages) go into the
// program's messages, which are Windows-1252.

#include <cstdint>
#include <string>

namespace telvarin {

std::wstring widePath(const std::string& utf8);
std::string utf8Of(const std::wstring& wide);
// Text in the ANSI code page (what argv holds on Windows) as UTF-8.
std::string utf8OfAnsi(const std::string& ansi);

// The system's description of an error code, in Windows-1252, without the final full stop.
std::string systemErrorText(std::uint32_t error);

// The errno value a system error code stands for, for the callers of FileSystemCalls.
int errnoOf(std::uint32_t error);

} // namespace telvarin
