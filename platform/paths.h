// The Windows path limit and the separator the program composes paths with.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// Longest path the Windows ANSI file functions accept, terminating NUL excluded (MAX_PATH - 1).
constexpr std::size_t kMaxPathChars = 259;

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
constexpr bool kNamesFoldCase = true;  // "C:\FS2002" and "c:\fs2002" are one folder
#else
constexpr char kPathSeparator = '/';
constexpr bool kNamesFoldCase = false;
#endif

inline bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

inline bool EndsWithSeparator(const std::string& path) { return !path.empty() && IsPathSeparator(path.back()); }

// path without the separators it ends in, all of them: a folder path the program composes
// others from, so that "D:\FS2002\" and "D:\" give "D:\FS2002\aircraft" and "D:\aircraft".
std::string WithoutTrailingSeparators(std::string path);

// path, spelled as the file system holds names (UTF-8 on Windows), made absolute against the
// current folder, with "." and ".." resolved and no trailing separator. Unchanged but for its
// trailing separators when the system cannot say.
std::string FullPath(const std::string& path);

// True when a and b name the same path: separators and trailing separators aside, letters in
// any ASCII case on Windows, byte for byte elsewhere. Neither is made absolute.
bool SamePath(const std::string& a, const std::string& b);

// The folder part of path including its final separator; empty for a bare name.
inline std::string FolderPart(const std::string& path) {
    std::size_t i = path.size();
    while (i > 0 && !IsPathSeparator(path[i - 1])) --i;
    return path.substr(0, i);
}

}  // namespace platform
