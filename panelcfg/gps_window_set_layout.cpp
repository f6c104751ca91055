#include "panelcfg/gps_window_set_layout.h"

#include "panelcfg/panel_inspection.h"
#include "panelcfg/panel_keys.h"

#include <cstdio>

namespace panelcfg {

namespace {

// Fractions of the main window's width, in 1024ths.
constexpr int kMiniWidth = 80;
constexpr int kMiniHeight = 128;
constexpr int kGpsWidth = 500;
constexpr int kGpsHeight = 360;
constexpr int kAvionicsHeight = 303;
constexpr int kAudioHeight = 100;
constexpr int kTransponderHeight = 131;
constexpr int kRadioWidth = 250;
constexpr int kRadioHeight = 72;
constexpr int kVorSize = 240;

int Scaled(double width, int k) {
    // k / 1024 is exact in binary, so this is the exact product truncated toward zero.
    return static_cast<int>(width * (k / 1024.0));
}

// A value of the window set in its profile format, from ints and the module's name.
template <typename... Values>
std::string Format(const char* format, Values... values) {
    char text[128];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

}  // namespace

SetSizes ComputeSetSizes(double width) {
    SetSizes s;
    s.miniWidth = Scaled(width, kMiniWidth);
    s.miniHeight = Scaled(width, kMiniHeight);
    s.gpsWidth = Scaled(width, kGpsWidth);
    s.gpsHeight = Scaled(width, kGpsHeight);
    s.avionicsHeight = Scaled(width, kAvionicsHeight);
    s.audioHeight = Scaled(width, kAudioHeight);
    s.transponderHeight = Scaled(width, kTransponderHeight);
    s.radioWidth = Scaled(width, kRadioWidth);
    s.radioHeight = Scaled(width, kRadioHeight);
    s.vorSize = Scaled(width, kVorSize);
    s.stackOffset = s.audioHeight + s.transponderHeight;
    return s;
}

std::vector<ProfileWrite> GpsWindowSetWrites(const SetSlots& slots, double width) {
    const SetSizes s = ComputeSetSizes(width);
    std::vector<ProfileWrite> writes;
    // One window's keys, in the order they are written. The three that open from the
    // MiniStack float on a dark background at their own size; the MiniStack alone is shown.
    const auto window = [&writes](int slot, bool floating, int w, int h, const char* position, const char* ident,
                                  const std::vector<std::string>& gauges) {
        const std::string section = SlotKey(slot);
        const auto put = [&](const std::string& key, std::string value) {
            writes.push_back({section, key, std::move(value)});
        };
        if (floating) put("BACKGROUND_COLOR", "2,2,2");
        put(kSizeKey, Format("%d,%d", w, h));
        if (floating) put("window_size_ratio", "1.0");
        put("position", position);
        put("visible", floating ? "0" : "1");
        put(kIdentKey, ident);
        for (std::size_t i = 0; i < gauges.size(); ++i) put(Format("gauge%02d", static_cast<int>(i)), gauges[i]);
    };
    window(slots[0], false, s.miniWidth, s.miniHeight, "0", "12600",
           {Format("%s!MiniStack,0,0,%d,%d,12601 12602 12603", kModuleMarker, s.miniWidth, s.miniHeight)});
    window(slots[1], true, s.gpsWidth, s.gpsHeight, "2", "12601",
           {Format("%s!GNS530,0,0,%d,%d", kModuleMarker, s.gpsWidth, s.gpsHeight)});
    window(slots[2], true, s.gpsWidth, s.avionicsHeight, "8", "12602",
           {Format("%s!GMA340,0,0,%d,%d", kModuleMarker, s.gpsWidth, s.audioHeight),
            Format("%s!GTX327,0,%d,%d,%d", kModuleMarker, s.audioHeight, s.gpsWidth, s.transponderHeight),
            Format("Bendix_King_Radio!Bendix-King Radio ADF,0,%d,%d,%d", s.stackOffset, s.radioWidth, s.radioHeight),
            Format("Bendix_King_Radio!Bendix-King Radio AP,%d,%d,%d,%d", s.radioWidth, s.stackOffset, s.radioWidth,
                   s.radioHeight)});
    window(slots[3], true, s.vorSize, s.vorSize, "6", "12603",
           {Format("%s!GI106A,0,0,%d,%d", kModuleMarker, s.vorSize, s.vorSize)});
    for (std::size_t i = 0; i < slots.size(); ++i) writes.push_back({kTitlesSection, SlotKey(slots[i]), kSetTitles[i]});
    return writes;
}

}  // namespace panelcfg
