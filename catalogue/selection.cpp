// Placeholder until the selection lands.
#include "catalogue/selection.h"

#include "app/shell_state.h"

namespace catalogue {
Selection g_selection;
LRESULT CALLBACK TreeClickProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(app::g_shell.savedTreeProc, window, message, wParam, lParam);
}
void SelectPanel(const std::string&, int, HTREEITEM) {}
void RefreshInstallButton(HTREEITEM) {}
void InstallRemoveCommand() {}
}  // namespace catalogue
