#include "platform/paths.h"

#include "platform/ascii.h"

#ifdef _WIN32
#include "platform/wide_text.h"
#else
#include <filesystem>
#include <system_error>
#endif

namespace platform {

namespace {

// Trailing separators go, but a root keeps its own ("C:\\", "/").
std::string WithoutTrailingSeparatorsButRoot(std::string path) {
    while (path.size() > 1 && IsPathSeparator(path.back()) && !(path.size() == 3 && path[1] == ':')) path.pop_back();
    return path;
}

}  // namespace

std::string WithoutTrailingSeparators(std::string path) {
    while (!path.empty() && IsPathSeparator(path.back())) path.pop_back();
    return path;
}

std::string FullPath(const std::string& path) {
#ifdef _WIN32
    const std::wstring wide = NativeToWide(path);
    const DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n == 0) return WithoutTrailingSeparatorsButRoot(path);
    std::wstring buffer(n, L'\0');
    const DWORD written = GetFullPathNameW(wide.c_str(), n, &buffer[0], nullptr);
    if (written == 0 || written >= n) return WithoutTrailingSeparatorsButRoot(path);
    buffer.resize(written);
    return WithoutTrailingSeparatorsButRoot(WideToNative(buffer));
#else
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    if (error) return WithoutTrailingSeparatorsButRoot(path);
    return WithoutTrailingSeparatorsButRoot(full.lexically_normal().string());
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
