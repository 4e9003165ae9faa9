#include "foundation/files/LocalTime.h"

namespace telvarin {

std::tm localTimeOf(std::time_t seconds) {
    std::tm local{};
    ::localtime_s(&local, &seconds);
    return local;
}

} // namespace telvarin
