#include "platform/paths.h"

#include "platform/wide_text.h"

namespace platform {

std::string FullPath(const std::string& path) {
    const std::wstring wide = NativeToWide(path);
    const DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (n == 0) return WithoutTrailingSeparators(path);
    std::wstring buffer(n, L'\0');
    const DWORD written = GetFullPathNameW(wide.c_str(), n, &buffer[0], nullptr);
    if (written == 0 || written >= n) return WithoutTrailingSeparators(path);
    buffer.resize(written);
    return WithoutTrailingSeparators(WideToNative(buffer));
}

}  // namespace platform
