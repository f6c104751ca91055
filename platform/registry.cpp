#include "platform/registry.h"

#include <cstring>

namespace platform {

RegistryKey OpenKeyForReading(const RegistryRoot& root, const std::string& subKey) {
    const std::string path = root.prefix.empty() ? subKey : root.prefix + "\\" + subKey;
    // Reading is all the program does, so a standard account can open the key too.
    HKEY key = nullptr;
    if (RegOpenKeyExA(root.key, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
        return RegistryKey();
    return RegistryKey(key);
}

bool QueryTextValue(const RegistryKey& key, const char* name, std::string& out) {
    out.clear();
    if (!key) return false;
    char buffer[kRegistryTextBytes] = {};
    DWORD size = sizeof buffer;
    // A value that does not fit answers ERROR_MORE_DATA and is treated as missing.
    if (RegQueryValueExA(key.get(), name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
        return false;
    if (size > sizeof buffer) return false;
    // The stored bytes need not end in a NUL; the text ends at the first one either way.
    const void* nul = std::memchr(buffer, '\0', size);
    const std::size_t length = nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - buffer) : size;
    if (length > kRegistryTextBytes - 1) return false;
    out.assign(buffer, length);
    return true;
}

}  // namespace platform
