// The single-call profile functions, with kernel32's signatures and results, as thin
// wrappers over Document: each call loads the file once, and a write saves it atomically.
// A file name without a folder names a file in the Windows directory (platform/windows_dir.h).
//
// Unlike kernel32, the write returns the engine's Error so callers can report failures, edits
// the file in place of a key-by-key rewrite and saves it atomically (platform/profile_file.h).
// Where Windows and Wine disagree these follow Windows; where neither is known to be sound
// they choose the safe reading: names are trimmed of blanks for every call (Wine trims them
// only for single-key reads and writes), a delete on a missing file creates nothing (Windows
// leaves an empty file), a key delete never reaches into a later duplicate section, and a
// read-only file is never written, whoever runs the program.
#pragma once

#include "platform/profile_file.h"

#include <cstdint>
#include <string>

namespace profile {

// Copies the value (or the default, trailing blanks removed) into buffer, at most size - 1
// characters and a NUL; returns the number of characters copied. A null key, a null section
// and size < 2 behave as kernel32's do (key list, section list, truncation).
std::uint32_t GetPrivateProfileStringA(const char* section, const char* key, const char* def, char* buffer,
                                       std::uint32_t size, const char* file);

// value null: delete the key; key null: delete the section.
fileio::Error WritePrivateProfileStringA(const char* section, const char* key, const char* value, const char* file);

// The path the functions above use for file: unchanged when it names a folder (or when there
// is no Windows directory, off Windows), else "<Windows directory>\file".
std::string ResolveProfilePath(const std::string& file);

}  // namespace profile
