#include "platform/windows_dir.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace platform {

std::string WindowsDirectory() {
#ifdef _WIN32
    char buffer[MAX_PATH + 1] = {};
    const UINT n = GetWindowsDirectoryA(buffer, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) return std::string();
    std::string result(buffer, n);
    // "C:\" keeps its separator only at a drive root; drop it so callers can append "\name".
    if (!result.empty() && (result.back() == '\\' || result.back() == '/')) result.pop_back();
    return result;
#else
    return std::string();
#endif
}

}  // namespace platform
