// Texts between the ANSI code page the program works in and UTF-8, for output that must be
// UTF-8 (JSON) or wide (a console).
#pragma once

#include <string>

namespace platform {

// text, held in the ANSI code page, in UTF-8. Off Windows texts are taken to be UTF-8 already.
std::string AnsiToUtf8(const std::string& text);

}  // namespace platform
