#include "catalogue/item_data.h"

namespace catalogue {

std::int32_t MakePanelItemData(int panel, PanelKind kind, int aircraft) {
    const std::uint32_t high = static_cast<std::uint32_t>(panel) & 0xFFFFu;
    const std::uint32_t low = static_cast<std::uint32_t>(static_cast<int>(kind) + aircraft) & 0xFFFFu;
    return static_cast<std::int32_t>((high << 16) | low);
}

DecodedItem DecodeItemData(std::int32_t data) {
    DecodedItem item;
    if (data == kRootItemData) return item;
    const std::uint32_t word = static_cast<std::uint32_t>(data);
    const int low = static_cast<int>(word & 0xFFFFu);
    const int high = static_cast<int>(word >> 16);
    item.lowHalf = low;
    if (low >= 3000) {
        item = {ItemClass::Foreign, low - 3000, high, low};
    } else if (low >= 2000) {
        item = {ItemClass::Alias, low - 2000, high, low};
    } else if (low >= 1000) {
        item = {ItemClass::Plain, low - 1000, high, low};
    } else {
        item = {ItemClass::Aircraft, low, -1, low};
    }
    return item;
}

}  // namespace catalogue
