// Registry reads behind a small seam. The product reads HKEY_LOCAL_MACHINE through the 32-bit
// view; tests redirect every open to a test key under HKEY_LOCAL_MACHINE.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

#include <string>

namespace platform {

// Longest registry text the program keeps: a 260-byte buffer, NUL included.
constexpr DWORD kRegistryTextBytes = 260;

// Owns an open key; closes it on destruction.
using RegistryKey = OwnedRegistryKey;

// Opens subKey of the machine root for reading (KEY_READ, 32-bit view). An empty key when the
// key is missing or cannot be read.
RegistryKey OpenMachineKeyForReading(const std::string& subKey);

// Reads value name of key as text, whatever its type: the bytes up to the first NUL.
// Returns false, leaving out empty, when the value is missing, unreadable or longer than
// kRegistryTextBytes - 1 characters.
bool QueryTextValue(const RegistryKey& key, const char* name, std::string& out);

// Tests: every machine key opened afterwards is looked up under HKEY_LOCAL_MACHINE\testRoot
// instead. An empty text restores the machine root itself.
void SetMachineRootOverride(const std::string& testRoot);

}  // namespace platform
