// The data word of every tree item and the kinds of panel encoded in it.
//
//   root      -1
//   aircraft  its aircraft number (0..kMaxAircraft-1), high half 0
//   panel     high half: panel number; low half: kind base + aircraft number
#pragma once

#include <cstdint>

namespace catalogue {

enum class PanelKind { Plain, Alias, Foreign };

enum class ItemClass { Root, Aircraft, Plain, Alias, Foreign };

struct DecodedItem {
    ItemClass cls = ItemClass::Root;
    int panel = -1;  // panel number (panel items)
};

constexpr std::int32_t kRootItemData = -1;

// Limits within which the data words keep their meaning: kind ranges stay apart while the
// aircraft number is below 1000, and the panel number must fit the high 16 bits.
constexpr int kMaxAircraft = 999;
constexpr int kMaxPanels = 65535;

// Data word of the item that says how many folders the scan could not list: an aircraft
// number no aircraft ever gets, so selecting it does nothing.
constexpr std::int32_t kOverflowItemData = kMaxAircraft;

std::int32_t MakePanelItemData(int panel, PanelKind kind, int aircraft);

// The order matters: the root's -1 has low half 65535 and must not read as Foreign.
DecodedItem DecodeItemData(std::int32_t data);

}  // namespace catalogue
