// Folder listings that keep every name as the file system holds it. A name the ANSI code page
// cannot spell (Japanese characters on a Western system, say) is listed too: its ANSI spelling
// shows '?' where those characters are and names no file, so it is marked, and the file can
// still be read through its real name.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct FolderEntry {
    std::string name;    // the name in the ANSI code page; '?' for what it cannot spell
    std::string native;  // the name as the file system holds it: UTF-8 on Windows, bytes elsewhere
    bool folder = false;
    bool spellable = true;  // name spells exactly this entry's name
};

// A path as the file system holds it, with its ANSI spelling beside it.
class RealPath {
public:
    RealPath() = default;
    // A path the program holds in ANSI, such as the simulator's folder from the registry.
    explicit RealPath(const std::string& ansi);

    RealPath Child(const FolderEntry& entry) const;
    RealPath Child(const std::string& ansiName) const;  // a name of the program's own, ASCII

    const std::string& Ansi() const { return ansi_; }
    const std::string& Native() const { return native_; }

private:
    std::string ansi_;
    std::string native_;
};

// Every entry of folder in the file system's order ("." and ".." included where the system
// lists them), however long the folder's path; false when the folder cannot be listed.
bool ListFolder(const RealPath& folder, std::vector<FolderEntry>& entries);

// The whole file, however long its path; false when it is missing or cannot be read.
bool ReadFileAt(const RealPath& file, std::string& bytes);

}  // namespace platform
