// Registry reads of the machine's keys, through the 32-bit view: the simulator and the trainer
// are 32-bit programs, so on a 64-bit Windows their installers wrote their keys there, and
// that is the view every build of this program reads.
#pragma once

#include <windows.h>

#include "platform/paths.h"
#include "platform/unique_handle.h"

#include <string>

namespace platform {

// Longest registry text the program keeps: a 260-byte buffer, NUL included.
constexpr DWORD kRegistryTextBytes = kMaxPathChars + 1;

// Where the machine's keys are looked up: a root key and a path under it that every key's path
// is appended to. The program reads HKEY_LOCAL_MACHINE itself; a test reads a key of its own.
struct RegistryRoot {
    HKEY key = HKEY_LOCAL_MACHINE;
    std::string prefix;  // empty, or a path such as "SOFTWARE\\Tests" that keys are read under
};

// Owns an open key; closes it on destruction.
using RegistryKey = OwnedRegistryKey;

// Opens subKey under root for reading (KEY_READ, 32-bit view). An empty key when the key is
// missing or cannot be read.
RegistryKey OpenKeyForReading(const RegistryRoot& root, const std::string& subKey);

// Reads value name of key as text, whatever its type: the bytes up to the first NUL.
// Returns false, leaving out empty, when the value is missing, unreadable or longer than
// kRegistryTextBytes - 1 characters.
bool QueryTextValue(const RegistryKey& key, const char* name, std::string& out);

}  // namespace platform
