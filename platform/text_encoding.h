// Texts between the ANSI code page the program's file functions work in and UTF-8, the spelling
// the file system's names and JSON use. Off Windows the ANSI code page is UTF-8 itself.
#pragma once

#include <string>

namespace platform {

// text, held in the ANSI code page, in UTF-8.
std::string AnsiToUtf8(const std::string& text);

// text, in UTF-8, in the ANSI code page; exact (when given) says whether every character had a
// spelling there: a name that had none would name another file.
std::string Utf8ToAnsi(const std::string& text, bool* exact = nullptr);

}  // namespace platform
