#include "platform/paths.h"

#include <filesystem>
#include <system_error>

namespace platform {

std::string FullPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    return WithoutTrailingSeparators(error ? path : full.lexically_normal().string());
}

}  // namespace platform
