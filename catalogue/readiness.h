// Whether an install into a panel would go through, and if not why, as the scan saw the panel:
// the same slot rule the install itself applies to the file it reads (panelcfg::PlanSlots).
#pragma once

#include "catalogue/catalogue.h"

#include <vector>

namespace catalogue {

enum class Readiness {
    Installable,
    HasSet,              // a title of the set is there already
    Alias,               // the panel names another panel folder
    Foreign,             // edited by hand to carry the gauges without the set's titles
    NotEnoughSlots,      // fewer than four free slots
    TitleGap,            // an untitled window section lies below the slots the set would take
    Unusable,            // the panel cannot be opened (PanelRecord::unusable says why)
    NoPanelFile,         // no panel.cfg
    Interrupted,         // no panel.cfg, and what an interrupted edit left in the folder
    NeedsAdministrator,  // only administrators may change files in its folder, and it has no
                         // per-user copy to edit instead
};

struct InstallCheck {
    Readiness readiness = Readiness::Installable;
    std::vector<int> gaps;  // TitleGap: the untitled sections below the set's slots
};

// Whether a panel may be edited at all, whatever its panel.cfg holds: Installable when it may,
// else Unusable, Alias, Foreign or NeedsAdministrator (which the system tells without writing).
// The one answer the dialog's command, the batch and CheckInstall (so list) take.
Readiness MayEdit(const PanelRecord& panel);

// Whether an install would go through, as the scan saw the panel: MayEdit, then the file; an
// administrator is needed only for an install the file would otherwise take.
InstallCheck CheckInstall(const PanelRecord& panel);

// The window slots an install may take: neither a title nor a section; none for an alias or an
// unusable panel.
std::uint32_t FreeSlots(const PanelRecord& panel);

}  // namespace catalogue
