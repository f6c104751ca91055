// Where Windows keeps a user's copies of files that an old program (one without a manifest, as
// the simulator is) wrote under a folder only administrators may change: such a program, run by
// that user, reads its copy first. The folders and the store are the system's to name.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct VirtualStore {
    std::vector<std::string> folders;  // the folders Windows virtualizes, without trailing separators
    std::string root;                  // the user's VirtualStore folder, without a trailing separator
};

// The folders and the store as the system names them (ANSI); nothing on other platforms, where
// the system cannot say, and where User Account Control or its virtualization is turned off:
// then no path is virtualized.
VirtualStore SystemVirtualStore();

// Whether path is one of store's folders or lies under one (separators alike, ASCII letters in
// any case).
bool IsVirtualized(const VirtualStore& store, const std::string& path);

// Where the user's copy of path lies: the store's folder followed by path without its drive
// ("C:\Program Files\x" gives root + "\Program Files\x"); empty when path is not virtualized or
// the store has no folder.
std::string VirtualStoreCopy(const VirtualStore& store, const std::string& path);

// Whether the system says, without anything being written, that this process may not create
// files in folder (ANSI): a folder Windows keeps for administrators while this process runs
// without elevation. False where it does not say, and on other platforms.
bool RefusesNewFiles(const std::string& folder);

}  // namespace platform
