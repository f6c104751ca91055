#include "catalogue/item_data.h"

namespace catalogue {

namespace {

// The kinds' bases in a panel word's low half: aircraft numbers stay below 1000, so the three
// ranges never meet, and every panel word's low half is at least 1000, above any aircraft's word.
constexpr int kPlainBase = 1000;
constexpr int kAliasBase = 2000;
constexpr int kForeignBase = 3000;

int BaseOf(PanelKind kind) {
    switch (kind) {
        case PanelKind::Alias: return kAliasBase;
        case PanelKind::Foreign: return kForeignBase;
        case PanelKind::Plain: break;
    }
    return kPlainBase;
}

}  // namespace

std::int32_t MakePanelItemData(int panel, PanelKind kind, int aircraft) {
    const std::uint32_t high = static_cast<std::uint32_t>(panel) & 0xFFFFu;
    const std::uint32_t low = static_cast<std::uint32_t>(BaseOf(kind) + aircraft) & 0xFFFFu;
    return static_cast<std::int32_t>((high << 16) | low);
}

DecodedItem DecodeItemData(std::int32_t data) {
    if (data == kRootItemData) return {};
    const std::uint32_t word = static_cast<std::uint32_t>(data);
    const int low = static_cast<int>(word & 0xFFFFu);
    const int high = static_cast<int>(word >> 16);
    if (low >= kForeignBase) return {ItemClass::Foreign, high};
    if (low >= kAliasBase) return {ItemClass::Alias, high};
    if (low >= kPlainBase) return {ItemClass::Plain, high};
    return {ItemClass::Aircraft, -1};
}

}  // namespace catalogue
