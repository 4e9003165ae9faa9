#include "data/BuiltinRepertory.h"

namespace telvarin {

RepertoryLoadResult loadBuiltinRepertory() {
    return RepertoryDatabase::fromBytes(builtinRepertoryBytes());
}

} // namespace telvarin
