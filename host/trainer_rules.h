// The text rules of trainer discovery, free of any Windows call.
#pragma once

#include <string_view>

namespace host {

// True when the uninstall text holds a second drive path: an occurrence of ":\" that starts
// after the first character of the first occurrence.
bool HasTrainerFolder(std::string_view uninstallText);

// "AMERICAS.IMG" -> 0, "INTRNATL.IMG" -> 1 (ASCII case ignored), anything else -> -1.
int DatabaseIndexOf(std::string_view jeppDb);

// Caption of button 104 for a trainer state.
const char* TrainerCaption(int state);

}  // namespace host
