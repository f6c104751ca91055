#include "platform/text_encoding.h"

namespace platform {

std::string AnsiToUtf8(const std::string& text) { return text; }

std::string Utf8ToAnsi(const std::string& text, bool* exact) {
    if (exact != nullptr) *exact = true;
    return text;
}

}  // namespace platform
