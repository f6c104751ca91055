#include "cli/batch.h"

#include "catalogue/messages.h"
#include "catalogue/shadow_copy.h"
#include "catalogue/readiness.h"
#include "catalogue/tree_order.h"
#include "cli/listing.h"
#include "panelcfg/gps_window_set.h"
#include "panelcfg/panel_inspection.h"
#include "platform/ascii.h"
#include "platform/paths.h"
#include "platform/profile_file.h"
#include "platform/text_encoding.h"

#include <algorithm>

namespace cli {

namespace {

using catalogue::PanelRecord;

std::string Slots(const int* first, const int* last) {
    std::string text;
    for (const int* slot = first; slot != last; ++slot) {
        if (*slot >= 0) text += (text.empty() ? "" : ", ") + panelcfg::SlotKey(*slot);
    }
    return text;
}

// Why the dialog would not edit this panel; empty when it would. neverTakesSet: the panel is not
// one to take the set at all (an alias, a foreign panel), rather than one in need of repair.
std::string Refusal(const PanelRecord& panel, bool& neverTakesSet) {
    catalogue::InstallCheck may;
    may.readiness = catalogue::MayEdit(panel);
    neverTakesSet = may.readiness == catalogue::Readiness::Alias || may.readiness == catalogue::Readiness::Foreign;
    const std::string why = catalogue::ReadinessReason(may, panel);
    // Said as an edit refused by the system says it, code first, for scripts.
    if (may.readiness == catalogue::Readiness::NeedsAdministrator)
        return catalogue::kNeedsAdministratorCode + (": " + why);
    return why;
}

enum class Result { Done, Unchanged, Skipped, Refused, Failed };

// The characters of a UTF-8 text, a sequence each (a stray byte stands alone).
std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> characters;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = 1;
        while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80 &&
               static_cast<unsigned char>(text[i]) >= 0xC0) {
            ++n;
        }
        characters.push_back(text.substr(i, n));
        i += n;
    }
    return characters;
}

bool SameLetter(const std::string& a, const std::string& b) {
    return a.size() == 1 && b.size() == 1 ? platform::FoldAscii(a[0]) == platform::FoldAscii(b[0]) : a == b;
}

// A panel that never takes the set is passed over when a pattern chose it; named, it is refused.
Result NotEdited(bool named, const std::string& why, std::ostream& out) {
    out << (named ? "refused: " : "skipped: ") << why << "\n";
    return named ? Result::Refused : Result::Skipped;
}

Result EditOne(const catalogue::Catalogue& catalogue, const ChosenPanel& chosen, const BatchRun& run,
               fileio::FileSystem& files, std::ostream& out) {
    const PanelRecord& panel = catalogue.panels[static_cast<std::size_t>(chosen.number)];
    out << panel.folder << ": ";
    const std::string& folder = catalogue::EditFolder(panel);
    bool neverTakesSet = false;
    if (const std::string why = Refusal(panel, neverTakesSet); !why.empty()) {
        return NotEdited(chosen.named || !neverTakesSet, why, out);
    }
    panelcfg::EditOptions options;
    options.dryRun = run.dryRun;
    const panelcfg::EditOutcome outcome = run.install ? panelcfg::InstallGpsWindowSet(folder, files, options)
                                                      : panelcfg::RemoveGpsWindowSet(folder, files, options);
    const std::string reason = catalogue::EditReason(outcome);
    switch (outcome.kind) {
        case panelcfg::EditKind::Done: break;
        case panelcfg::EditKind::AlreadyDone:
        case panelcfg::EditKind::NoSet: out << reason << "; nothing to do\n"; return Result::Unchanged;
        case panelcfg::EditKind::NoPanelFile:
            // A folder of bitmaps only is no panel to edit; one beside an interrupted edit's files needs repair.
            return NotEdited(chosen.named || outcome.leftovers.Any(), reason, out);
        case panelcfg::EditKind::NotEnoughSlots:
        case panelcfg::EditKind::BelowGap:
        case panelcfg::EditKind::NoExactTitles:
        case panelcfg::EditKind::Busy:
        case panelcfg::EditKind::PathTooLong: out << "refused: " << reason << "\n"; return Result::Refused;
        case panelcfg::EditKind::Failed:
            if (catalogue::NeedsAdministrator(panel, outcome)) {
                out << "failed: " << catalogue::kNeedsAdministratorCode << ": "
                    << catalogue::NeedsAdministratorReason(platform::FolderPart(outcome.file)) << "\n";
                return Result::Failed;
            }
            out << "failed: " << reason << "\n";
            return Result::Failed;
    }
    if (run.install) {
        out << (run.dryRun ? "would install in " : "installed in ")
            << Slots(outcome.slots.data(), outcome.slots.data() + outcome.slots.size());
    } else {
        out << (run.dryRun ? "would remove from " : "removed from ")
            << Slots(outcome.removedSlots.data(), outcome.removedSlots.data() + outcome.removedSlots.size());
    }
    if (!reason.empty()) out << "; note: " << reason;
    if (!panel.copyFolder.empty()) out << "; " << catalogue::ShadowCopyNote(panel);
    out << "\n" << outcome.diff;
    return Result::Done;
}

}  // namespace

