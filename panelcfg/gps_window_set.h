// Install and removal of the GPS window set as the dialog runs them (Windows only): the
// portable edit plus the user-facing message box and status line.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace panelcfg {

// panelFolder ends in "\". 1 when the set was written; 0 when nothing changed (a message box
// has told the user why).
int InstallGpsWindowSet(const std::string& panelFolder, std::int32_t itemData);

// 1 when the removal ran; 0 when the panel holds no title of the set, or the edit failed
// (then a message box has said so) — the file is as it was in both cases.
int RemoveGpsWindowSet(const std::string& panelFolder, std::int32_t itemData);

// Tests only: receives the message boxes (text, caption, MB_ flags) instead of MessageBoxA.
// An empty sink restores the message box.
using MessageSink = std::function<void(const std::string& text, const std::string& caption, unsigned int flags)>;
void SetMessageSink(MessageSink sink);

}  // namespace panelcfg
