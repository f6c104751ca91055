// The Windows directory, with a seam for tests: the product always uses GetWindowsDirectoryA.
#pragma once

#include <string>

namespace platform {

// The Windows directory without a trailing separator ("C:\\WINDOWS"). On non-Windows builds,
// the override or the empty string.
std::string WindowsDirectory();

// Tests point the Windows directory at a folder of their own; an empty text restores the real one.
void SetWindowsDirectoryOverride(const std::string& folder);

}  // namespace platform
