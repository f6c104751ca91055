#include "host/trainer_rules.h"

#include <cctype>
#include <cstddef>

namespace host {

namespace {
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}
}  // namespace

bool HasTrainerFolder(std::string_view uninstallText) {
    const std::size_t first = uninstallText.find(":\\");
    if (first == std::string_view::npos) return false;
    return uninstallText.find(":\\", first + 1) != std::string_view::npos;
}

int DatabaseIndexOf(std::string_view jeppDb) {
    if (EqualsIgnoringAsciiCase(jeppDb, "AMERICAS.IMG")) return 0;
    if (EqualsIgnoringAsciiCase(jeppDb, "INTRNATL.IMG")) return 1;
    return -1;
}

const char* TrainerCaption(int state) {
    switch (state) {
        case 0: return "Toggle Startup Database";
        case -1: return "GNS Trainer Registry Error";
        case -2: return "GNS Trainer Not Found";
        default: return "GNS Trainer .INI DB Error";
    }
}

}  // namespace host
