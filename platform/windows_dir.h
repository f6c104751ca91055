// The Windows directory, where a profile file named without a folder lives.
#pragma once

#include <string>

namespace platform {

// The Windows directory without a trailing separator ("C:\\WINDOWS"); empty when the system
// does not say, and on other platforms.
std::string WindowsDirectory();

}  // namespace platform
