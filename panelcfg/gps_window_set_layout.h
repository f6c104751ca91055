// The GPS window set: its four windows, their sizes scaled from the main window's width, and
// the profile writes that put them into a panel.cfg, in the order they are written.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace panelcfg {

// Window titles in the order of slot assignment and writing: MiniStack, GPS, AVIONICS, VOR. How
// many windows the set has is how many titles it has.
inline constexpr std::array kSetTitles = {"Skyvantage 530 MiniStack", "Skyvantage 530 GPS", "Skyvantage 530 AVIONICS",
                                          "Skyvantage 530 VOR"};

// The slots of the set's windows, in the order of kSetTitles; -1 for none.
using SetSlots = std::array<int, kSetTitles.size()>;
constexpr SetSlots NoSlots() {
    SetSlots slots{};
    for (int& slot : slots) slot = -1;
    return slots;
}

// Sizes in the window set, each W * k / 1024 truncated toward zero.
struct SetSizes {
    int miniWidth = 0, miniHeight = 0;
    int gpsWidth = 0, gpsHeight = 0;
    int avionicsHeight = 0;
    int audioHeight = 0, transponderHeight = 0;
    int radioWidth = 0, radioHeight = 0;
    int vorSize = 0;
    int stackOffset = 0;  // audioHeight + transponderHeight, the sum of the truncated values
};

// width: a main window's width, 1 to 2^31 - 1 (ReadMainWindowWidth), so every size fits an int.
SetSizes ComputeSetSizes(double width);

struct ProfileWrite {
    std::string section;
    std::string key;
    std::string value;
};

// The 33 writes of an install into the given slots (ascending), in order: the set's window
// sections, then its titles in "Window Titles".
std::vector<ProfileWrite> GpsWindowSetWrites(const SetSlots& slots, double width);

}  // namespace panelcfg
