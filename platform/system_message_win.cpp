#include "platform/system_message.h"

#include "platform/unique_handle.h"

#include <windows.h>

namespace platform {

std::string SystemMessage(unsigned long code) {
    char* text = nullptr;
    DWORD n =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    const OwnedLocalMemory owner(text);
    std::string message;
    if (n != 0 && text != nullptr) message.assign(text, n);
    while (!message.empty() &&
           (message.back() == '\n' || message.back() == '\r' || message.back() == ' ' || message.back() == '.')) {
        message.pop_back();
    }
    if (message.empty()) message = "system error " + std::to_string(code);
    return message;
}

}  // namespace platform
