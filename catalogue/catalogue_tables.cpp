#include "catalogue/catalogue_tables.h"

namespace catalogue {

CatalogueTables g_catalogue;

namespace {
const std::string kEmpty;

template <typename T>
void Put(std::vector<T>& table, int row, const T& value) {
    if (row < 0) return;
    const auto index = static_cast<std::size_t>(row);
    if (table.size() <= index) table.resize(index + 1);
    table[index] = value;
}

template <typename T>
const T* Row(const std::vector<T>& table, int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= table.size()) return nullptr;
    return &table[static_cast<std::size_t>(row)];
}
}  // namespace

void SetAircraftFolder(int aircraft, const std::string& name) { Put(g_catalogue.aircraftFolder, aircraft, name); }
const std::string& AircraftFolder(int aircraft) {
    const auto* row = Row(g_catalogue.aircraftFolder, aircraft);
    return row ? *row : kEmpty;
}
void SetAliasPath(int panel, const std::string& path) { Put(g_catalogue.aliasPath, panel, path); }
const std::string& AliasPath(int panel) {
    const auto* row = Row(g_catalogue.aliasPath, panel);
    return row ? *row : kEmpty;
}
void SetSlotMask(int panel, std::uint32_t mask) { Put(g_catalogue.slotMask, panel, mask); }
std::uint32_t SlotMask(int panel) {
    const auto* row = Row(g_catalogue.slotMask, panel);
    return row ? *row : 0u;
}
void SetPanelUnusable(int panel, bool unusable) {
    Put(g_catalogue.panelUnusable, panel, static_cast<std::uint8_t>(unusable ? 1 : 0));
}
bool PanelUnusable(int panel) {
    const auto* row = Row(g_catalogue.panelUnusable, panel);
    return row && *row != 0;
}

void ResetCatalogue() { g_catalogue = CatalogueTables{}; }

}  // namespace catalogue
