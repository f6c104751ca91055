// The fleet folder a benchmark is given, as the Windows program spells it: a Unix path becomes
// the same folder on Wine's Z: drive, without a trailing separator.
#pragma once

#include <algorithm>
#include <string>

inline std::string FleetRoot(std::string path) {
    if (!path.empty() && path[0] == '/') {
        std::replace(path.begin(), path.end(), '/', '\\');
        path = "Z:" + path;
    }
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}
