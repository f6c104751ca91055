#include "panelcfg/gps_window_set_layout.h"

#include "panelcfg/panel_inspection.h"

#include <cstdio>

namespace panelcfg {

const std::array<const char*, 4> kSetTitles = {
    "Skyvantage 530 MiniStack", "Skyvantage 530 GPS", "Skyvantage 530 AVIONICS", "Skyvantage 530 VOR"};

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

std::string Format(const char* format, int a, int b) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string Format(const char* format, int a, int b, int c) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

std::string Format(const char* format, int a, int b, int c, int d) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b, c, d);
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

std::vector<ProfileWrite> GpsWindowSetWrites(const std::array<int, 4>& slots, double width) {
    const SetSizes s = ComputeSetSizes(width);
    std::vector<ProfileWrite> writes;
    writes.reserve(33);
    auto put = [&writes](const std::string& section, const char* key, std::string value) {
        writes.push_back({section, key, std::move(value)});
    };
    const std::string mini = SlotKey(slots[0]);
    const std::string gps = SlotKey(slots[1]);
    const std::string avionics = SlotKey(slots[2]);
    const std::string vor = SlotKey(slots[3]);

    put(mini, "size_mm", Format("%d,%d", s.miniWidth, s.miniHeight));
    put(mini, "position", "0");
    put(mini, "visible", "1");
    put(mini, "ident", "12600");
    put(mini, "gauge00", Format("Skyvantage_Aerolith!MiniStack,0,0,%d,%d,12601 12602 12603", s.miniWidth,
                                s.miniHeight));

    put(gps, "BACKGROUND_COLOR", "2,2,2");
    put(gps, "size_mm", Format("%d,%d", s.gpsWidth, s.gpsHeight));
    put(gps, "window_size_ratio", "1.0");
    put(gps, "position", "2");
    put(gps, "visible", "0");
    put(gps, "ident", "12601");
    put(gps, "gauge00", Format("Skyvantage_Aerolith!GNS530,0,0,%d,%d", s.gpsWidth, s.gpsHeight));

    put(avionics, "BACKGROUND_COLOR", "2,2,2");
    put(avionics, "size_mm", Format("%d,%d", s.gpsWidth, s.avionicsHeight));
    put(avionics, "window_size_ratio", "1.0");
    put(avionics, "position", "8");
    put(avionics, "visible", "0");
    put(avionics, "ident", "12602");
    put(avionics, "gauge00", Format("Skyvantage_Aerolith!GMA340,0,0,%d,%d", s.gpsWidth, s.audioHeight));
    put(avionics, "gauge01",
        Format("Skyvantage_Aerolith!GTX327,0,%d,%d,%d", s.audioHeight, s.gpsWidth, s.transponderHeight));
    put(avionics, "gauge02",
        Format("Bendix_King_Radio!Bendix-King Radio ADF,0,%d,%d,%d", s.stackOffset, s.radioWidth, s.radioHeight));
    put(avionics, "gauge03", Format("Bendix_King_Radio!Bendix-King Radio AP,%d,%d,%d,%d", s.radioWidth,
                                    s.stackOffset, s.radioWidth, s.radioHeight));

    put(vor, "BACKGROUND_COLOR", "2,2,2");
    put(vor, "size_mm", Format("%d,%d", s.vorSize, s.vorSize));
    put(vor, "window_size_ratio", "1.0");
    put(vor, "position", "6");
    put(vor, "visible", "0");
    put(vor, "ident", "12603");
    put(vor, "gauge00", Format("Skyvantage_Aerolith!GI106A,0,0,%d,%d", s.vorSize, s.vorSize));

    for (std::size_t i = 0; i < slots.size(); ++i) put(kTitlesSection, SlotKey(slots[i]).c_str(), kSetTitles[i]);
    return writes;
}

}  // namespace panelcfg
