// The sections and keys of panel.cfg the program reads or writes by name (the window slots' own
// names are panel_inspection.h's), and the main window's bitmap. Portable.
#pragma once

#include "platform/profile_document.h"

#include <optional>
#include <string>

namespace panelcfg {

constexpr const char* kMainWindowSection = "Window00";  // the window the simulator opens first
// The keys of a window's bitmap, the one the simulator prefers first.
constexpr const char* kBitmapKeys[] = {"file_1024", "file"};
constexpr const char* kSizeKey = "size_mm";  // a window's size, "width,height"
constexpr const char* kIdentKey = "ident";   // a window's number or name, by which gauges open it

// An alias panel names the panel folder it stands for here.
constexpr const char* kAliasSection = "fltsim";
constexpr const char* kAliasKey = "alias";

// The bitmap [Window00] names, by the first of kBitmapKeys it holds; nullopt when it holds none.
std::optional<std::string> ReadMainWindowBitmap(const profile::Document& doc);

}  // namespace panelcfg
