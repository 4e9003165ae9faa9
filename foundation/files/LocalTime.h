#pragma once

// The calendar time in the user's time zone, which the C library gives each system its own way.

#include <ctime>

namespace telvarin {

std::tm localTimeOf(std::time_t seconds);

} // namespace telvarin
