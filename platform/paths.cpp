#include "platform/paths.h"

#include "platform/ascii.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <filesystem>
#include <system_error>
#endif

namespace platform {

namespace {

std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && IsPathSeparator(path.back()) && !(path.size() == 3 && path[1] == ':')) path.pop_back();
    return path;
}

}  // namespace

std::string FullPath(const std::string& path) {
#ifdef _WIN32
    char buffer[kMaxPathChars + 1] = {};
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (n == 0 || n >= sizeof buffer) return WithoutTrailingSeparators(path);
    return WithoutTrailingSeparators(std::string(buffer, n));
#else
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    if (error) return WithoutTrailingSeparators(path);
    return WithoutTrailingSeparators(full.lexically_normal().string());
#endif
}

bool SamePath(const std::string& a, const std::string& b) {
    const std::string x = WithoutTrailingSeparators(a);
    const std::string y = WithoutTrailingSeparators(b);
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (IsPathSeparator(x[i]) && IsPathSeparator(y[i])) continue;
#ifdef _WIN32
        if (FoldAscii(x[i]) != FoldAscii(y[i])) return false;
#else
        if (x[i] != y[i]) return false;
#endif
    }
    return true;
}

}  // namespace platform
