// Wide text for the Windows API's W functions, to and from the program's two spellings: the
// ANSI code page and UTF-8 (Windows only).
#pragma once

#include <windows.h>

#include <string>

namespace platform {

std::wstring Widen(const std::string& text, UINT codePage);

// The text in codePage; spelled (when given) false when a character had no exact spelling
// there. Best-fit spellings are refused: they would name another file ("Ä" for "Ā").
std::string Narrow(const std::wstring& wide, UINT codePage, bool* spelled = nullptr);

inline std::wstring NativeToWide(const std::string& utf8) { return Widen(utf8, CP_UTF8); }

// A native path as the W functions take it however long it is: its \\?\ form (absolute, with
// backslashes alone) once it passes MAX_PATH.
std::wstring LongForm(const std::string& native);
inline std::string WideToNative(const std::wstring& wide) { return Narrow(wide, CP_UTF8); }

}  // namespace platform
