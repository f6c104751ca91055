// How the program reads one profile value: as GetPrivateProfileStringA with the default
// "notfound" into a buffer of a given size. A value equal to "notfound" counts as missing, so a
// key holding exactly that text reads as absent, wherever the program reads.
#pragma once

#include "platform/profile_document.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace profile {

constexpr const char* kNotFound = "notfound";

// The buffers of the program's reads hold 260 bytes: at most 259 characters of a value.
constexpr std::size_t kValueBytes = 260;

// The value cut to capacity - 1 characters, or nullopt when the section or key is missing or
// the (cut) value is "notfound".
inline std::optional<std::string> ReadValue(const Document& doc, std::string_view section, std::string_view key,
                                            std::size_t capacity = kValueBytes) {
    std::optional<std::string> value = doc.Get(section, key);
    if (!value) return std::nullopt;
    if (value->size() > capacity - 1) value->resize(capacity - 1);
    if (*value == kNotFound) return std::nullopt;
    return value;
}

}  // namespace profile
