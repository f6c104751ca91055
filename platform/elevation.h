// Starting this program again with administrator rights (Windows only): Windows asks the user's
// permission first (User Account Control), and the user may decline.
#pragma once

namespace platform {

enum class RestartResult { Started, Declined, Failed };

struct Restart {
    RestartResult result = RestartResult::Failed;
    unsigned long error = 0;  // Failed: the system's error code
};

// Starts this program's own exe with the verb "runas", without arguments; returns once it has
// started (or not). The caller ends this run when it has.
Restart RestartAsAdministrator();

}  // namespace platform
