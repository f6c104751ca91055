#include "app/shell_state.h"

namespace app {
ShellState g_shell;
}
