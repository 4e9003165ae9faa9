#include "foundation/files/LocalTime.h"

namespace telvarin {

std::tm localTimeOf(std::time_t seconds) {
    std::tm local{};
    ::localtime_r(&seconds, &local);
    return local;
}

} // namespace telvarin
