// The panel's main window: the section the simulator opens first and the keys that name a
// window's bitmap. Portable.
#pragma once

#include "platform/profile_document.h"

#include <optional>
#include <string>

namespace panelcfg {

constexpr const char* kMainWindowSection = "Window00";
// The keys of a window's bitmap, the one the simulator prefers first.
constexpr const char* kBitmapKeys[] = {"file_1024", "file"};

// The bitmap [Window00] names, by the first of kBitmapKeys it holds; nullopt when it holds none.
std::optional<std::string> ReadMainWindowBitmap(const profile::Document& doc);

}  // namespace panelcfg
