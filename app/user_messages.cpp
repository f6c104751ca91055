#include "app/user_messages.h"

namespace app {

void ShowMessage(HWND dialog, const catalogue::Message& message) {
    if (message.severity == catalogue::Severity::Error) {
        // No owner, yet above the topmost main dialog, and task-modal so the dialog cannot start
        // another edit while the message is up.
        MessageBoxA(nullptr, message.text.c_str(), message.caption.c_str(),
                    MB_ICONERROR | MB_OK | MB_TASKMODAL | MB_TOPMOST);
        return;
    }
    MessageBoxA(dialog, message.text.c_str(), message.caption.c_str(), MB_ICONWARNING | MB_OK);
}

bool AskMessage(HWND, const catalogue::Message& message) {
    return MessageBoxA(nullptr, message.text.c_str(), message.caption.c_str(),
                       MB_ICONWARNING | MB_YESNO | MB_DEFBUTTON2 | MB_TASKMODAL | MB_TOPMOST) == IDYES;
}

}  // namespace app
