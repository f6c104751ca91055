// Installs and removals across many panels: which panels the command line chooses, and each
// edited exactly as the dialog edits it, one line of report each.
#pragma once

#include "catalogue/catalogue.h"
#include "cli/options.h"
#include "platform/file_system.h"

#include <ostream>
#include <string>
#include <vector>

namespace cli {

struct ChosenPanel {
    int number = 0;      // panel number
    bool named = false;  // named by its folder, not only matched by --all or --aircraft
};

// The panels options choose, in the order the dialog's tree shows them, each once. Patterns and
// folders are UTF-8 and matched against the names as the file system spells them; a named folder
// that is no panel folder of the simulator goes to unknown instead.
std::vector<ChosenPanel> ChoosePanels(const catalogue::Catalogue& catalogue, const Options& options,
                                      std::vector<std::string>& unknown);

// True when text matches pattern, both UTF-8: * any run of characters, ? any one character
// (never a byte of one), ASCII letter case ignored; every other character stands for itself.
bool MatchesPattern(const std::string& text, const std::string& pattern);

struct BatchCounts {
    int done = 0;       // installed or removed (or would be, in a dry run)
    int unchanged = 0;  // already as asked
    int skipped = 0;    // matched by --all or --aircraft, but never to take the set: an alias, a
                        // foreign panel, a folder without panel.cfg
    int refused = 0;    // alias, foreign, unusable, not enough slots, a set the simulator could not open
    int failed = 0;     // the file could not be read or saved; it is as it was
};

struct BatchRun {
    bool install = true;
    bool dryRun = false;
    bool progress = false;  // a count on err after each panel
};

// Edits each panel in turn; a failure on one never stops the others. One line per panel to out
// (and, in a dry run, the diff of its change), the count of done panels to err when asked.
// A panel that can never take the set is skipped when a pattern chose it, refused when named.
BatchCounts RunBatch(const catalogue::Catalogue& catalogue, const std::vector<ChosenPanel>& panels, const BatchRun& run,
                     fileio::FileSystem& files, std::ostream& out, std::ostream& err);

}  // namespace cli
