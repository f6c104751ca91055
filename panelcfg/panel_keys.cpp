#include "panelcfg/panel_keys.h"

#include "platform/profile_value.h"

namespace panelcfg {

std::optional<std::string> ReadMainWindowBitmap(const profile::Document& doc) {
    for (const char* key : kBitmapKeys) {
        if (std::optional<std::string> name = profile::ReadValue(doc, kMainWindowSection, key)) return name;
    }
    return std::nullopt;
}

}  // namespace panelcfg
