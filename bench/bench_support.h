// What every benchmark shares: the fleet folder as the Windows program spells it (a Unix path
// becomes the same folder on Wine's Z: drive, without a trailing separator), the runs it takes
// medians over, and the clock.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

constexpr int kRuns = 5;

inline std::string FleetRoot(std::string path) {
    if (!path.empty() && path[0] == '/') {
        std::replace(path.begin(), path.end(), '/', '\\');
        path = "Z:" + path;
    }
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

// The fleet given on the command line, or an empty text after saying why there is none.
inline std::string FleetFromArguments(int argc, char** argv, int needed, const char* usage) {
    if (argc < needed) {
        std::fprintf(stderr, "usage: %s\n", usage);
        return {};
    }
    const std::string root = FleetRoot(argv[1]);
    if (GetFileAttributesA((root + "\\aircraft").c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "%s: no aircraft folder under %s\n", usage, root.c_str());
        return {};
    }
    return root;
}

inline double Ms(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

inline double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
