#include "foundation/files/Folders.h"

#include <cerrno>
#include <sys/stat.h>

namespace telvarin {

// Made private from the start: its copies of patient data are never readable by others, not even
// for a moment.
bool makePrivateFolder(const std::string& path) {
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

} // namespace telvarin
