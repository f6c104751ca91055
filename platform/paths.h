// The Windows path limit and the separator the program composes paths with.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// Longest path the Windows ANSI file functions accept, terminating NUL excluded (MAX_PATH - 1).
constexpr std::size_t kMaxPathChars = 259;

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

inline bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

inline bool EndsWithSeparator(const std::string& path) { return !path.empty() && IsPathSeparator(path.back()); }

// The folder part of path including its final separator; empty for a bare name.
inline std::string FolderPart(const std::string& path) {
    std::size_t i = path.size();
    while (i > 0 && !IsPathSeparator(path[i - 1])) --i;
    return path.substr(0, i);
}

}  // namespace platform
