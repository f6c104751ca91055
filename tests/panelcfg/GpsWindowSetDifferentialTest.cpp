// Our one-document edits against the key-by-key sequence of kernel32 profile calls that they
// replace, on seeded random panel.cfg files. Wine rewrites whole files on every write, so the
// two results are compared as parsed content: sections, keys and values, in order. The slot
// inventory is compared too: the removal's guard and its result against per-key reads.
#include "panelcfg/gps_window_set_edit.h"
#include "panelcfg/gps_window_set_layout.h"
#include "panelcfg/panel_inspection.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace panelcfg {
namespace {

using pwtest::TempFolder;

constexpr int kCases = 500;

struct Rng {
    explicit Rng(unsigned seed) : engine(seed) {}
    int Below(int n) { return static_cast<int>(engine() % static_cast<unsigned>(n)); }
    bool Chance(int percent) { return Below(100) < percent; }
    std::mt19937 engine;
};

std::string RandomTitle(Rng& rng) {
    static const char* const ordinary[] = {"Main Panel", "Radio Stack", "GPS", "Compass", "Overhead", "Throttle"};
    switch (rng.Below(14)) {
    case 0:
    case 1:
    case 2: return kSetTitles[static_cast<std::size_t>(rng.Below(4))];
    case 3: return "Skyvantage 530 Extra";
    case 4: return "skyvantage 530 GPS";
    case 5: return "notfound";
    case 6: return "";
    case 7: return "Skyvantage 530 GPS" + std::string(300, 'z');
    case 8: return "\"Skyvantage 530 VOR\"";
    case 9: return "  Skyvantage 530 AVIONICS  ";
    default: return ordinary[rng.Below(6)];
    }
}

std::string RandomSection(Rng& rng, const std::string& name) {
    std::string text = "[" + name + "]\r\n";
    if (rng.Chance(30)) text += "BACKGROUND_COLOR=0,0,0\r\n";
    text += "size_mm=" + std::to_string(rng.Below(1200)) + "," + std::to_string(rng.Below(900)) + "\r\n";
    if (rng.Chance(50)) text += "position=" + std::to_string(rng.Below(9)) + "\r\n";
    if (rng.Chance(50)) text += "visible=" + std::to_string(rng.Below(2)) + "\r\n";
    if (rng.Chance(20)) text += "; window of another add-on\r\n";
    const int gauges = rng.Below(6);
    for (int g = 0; g < gauges; ++g) {
        char line[128];
        std::snprintf(line, sizeof line, "gauge%02d=%s!Gauge%d, %d,%d,%d,%d%s\r\n", g,
                      rng.Chance(20) ? "Skyvantage_Aerolith" : "Cessna", g, rng.Below(500), rng.Below(500),
                      rng.Below(300), rng.Below(300), rng.Chance(30) ? "   // comment" : "");
        text += line;
    }
    if (rng.Chance(50)) text += "\r\n";
    return text;
}

std::string RandomPanelCfg(Rng& rng) {
    std::string text;
    if (rng.Chance(60)) text += "// Panel Configuration file\r\n// Generated\r\n\r\n";
    if (rng.Chance(30)) text += "[fltsim]\r\nalias=c172\\panel\r\n\r\n";
    std::set<int> sections;
    const int density = 5 + rng.Below(90);
    if (rng.Chance(85)) {
        static const char* const headers[] = {"Window Titles", "WINDOW TITLES", "window titles"};
        text += std::string("[") + headers[rng.Chance(80) ? 0 : rng.Below(3)] + "]\r\n";
        for (int slot = 0; slot < 36; ++slot) {
            if (!rng.Chance(density)) continue;
            std::string key = SlotKey(slot);
            if (slot < 10 && rng.Chance(15)) key = OneDigitSlotKey(slot);
            if (rng.Chance(5)) key = "WINDOW" + key.substr(6);
            if (rng.Chance(10)) key = " " + key + " ";
            text += key + "=" + RandomTitle(rng) + "\r\n";
            if (slot < 32 && rng.Chance(40)) sections.insert(slot);
            if (rng.Chance(5)) text += "; note\r\n";
        }
        if (rng.Chance(60)) text += "\r\n";
    }
    for (int slot = 0; slot < 32; ++slot) {
        if (rng.Chance(3)) sections.insert(slot);
    }
    sections.insert(0);
    for (int slot : sections) text += RandomSection(rng, rng.Chance(10) ? "window" + SlotKey(slot).substr(6) : SlotKey(slot));
    if (rng.Chance(70)) text += "[Vcockpit01]\r\nfile=vc.bmp\r\ngauge00=Cessna!Clock,0,0,10,10\r\n";
    return text;
}

// The key-by-key kernel32 calls that the one-document edits stand for.
std::string K32Read(const std::string& file, const char* section, const std::string& key) {
    char buffer[260];
    GetPrivateProfileStringA(section, key.c_str(), "notfound", buffer, sizeof buffer, file.c_str());
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

std::set<std::string> K32SectionNames(const std::string& file) {
    std::vector<char> buffer(65536);
    const DWORD n = GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    std::set<std::string> names;
    for (DWORD i = 0; i < n;) {
        std::string name(buffer.data() + i);
        i += static_cast<DWORD>(name.size()) + 1;
        for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        if (!name.empty()) names.insert(name);
    }
    return names;
}

void K32Install(const std::string& file, const std::array<int, 4>& slots, double width) {
    for (const ProfileWrite& w : GpsWindowSetWrites(slots, width))
        WritePrivateProfileStringA(w.section.c_str(), w.key.c_str(), w.value.c_str(), file.c_str());
}

void K32Remove(const std::string& file) {
    std::vector<int> removed;
    for (int slot = 0; slot < 32; ++slot) {
        const std::string title = K32Read(file, "Window Titles", SlotKey(slot));
        for (const char* set : kRemovalOrder) {
            if (title == set) {
                WritePrivateProfileStringA("Window Titles", SlotKey(slot).c_str(), nullptr, file.c_str());
                removed.push_back(slot);
                break;
            }
        }
    }
    for (int slot : removed) WritePrivateProfileStringA(SlotKey(slot).c_str(), nullptr, nullptr, file.c_str());
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Sections, keys and values in file order, blank lines and blanks around names and values
// dropped: what both files mean to a reader.
std::vector<std::string> Parsed(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = text.find_first_not_of("\r\n", end);
        if (start == std::string::npos) start = text.size();
        if (line.empty()) continue;
        if (line.front() == '[' && line.find(']') != std::string::npos) {
            lines.push_back("[" + Trim(line.substr(1, line.rfind(']') - 1)) + "]");
        } else if (line.find('=') != std::string::npos) {
            const auto eq = line.find('=');
            lines.push_back(Trim(line.substr(0, eq)) + "=" + Trim(line.substr(eq + 1)));
        } else {
            lines.push_back(line);
        }
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    return text;
}

class GpsWindowSetDifferentialTest : public ::testing::Test {
protected:
    std::string Ours() const { return ours_.Path("panel.cfg"); }
    std::string Theirs(int n) const { return theirs_.Path("case" + std::to_string(n) + ".cfg"); }
    TempFolder ours_;
    TempFolder theirs_;
};

TEST_F(GpsWindowSetDifferentialTest, InstallEqualsTheWriteSequence) {
    Rng rng(4202);
    int installed = 0, skippedSections = 0, notEnough = 0;
    for (int n = 0; n < kCases; ++n) {
        const std::string text = RandomPanelCfg(rng);
        const std::string theirs = Theirs(n);
        pwtest::WriteBytes(Ours(), text);
        pwtest::WriteBytes(theirs, text);
        std::uint32_t mask = K32Inventory(theirs).slotMask;
        if (rng.Chance(30)) mask = static_cast<std::uint32_t>(rng.engine()) & static_cast<std::uint32_t>(rng.engine());
        static const double widths[] = {640, 1024, 800, 1280, 1600, 333};
        const double width = rng.Chance(80) ? widths[rng.Below(6)] : rng.Below(4000);

        const EditOutcome out = InstallIntoFile(ours_.FolderWithSeparator(), mask, width);

        // The slots the key-by-key install would take, and which of them hold a section already.
        const std::set<std::string> sections = K32SectionNames(theirs);
        std::vector<int> free, usable;
        for (int slot = 0; slot < 32; ++slot) {
            if (mask & (1u << slot)) continue;
            free.push_back(slot);
            std::string name = SlotKey(slot);
            for (char& ch : name) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
            if (!sections.count(name)) usable.push_back(slot);
        }
        if (usable.size() < 4) {
            ASSERT_EQ(EditKind::NotEnoughSlots, out.kind) << "case " << n;
            ASSERT_EQ(text, pwtest::ReadBytes(Ours())) << "case " << n;
            ++notEnough;
            continue;
        }
        ASSERT_EQ(EditKind::Done, out.kind) << "case " << n << ": " << out.message;
        const std::array<int, 4> slots{{usable[0], usable[1], usable[2], usable[3]}};
        ASSERT_EQ(slots, out.slots) << "case " << n;
        if (!std::equal(slots.begin(), slots.end(), free.begin())) ++skippedSections;

        K32Install(theirs, slots, width);
        ASSERT_EQ(Joined(Parsed(pwtest::ReadBytes(theirs))), Joined(Parsed(pwtest::ReadBytes(Ours()))))
            << "case " << n << "\n--- input\n" << text;
        ++installed;
        DeleteFileA(theirs.c_str());
    }
    std::printf("install-differential cases=%d installed=%d skipped_untitled_sections=%d not_enough=%d\n", kCases,
                installed, skippedSections, notEnough);
    EXPECT_GT(installed, kCases / 2);
    EXPECT_GT(skippedSections, 10);
}

TEST_F(GpsWindowSetDifferentialTest, RemovalEqualsTheDeleteSequence) {
    Rng rng(4303);
    int removed = 0, refused = 0;
    for (int n = 0; n < kCases; ++n) {
        std::string text = RandomPanelCfg(rng);
        // Half of the panels carry one or two installed sets besides whatever the titles hold.
        pwtest::WriteBytes(Ours(), text);
        for (int copies = rng.Chance(50) ? 1 + rng.Below(2) : 0; copies > 0; --copies) {
            const std::uint32_t taken = TakeSlotInventory(profile::Document::Parse(pwtest::ReadBytes(Ours()))).slotMask;
            InstallIntoFile(ours_.FolderWithSeparator(), taken, 1024);
        }
        text = pwtest::ReadBytes(Ours());
        const std::string theirs = Theirs(n);
        pwtest::WriteBytes(theirs, text);

        const EditOutcome out = RemoveFromFile(ours_.FolderWithSeparator());
        const SlotInventory guard = K32Inventory(theirs);
        if (!guard.setFound) {
            ASSERT_EQ(EditKind::NoSet, out.kind) << "case " << n;
            ASSERT_EQ(guard.slotMask, out.slotMask) << "case " << n;
            ASSERT_EQ(text, pwtest::ReadBytes(Ours())) << "case " << n;
            ++refused;
            DeleteFileA(theirs.c_str());
            continue;
        }
        ASSERT_EQ(EditKind::Done, out.kind) << "case " << n << ": " << out.message;
        K32Remove(theirs);
        ASSERT_EQ(Joined(Parsed(pwtest::ReadBytes(theirs))), Joined(Parsed(pwtest::ReadBytes(Ours()))))
            << "case " << n << "\n--- input\n" << text;
        ASSERT_EQ(K32Inventory(theirs).slotMask, out.slotMask) << "case " << n;
        ++removed;
        DeleteFileA(theirs.c_str());
    }
    std::printf("removal-differential cases=%d removed=%d no_set=%d\n", kCases, removed, refused);
    EXPECT_GT(removed, kCases / 2);
}

}  // namespace
}  // namespace panelcfg
