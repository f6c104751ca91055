#include "platform/text_encoding.h"
#include "platform/wide_text.h"

#include "platform/paths.h"

namespace platform {

std::wstring Widen(const std::string& text, UINT codePage) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
    return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage, bool* spelled) {
    if (spelled != nullptr) *spelled = true;
    if (wide.empty()) return {};
    const bool checked = spelled != nullptr && codePage != CP_UTF8;
    const DWORD flags = checked ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL usedDefault = FALSE;
    const int n =
        WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), &text[0], n, nullptr,
                        checked ? &usedDefault : nullptr);
    if (spelled != nullptr) *spelled = !usedDefault;
    return text;
}

std::string AnsiToUtf8(const std::string& text) { return Narrow(Widen(text, CP_ACP), CP_UTF8); }

std::string Utf8ToAnsi(const std::string& text, bool* exact) { return Narrow(Widen(text, CP_UTF8), CP_ACP, exact); }

std::wstring LongForm(const std::string& native) {
    std::wstring wide = NativeToWide(native);
    for (wchar_t& c : wide) {
        if (c == L'/') c = L'\\';
    }
    const bool drive = wide.size() > 2 && wide[1] == L':' && wide[2] == L'\\';
    if (wide.size() >= kMaxPathChars && drive) wide = L"\\\\?\\" + wide;
    return wide;
}

}  // namespace platform