bool MatchesPattern(const std::string& text, const std::string& pattern) {
    // Character by character (a UTF-8 sequence is one), with one backtrack point: the last '*'.
    const std::vector<std::string> t = Characters(text), p = Characters(pattern);
    std::size_t ti = 0, pi = 0, star = std::string::npos, resume = 0;
    while (ti < t.size()) {
        if (pi < p.size() && (p[pi] == "?" || SameLetter(p[pi], t[ti]))) {
            ++ti, ++pi;
        } else if (pi < p.size() && p[pi] == "*") {
            star = pi++;
            resume = ti;
        } else if (star != std::string::npos) {
            pi = star + 1;
            ti = ++resume;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == "*") ++pi;
    return pi == p.size();
}

std::vector<ChosenPanel> ChoosePanels(const catalogue::Catalogue& catalogue, const Options& options,
                                      std::vector<std::string>& unknown) {
    std::vector<bool> chosen(catalogue.panels.size(), false);
    std::vector<bool> named(catalogue.panels.size(), false);
    for (std::size_t a = 0; a < catalogue.aircraft.size(); ++a) {
        const catalogue::AircraftRecord& aircraft = catalogue.aircraft[a];
        const bool matches = std::any_of(options.patterns.begin(), options.patterns.end(), [&](const std::string& p) {
            return MatchesPattern(platform::AnsiToUtf8(aircraft.title), p) || MatchesPattern(aircraft.nativeFolder, p);
        });
        if (options.all || matches) {
            for (int panel : aircraft.panels) chosen[static_cast<std::size_t>(panel)] = true;
        }
    }
    for (const std::string& name : options.panels) {
        const std::string full = platform::FullPath(name);
        bool found = false;
        for (std::size_t panel = 0; panel < catalogue.panels.size() && !found; ++panel) {
            if (platform::SamePath(full, catalogue.panels[panel].nativeFolder)) {
                chosen[panel] = named[panel] = found = true;
            }
        }
        if (!found) unknown.push_back(name);
    }
    std::vector<ChosenPanel> panels;
    for (int aircraft : catalogue::AircraftInTreeOrder(catalogue)) {
        for (int panel : catalogue::PanelsInOrder(catalogue, aircraft)) {
            const auto n = static_cast<std::size_t>(panel);
            if (chosen[n]) panels.push_back({panel, named[n]});
        }
    }
    return panels;
}

BatchCounts RunBatch(const catalogue::Catalogue& catalogue, const std::vector<ChosenPanel>& panels, const BatchRun& run,
                     fileio::FileSystem& files, std::ostream& out, std::ostream& err) {
    BatchCounts counts;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        switch (EditOne(catalogue, panels[i], run, files, out)) {
            case Result::Done: ++counts.done; break;
            case Result::Unchanged: ++counts.unchanged; break;
            case Result::Skipped: ++counts.skipped; break;
            case Result::Refused: ++counts.refused; break;
            case Result::Failed: ++counts.failed; break;
        }
        if (run.progress) err << "\r" << (i + 1) << "/" << panels.size() << std::flush;
    }
    if (run.progress && !panels.empty()) err << "\r" << std::string(24, ' ') << "\r" << std::flush;
    return counts;
}

}  // namespace cli
