#include "platform/windows_dir.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace platform {
namespace {

struct WindowsDirState {
    std::string override_folder;  // set by tests; empty: ask the system
};

WindowsDirState& State() {
    static WindowsDirState state;
    return state;
}

}  // namespace

std::string WindowsDirectory() {
    const std::string& folder = State().override_folder;
    if (!folder.empty()) return folder;
#ifdef _WIN32
    char buffer[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryA(buffer, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) return std::string();
    std::string result(buffer, n);
    // "C:\" keeps its separator only at a drive root; drop it so callers can append "\name".
    if (!result.empty() && (result.back() == '\\' || result.back() == '/')) result.pop_back();
    return result;
#else
    return std::string();
#endif
}

void SetWindowsDirectoryOverride(const std::string& folder) {
    std::string value = folder;
    while (value.size() > 1 && (value.back() == '\\' || value.back() == '/')) value.pop_back();
    State().override_folder = value;
}

}  // namespace platform
