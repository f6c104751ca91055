// Our one-document edits against the key-by-key sequence of kernel32 profile calls that they
// replace, on seeded random panel.cfg files. Wine rewrites whole files on every write, so the
// two results are compared as parsed content: sections, keys and values, in order. The slot
// inventory is compared too: the removal's guard and its result against per-key reads.
#include "panelcfg/gps_window_set.h"
#include "panelcfg/gps_window_set_layout.h"
#include "panelcfg/panel_inspection.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace panelcfg {
namespace {

constexpr int kCases = 500;

struct Rng {
    explicit Rng(unsigned seed) : engine(seed) {}
    int Below(int n) { return static_cast<int>(engine() % static_cast<unsigned>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    std::string Number(int below) { return std::to_string(Below(below)); }
    std::mt19937 engine;
};

std::string RandomTitle(Rng& rng) {
    static const std::string others[] = {
        "Skyvantage 530 Extra", "skyvantage 530 GPS", "notfound", "", "Skyvantage 530 GPS" + std::string(300, 'z'),
        "\"Skyvantage 530 VOR\"", "  Skyvantage 530 AVIONICS  ", "Main Panel", "Radio Stack", "GPS", "Compass",
        "Overhead", "Throttle"};
    const int pick = rng.Below(16);
    return pick < 3 ? kSetTitles[static_cast<std::size_t>(rng.Below(4))] : others[pick - 3];
}

// A window section; each has "size_mm", which the key-by-key side uses to see it is there.
std::string RandomSection(Rng& rng, const std::string& name) {
    std::string text = "[" + name + "]\r\n";
    if (rng.Chance(30)) text += "BACKGROUND_COLOR=0,0,0\r\n";
    text += "size_mm=" + rng.Number(1200) + "," + rng.Number(900) + "\r\n";
    if (rng.Chance(50)) text += "position=" + rng.Number(9) + "\r\n";
    if (rng.Chance(20)) text += "; window of another add-on\r\n";
    for (int g = 0, gauges = rng.Below(6); g < gauges; ++g) {
        text += "gauge0" + std::to_string(g) + "=" + (rng.Chance(20) ? "Skyvantage_Aerolith" : "Cessna") + "!Gauge, " +
                rng.Number(500) + "," + rng.Number(500) + "," + rng.Number(300) + "," + rng.Number(300) +
                (rng.Chance(30) ? "   // comment\r\n" : "\r\n");
    }
    return rng.Chance(50) ? text + "\r\n" : text;
}

std::string RandomPanelCfg(Rng& rng) {
    std::string text = rng.Chance(60) ? "// Panel Configuration file\r\n\r\n" : "";
    if (rng.Chance(30)) text += "[fltsim]\r\nalias=c172\\panel\r\n\r\n";
    std::set<int> sections{0};
    const int density = 5 + rng.Below(90);
    if (rng.Chance(85)) {
        text += rng.Chance(80) ? "[Window Titles]\r\n" : "[WINDOW titles]\r\n";
        for (int slot = 0; slot < 36; ++slot) {
            // Most panels title their main window, whose section every panel has.
            const bool mainTitled = slot == 0 && rng.Chance(90);
            if (!mainTitled && !rng.Chance(density)) continue;
            std::string key = slot < 10 && rng.Chance(15) ? OneDigitSlotKey(slot) : SlotKey(slot);
            if (rng.Chance(5)) key = "WINDOW" + key.substr(6);
            if (rng.Chance(10)) key = " " + key + " ";
            text += key + "=" + RandomTitle(rng) + (rng.Chance(5) ? "\r\n; note\r\n" : "\r\n");
            if (slot < 32 && rng.Chance(40)) sections.insert(slot);
        }
        if (rng.Chance(60)) text += "\r\n";
    }
    for (int slot = 0; slot < 32; ++slot) {
        if (rng.Chance(1)) sections.insert(slot);
    }
    for (int slot : sections) text += RandomSection(rng, rng.Chance(10) ? "window" + SlotKey(slot).substr(6) : SlotKey(slot));
    if (rng.Chance(70)) text += "[Vcockpit01]\r\nfile=vc.bmp\r\ngauge00=Cessna!Clock,0,0,10,10\r\n";
    return text;
}

// The key-by-key kernel32 calls that the one-document edits stand for.
std::string K32Read(const std::string& file, const std::string& section, const std::string& key) {
    char buffer[260];
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "notfound", buffer, sizeof buffer, file.c_str());
    return buffer;
}

SlotInventory K32Inventory(const std::string& file) {
    SlotInventory inventory;
    for (int slot = 0; slot < 32; ++slot) {
        std::string title = K32Read(file, "Window Titles", SlotKey(slot));
        if (title == "notfound") title = K32Read(file, "Window Titles", OneDigitSlotKey(slot));
        if (title == "notfound") continue;
        inventory.slotMask |= 1u << slot;
        if (title.compare(0, 14, "Skyvantage 530") == 0) inventory.setFound = 1;
    }
    return inventory;
}

void K32Remove(const std::string& file) {
    std::vector<int> removed;
    for (int slot = 0; slot < 32; ++slot) {
        const std::string title = K32Read(file, "Window Titles", SlotKey(slot));
        if (std::find(kRemovalOrder.begin(), kRemovalOrder.end(), title) == kRemovalOrder.end()) continue;
        WritePrivateProfileStringA("Window Titles", SlotKey(slot).c_str(), nullptr, file.c_str());
        removed.push_back(slot);
    }
    for (int slot : removed) WritePrivateProfileStringA(SlotKey(slot).c_str(), nullptr, nullptr, file.c_str());
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Sections, keys and values in file order, blank lines and blanks around names and values
// dropped: what the file means to a reader.
std::string Meaning(const std::string& file) {
    std::string out, line;
    for (std::istringstream in(pwtest::ReadBytes(file)); std::getline(in, line);) {
        line = Trim(line);
        const auto close = line.rfind(']'), eq = line.find('=');
        if (line.empty()) continue;
        if (line[0] == '[' && close != std::string::npos) {
            out += "[" + Trim(line.substr(1, close - 1)) + "]\n";
        } else if (eq != std::string::npos) {
            out += Trim(line.substr(0, eq)) + "=" + Trim(line.substr(eq + 1)) + "\n";
        } else {
            out += line + "\n";
        }
    }
    return out;
}

class GpsWindowSetDifferentialTest : public ::testing::Test {
protected:
    // Writes text as our panel.cfg and as kernel32's copy; returns the copy's path.
    std::string Start(int n, const std::string& text) {
        pwtest::WriteBytes(Ours(), text);
        pwtest::WriteBytes(theirs_.Path("case" + std::to_string(n) + ".cfg"), text);
        return theirs_.Path("case" + std::to_string(n) + ".cfg");
    }
    std::string Ours() const { return ours_.Path("panel.cfg"); }
    pwtest::TempFolder ours_, theirs_;
};

TEST_F(GpsWindowSetDifferentialTest, InstallEqualsTheWriteSequence) {
    Rng rng(4202);
    int installed = 0, belowGap = 0, notEnough = 0;
    for (int n = 0; n < kCases; ++n) {
        const std::string text = RandomPanelCfg(rng), theirs = Start(n, text);
        std::uint32_t mask = K32Inventory(theirs).slotMask;
        if (rng.Chance(30)) mask = static_cast<std::uint32_t>(rng.engine() & rng.engine());
        static const double widths[] = {640, 1024, 800, 1280, 1600, 333};
        const double width = rng.Chance(80) ? widths[rng.Below(6)] : rng.Below(4000);
        const EditOutcome out = InstallGpsWindowSet(ours_.FolderWithSeparator(), mask, width);

        // The slots the key-by-key install takes: free, and without a section of that name.
        std::vector<int> free, usable;
        for (int slot = 0; slot < 32; ++slot) {
            if (mask & (1u << slot)) continue;
            free.push_back(slot);
            if (K32Read(theirs, SlotKey(slot), "size_mm") == "notfound") usable.push_back(slot);
        }
        if (usable.size() < 4) {
            ASSERT_EQ(EditKind::NotEnoughSlots, out.kind) << "case " << n;
            ASSERT_EQ(text, pwtest::ReadBytes(Ours())) << "case " << n;
            ++notEnough;
            continue;
        }
        const std::array<int, 4> slots{{usable[0], usable[1], usable[2], usable[3]}};
        if (!std::equal(slots.begin(), slots.end(), free.begin())) {
            // An untitled section below the set: the simulator would stop there, so no install.
            ASSERT_EQ(EditKind::BelowGap, out.kind) << "case " << n;
            ASSERT_EQ(text, pwtest::ReadBytes(Ours())) << "case " << n;
            ++belowGap;
            continue;
        }
        ASSERT_EQ(EditKind::Done, out.kind) << "case " << n << ": " << out.message;
        ASSERT_EQ(slots, out.slots) << "case " << n;
        for (const ProfileWrite& w : GpsWindowSetWrites(slots, width))
            WritePrivateProfileStringA(w.section.c_str(), w.key.c_str(), w.value.c_str(), theirs.c_str());
        ASSERT_EQ(Meaning(theirs), Meaning(Ours())) << "case " << n << "\n--- input\n" << text;
        ++installed;
    }
    std::printf("install-differential cases=%d installed=%d below_gap=%d not_enough=%d\n", kCases, installed,
                belowGap, notEnough);
    EXPECT_GT(installed, kCases / 3);
    EXPECT_GT(belowGap, 10);
}

TEST_F(GpsWindowSetDifferentialTest, RemovalEqualsTheDeleteSequence) {
    Rng rng(4303);
    int removed = 0, refused = 0;
    for (int n = 0; n < kCases; ++n) {
        // Half of the panels carry one or two installed sets besides whatever the titles hold.
        pwtest::WriteBytes(Ours(), RandomPanelCfg(rng));
        for (int copies = rng.Chance(50) ? 1 + rng.Below(2) : 0; copies > 0; --copies) {
            InstallGpsWindowSet(ours_.FolderWithSeparator(),
                            ReadSlotInventory(profile::Document::Parse(pwtest::ReadBytes(Ours()))).slotMask, 1024);
        }
        const std::string text = pwtest::ReadBytes(Ours()), theirs = Start(n, text);
        const EditOutcome out = RemoveGpsWindowSet(ours_.FolderWithSeparator());
        const SlotInventory guard = K32Inventory(theirs);
        if (!guard.setFound) {
            ASSERT_EQ(EditKind::NoSet, out.kind) << "case " << n;
            ASSERT_EQ(guard.slotMask, out.slotMask) << "case " << n;
            ASSERT_EQ(text, pwtest::ReadBytes(Ours())) << "case " << n;
            ++refused;
            continue;
        }
        ASSERT_EQ(EditKind::Done, out.kind) << "case " << n << ": " << out.message;
        K32Remove(theirs);
        ASSERT_EQ(Meaning(theirs), Meaning(Ours())) << "case " << n << "\n--- input\n" << text;
        ASSERT_EQ(K32Inventory(theirs).slotMask, out.slotMask) << "case " << n;
        ++removed;
    }
    std::printf("removal-differential cases=%d removed=%d no_set=%d\n", kCases, removed, refused);
    EXPECT_GT(removed, kCases / 2);
}

}  // namespace
}  // namespace panelcfg
