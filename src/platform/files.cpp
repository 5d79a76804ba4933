#include "platform/platform.h"

#ifdef _WIN32
#include <share.h>
#endif

namespace platform {

std::FILE* openForReading(const std::string& path) {
#ifdef _WIN32
    return _fsopen(path.c_str(), "rb", _SH_DENYNO);
#else
    std::string native = path;
    for (char& c : native)
        if (c == '\\') c = '/';
    return std::fopen(native.c_str(), "rb");
#endif
}

std::FILE* openFile(const std::string& path, const char* mode) {
#ifdef _WIN32
    return std::fopen(path.c_str(), mode);
#else
    std::string native = path;
    for (char& c : native)
        if (c == '\\') c = '/';
    return std::fopen(native.c_str(), mode);
#endif
}

}  // namespace platform
