#include "app/main_dialog.h"
#include "app/user_messages.h"
#include "platform/system_message.h"

#include <commctrl.h>

#include <string>

// The exit code is the dialog's result: 1 when closed through Exit or the close area, 0 on a close
// request, -1 when the dialog cannot be made; then the program says why, in a message box and on
// stderr where it has one (started from a console or a script), never silently.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const int result = app::RunMainDialog(instance);
    if (result == -1) {
        const catalogue::Message message = catalogue::WindowNotCreatedMessage(platform::SystemMessage(GetLastError()));
        const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
        const std::string line = "panelwright: " + message.text + "\n";
        DWORD written = 0;
        if (err != nullptr && err != INVALID_HANDLE_VALUE)
            WriteFile(err, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        app::ShowMessage(nullptr, message);
    }
    return result;
}
